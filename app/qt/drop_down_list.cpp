// SPDX-License-Identifier: MIT
#include "app/qt/drop_down_list.h"

#include <QAbstractItemView>
#include <QEvent>
#include <algorithm>

namespace torvix {

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
  // The platform's list opens below the field with a scroll bar; some Qt styles would lay it
  // over the field instead and ignore how many rows it may show.
  setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  // view() creates the popup; its container is the view's parent.
  popup_ = view()->parentWidget();
  if (popup_ != nullptr) popup_->installEventFilter(this);
  connect(this, &QComboBox::activated, this, &DropDownList::activatedByUser);
}

void DropDownList::showPopup() {
  if (open_) return;
  if (onOpen && !onOpen()) return;
  open_ = true;
  closing_ = false;
  if (listHeight_ > 0) {
    const int row = std::max(1, view()->sizeHintForRow(0));
    const int frame = popup_ != nullptr ? popup_->height() - popup_->contentsRect().height() : 0;
    setMaxVisibleItems(std::max(1, (listHeight_ - std::max(0, frame)) / row));
  }
  QComboBox::showPopup();
  if (popup_ == nullptr || !popup_->isVisible()) {
    closing_ = true;
    settleClose();
  }
}

bool DropDownList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == popup_ && event->type() == QEvent::Hide && open_ && !closing_) {
    closing_ = true;
    QMetaObject::invokeMethod(this, &DropDownList::settleClose, Qt::QueuedConnection);
  }
  return QComboBox::eventFilter(watched, event);
}

void DropDownList::activatedByUser(int index) {
  if (!open_) {
    if (onClosedMove) onClosedMove(index);
    return;
  }
  // Chosen on the open list: the close carries the item.
  open_ = false;
  closing_ = false;
  if (onClose) onClose(index);
}

void DropDownList::settleClose() {
  if (!closing_) return;
  closing_ = false;
  open_ = false;
  if (onClose) onClose(kNothingChosen);
}

}  // namespace torvix
