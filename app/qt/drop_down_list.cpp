#include "app/qt/drop_down_list.h"

#include <QAbstractItemView>
#include <QEvent>

namespace torvix {

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
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
