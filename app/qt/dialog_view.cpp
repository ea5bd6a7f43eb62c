// SPDX-License-Identifier: MIT
#include "app/qt/dialog_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QWindow>

#include "app/qt/artwork.h"
#include "app/resource_ids.h"

namespace torvix {

namespace {

constexpr const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
// System commands from this one up belong to the platform's own menu (move, close...).
constexpr unsigned kFirstPlatformCommand = 0xF000;

QFont templateFont(const DialogTemplate& dialogTemplate) {
  // Where the template's face does not exist the platform's sans-serif stands in for it.
  QFont font(QString::fromUtf8(dialogTemplate.fontName), dialogTemplate.fontPoints);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace

DialogView::DialogView(DialogWindow& window, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      window_(window) {
  const DialogTemplate& dialogTemplate = window.Template();
  setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
  setFont(templateFont(dialogTemplate));
  const QFontMetrics metrics(font());
  units_ = {AverageCharWidth(metrics.horizontalAdvance(QString::fromLatin1(kAlphabet))),
            metrics.height()};
  const PixelRect client = ToPixels({0, 0, dialogTemplate.width, dialogTemplate.height}, units_);
  setFixedSize(client.width, client.height);
  setWindowModality(Qt::ApplicationModal);

  widgets_.reserve(window.ControlCount());
  for (std::size_t index = 0; index < window.ControlCount(); ++index) {
    QWidget* widget = createWidget(index);
    widget->setProperty(kControlIndexProperty, static_cast<qulonglong>(index));
    placeWidget(widget, index);
    widgets_.push_back(widget);
  }
  // Frames and the picture stay behind the controls they surround.
  for (std::size_t index = widgets_.size(); index-- > 0;) {
    const ControlKind kind = window.ControlAt(index).row->kind;
    if (kind == ControlKind::GroupBox || kind == ControlKind::Picture) widgets_[index]->lower();
  }
  // Tab visits the controls with a tab stop in template order.
  QWidget* previous = nullptr;
  for (std::size_t index = 0; index < widgets_.size(); ++index) {
    if (!HasTabStop(window.ControlAt(index).row->kind)) continue;
    if (previous != nullptr) setTabOrder(previous, widgets_[index]);
    previous = widgets_[index];
  }
  focusConnection_ = connect(qApp, &QApplication::focusChanged, this,
                             [this](QWidget*, QWidget* now) { focusChanged(now); });
  window_.SetListener(this);
}

// The widgets go after this body has run; focus moving among them then is none of the
// layer's business.
DialogView::~DialogView() {
  disconnect(focusConnection_);
  window_.SetListener(nullptr);
}

QWidget* DialogView::WidgetFor(int id) const {
  for (std::size_t index = 0; index < widgets_.size(); ++index) {
    if (idAt(index) == id && id != kStaticId) return widgets_[index];
  }
  return nullptr;
}

void DialogView::Present() {
  for (std::size_t index = 0; index < widgets_.size(); ++index) render(index);
  WindowChanged();
  show();
  // With no control focused the dialog itself holds the focus, as after a focused control
  // was disabled (control_render.cpp).
  QWidget* focused = WidgetFor(window_.Focus());
  (focused != nullptr ? focused : this)->setFocus(Qt::OtherFocusReason);
}

void DialogView::ControlChanged(std::size_t index) {
  if (index < widgets_.size()) render(index);
}

void DialogView::WindowChanged() {
  const int icon = window_.Icon(true);
  if (icon == IDI_PROGRAM) setWindowIcon(ProgramIcon());
  if (window_.Ended() && !endedSeen_) {
    endedSeen_ = true;
    hide();
    if (onEnded) onEnded();
  }
}

void DialogView::focusChanged(QWidget* now) {
  if (now == nullptr || now->window() != this) return;
  const QVariant index = now->property(kControlIndexProperty);
  if (!index.isValid()) return;
  window_.UserFocus(idAt(index.toULongLong()));
}

void DialogView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // The focus may have moved while the window was inactive, unseen by focusChanged; Enter
      // must act on the control that has it, never on a stale one such as Cancel.
      focusChanged(focusWidget());
      window_.UserEnter();
      event->accept();
      return;
    case Qt::Key_Escape:
      window_.UserEscape();
      event->accept();
      return;
    default: QDialog::keyPressEvent(event);
  }
}

void DialogView::closeEvent(QCloseEvent* event) {
  if (!window_.Ended()) window_.UserCloseBox();
  if (window_.Ended()) {
    event->accept();
  } else {
    event->ignore();
  }
}

// Qt's own ways to dismiss a dialog go to the layer as the Esc key would.
void DialogView::reject() {
  if (!window_.Ended()) window_.UserEscape();
}

// The dialog's own system-menu entries, offered as the context menu: Qt reaches no platform's
// window menu.
void DialogView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  for (const MenuItem& item : window_.SystemMenu()) {
    if (item.separator) {
      menu.addSeparator();
    } else if (item.command < kFirstPlatformCommand) {
      menu.addAction(QString::fromUtf8(item.text))->setData(item.command);
    }
  }
  if (menu.actions().isEmpty()) return;
  if (QAction* chosen = menu.exec(event->globalPos())) {
    window_.UserSystemCommand(chosen->data().toUInt(), 0);
  }
}

void DialogView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) {
    const bool minimized = isMinimized();
    if (minimized && !window_.IsIconic()) window_.UserMinimize();
    if (!minimized && window_.IsIconic()) window_.UserRestore();
  }
  QDialog::changeEvent(event);
}

}  // namespace torvix
