// SPDX-License-Identifier: MIT
// One widget per template row, and the wiring from what the user does to the window layer.
// Every handler here re-renders its control afterwards, so a refusal by the layer (a full edit,
// a disabled window) leaves the widget as the layer has it.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <optional>

#include "app/qt/artwork.h"
#include "app/qt/dialog_view.h"
#include "app/qt/drop_down_list.h"
#include "window/edit_change.h"

namespace torvix {

namespace {

// The slider actions Qt reports, as the scroll codes of a horizontal trackbar.
std::optional<ScrollCode> scrollCodeOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return kTbLineDown;
    case QAbstractSlider::SliderSingleStepSub: return kTbLineUp;
    case QAbstractSlider::SliderPageStepAdd: return kTbPageDown;
    case QAbstractSlider::SliderPageStepSub: return kTbPageUp;
    case QAbstractSlider::SliderToMinimum: return kTbTop;
    case QAbstractSlider::SliderToMaximum: return kTbBottom;
    default: return std::nullopt;
  }
}

// The platform slider's keys: Right/Down and Page Down raise the position, Left/Up and Page Up
// lower it, Home and End go to the ends. Qt runs Up and the page keys the other way.
std::optional<ScrollCode> scrollCodeOfKey(int key) {
  switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Down: return kTbLineDown;
    case Qt::Key_Left:
    case Qt::Key_Up: return kTbLineUp;
    case Qt::Key_PageDown: return kTbPageDown;
    case Qt::Key_PageUp: return kTbPageUp;
    case Qt::Key_Home: return kTbTop;
    case Qt::Key_End: return kTbBottom;
    default: return std::nullopt;
  }
}

}  // namespace

QWidget* DialogView::createWidget(std::size_t index) {
  switch (window_.ControlAt(index).row->kind) {
    case ControlKind::DefaultPushButton:
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: return createButton(index);
    case ControlKind::Slider: return createSlider(index);
    case ControlKind::Edit: return createEdit(index);
    case ControlKind::DropDownList: return createList(index);
    default: return createStatic(index);
  }
}

void DialogView::placeWidget(QWidget* widget, std::size_t index) {
  const ControlTemplate& row = *window_.ControlAt(index).row;
  PixelRect rect = ToPixels(row.rect, units_);
  // A list's template height counts its open list too; the field keeps its own height.
  if (row.kind == ControlKind::DropDownList) {
    const int field = widget->sizeHint().height();
    static_cast<DropDownList*>(widget)->SetListHeight(rect.height - field);
    rect.height = field;
  }
  // A picture or an icon takes the size of what it shows, as the platform's statics do.
  if (row.kind == ControlKind::Picture || row.kind == ControlKind::Icon) {
    rect.width = widget->sizeHint().width();
    rect.height = widget->sizeHint().height();
  }
  widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
  Qt::FocusPolicy focus = HasTabStop(row.kind) ? Qt::StrongFocus : Qt::NoFocus;
  // Tab skips the radio buttons; a click still gives one the focus.
  if (row.kind == ControlKind::RadioButton) focus = Qt::ClickFocus;
  widget->setFocusPolicy(focus);
}

QWidget* DialogView::createButton(std::size_t index) {
  const ControlKind kind = window_.ControlAt(index).row->kind;
  QAbstractButton* button = nullptr;
  if (kind == ControlKind::CheckBox) {
    button = new QCheckBox(this);
  } else if (kind == ControlKind::RadioButton) {
    // The layer checks one and clears its partner; Qt's own exclusivity could not show both
    // clear, as the pair starts.
    auto* radio = new QRadioButton(this);
    radio->setAutoExclusive(false);
    if (radioGroup_ == nullptr) {
      radioGroup_ = new QButtonGroup(this);
      radioGroup_->setExclusive(false);
    }
    radioGroup_->addButton(radio, idAt(index));
    radio->installEventFilter(this);
    button = radio;
  } else {
    auto* push = new QPushButton(this);
    // Enter goes to the layer, which knows the default button even while it is hidden.
    push->setAutoDefault(false);
    push->setDefault(false);
    button = push;
  }
  connect(button, &QAbstractButton::clicked, this, [this, index] {
    window_.UserClick(idAt(index));
    render(index);
  });
  return button;
}

QWidget* DialogView::createSlider(std::size_t index) {
  auto* slider = new QSlider(Qt::Horizontal, this);
  slider->setTickPosition(QSlider::NoTicks);
  connect(slider, &QSlider::sliderReleased, this, [this, index, slider] {
    window_.UserDragThumb(idAt(index), slider->value());
    render(index);
  });
  connect(slider, &QSlider::actionTriggered, this,
          [this, index](int action) { userSliderAction(index, action); });
  slider->installEventFilter(this);  // its keys are the platform's, not Qt's
  return slider;
}

