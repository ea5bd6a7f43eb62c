// SPDX-License-Identifier: MIT
// A drop-down list that reports the two things the window layer tells apart: the list closed
// (with or without a chosen item), and the selection moved on the closed list.
//
// Qt closes the popup in several ways: hidePopup() before it reports a chosen item, a plain
// close() on Esc, a click outside. All of them hide the popup's container, so that is where the
// close is caught; a chosen item arrives as activated() right after, in the same call. A close
// with nothing chosen is settled once that call has returned.
#pragma once

#include <QComboBox>
#include <functional>

namespace torvix {

inline constexpr int kNothingChosen = -1;

class DropDownList final : public QComboBox {
 public:
  explicit DropDownList(QWidget* parent);

  std::function<bool()> onOpen;                 // false keeps the list closed
  std::function<void(int chosen)> onClose;      // kNothingChosen, or the chosen item
  std::function<void(int index)> onClosedMove;  // keys or the wheel on the closed list

  // The height of the open list below the field; it shows as many whole rows as fit.
  void SetListHeight(int pixels) { listHeight_ = pixels; }

  void showPopup() override;
  bool IsOpen() const { return open_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void activatedByUser(int index);
  void settleClose();

  QWidget* popup_ = nullptr;
  int listHeight_ = 0;
  bool open_ = false;
  bool closing_ = false;
};

}  // namespace torvix