void DialogView::userSliderAction(std::size_t index, int action) {
  auto* slider = static_cast<QSlider*>(widgets_[index]);
  std::optional<ScrollCode> code = scrollCodeOf(action);
  // A move with the thumb not held is the wheel: one line step in its direction. A move while
  // held is the drag, which the layer hears of on release.
  if (!code && action == QAbstractSlider::SliderMove && !slider->isSliderDown()) {
    const int was = window_.ControlAt(index).position;
    if (slider->sliderPosition() != was) {
      code = slider->sliderPosition() > was ? kTbLineDown : kTbLineUp;
    }
  }
  if (!code) return;
  sliderStep(index, *code);
}

void DialogView::sliderStep(std::size_t index, ScrollCode code) {
  window_.UserSliderKey(idAt(index), code);
  render(index);
}

QWidget* DialogView::createEdit(std::size_t index) {
  auto* edit = new QLineEdit(this);
  edit->setFrame(true);
  connect(edit, &QLineEdit::textEdited, this,
          [this, index](const QString& text) { userEdited(index, text); });
  return edit;
}

void DialogView::userEdited(std::size_t index, const QString& text) {
  UserEditedText(window_, idAt(index), text.toStdString());
  render(index);
  // The caret goes where the layer has it, also when it refused the text.
  const ControlState& state = window_.ControlAt(index);
  auto* edit = static_cast<QLineEdit*>(widgets_[index]);
  const auto charsBefore = [&state](std::size_t bytes) {
    return static_cast<int>(QString::fromStdString(state.text.substr(0, bytes)).size());
  };
  const int start = charsBefore(state.selectionStart);
  const int end = charsBefore(state.selectionEnd);
  if (start == end) {
    edit->setCursorPosition(end);
  } else {
    edit->setSelection(start, end - start);
  }
}

QWidget* DialogView::createList(std::size_t index) {
  auto* list = new DropDownList(this);
  {
    const QSignalBlocker blocker(list);
    for (const std::string& item : window_.ControlAt(index).items) {
      list->addItem(QString::fromStdString(item));
    }
  }
  list->onOpen = [this, index] { return window_.UserOpenList(idAt(index)); };
  list->onClose = [this, index](int chosen) {
    if (chosen == kNothingChosen) {
      window_.UserCloseList(idAt(index));
    } else {
      window_.UserChooseItem(idAt(index), chosen);
    }
    render(index);
  };
  list->onClosedMove = [this, index](int moved) {
    const int was = window_.ControlAt(index).selection;
    // From no selection the first step lands on the item before or after the ends.
    const int delta = was == kNoSelection ? moved + 1 : moved - was;
    if (delta != 0) window_.UserArrowOnClosedList(idAt(index), delta);
    render(index);
  };
  return list;
}

QWidget* DialogView::createStatic(std::size_t index) {
  const ControlTemplate& row = *window_.ControlAt(index).row;
  switch (row.kind) {
    case ControlKind::GroupBox: {
      auto* frame = new QGroupBox(this);
      // A frame only surrounds its controls; the clicks are theirs.
      frame->setAttribute(Qt::WA_TransparentForMouseEvents);
      return frame;
    }
    case ControlKind::Picture: {
      auto* picture = new QLabel(this);
      picture->setFrameStyle(QFrame::Box | QFrame::Plain);
      picture->setAlignment(Qt::AlignCenter);
      picture->setPixmap(RenderArtwork(row.resource, kLogoBitmapSize));
      return picture;
    }
    case ControlKind::Icon: {
      auto* icon = new QLabel(this);
      icon->setPixmap(RenderArtwork(row.resource, QSize(kIconPixels, kIconPixels)));
      icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return icon;
    }
    default: {
      auto* text = new QLabel(this);
      text->setTextFormat(Qt::PlainText);
      text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return text;
    }
  }
}

// The radio pair is one group: an arrow key moves to the partner and checks it.
void DialogView::arrowOnRadio(std::size_t index, bool forward) {
  const std::size_t count = widgets_.size();
  for (std::size_t step = 1; step < count; ++step) {
    const std::size_t other = forward ? (index + step) % count : (index + count - step) % count;
    if (window_.ControlAt(other).row->kind != ControlKind::RadioButton) continue;
    if (!widgets_[other]->isVisible() || !widgets_[other]->isEnabled()) continue;
    widgets_[other]->setFocus(Qt::TabFocusReason);
    window_.UserClick(idAt(other));
    render(other);
    return;
  }
}

bool DialogView::eventFilter(QObject* watched, QEvent* event) {
  const QVariant property = watched->property(kControlIndexProperty);
  if (event->type() != QEvent::KeyPress || !property.isValid()) {
    return QDialog::eventFilter(watched, event);
  }
  const std::size_t index = property.toULongLong();
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (window_.ControlAt(index).row->kind == ControlKind::Slider) {
    const std::optional<ScrollCode> code = scrollCodeOfKey(key);
    if (code) sliderStep(index, *code);
    return code.has_value();
  }
  const bool forward = key == Qt::Key_Down || key == Qt::Key_Right;
  const bool backward = key == Qt::Key_Up || key == Qt::Key_Left;
  if (forward || backward) {
    arrowOnRadio(index, forward);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace torvix
