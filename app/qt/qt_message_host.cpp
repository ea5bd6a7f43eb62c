// SPDX-License-Identifier: MIT
#include "app/qt/qt_message_host.h"

#include <vector>

#include "app/application.h"
#include "app/qt/qt_modal_host.h"

namespace torvix {

namespace {

constexpr unsigned kButtonMask = 0x0F;
constexpr unsigned kIconMask = 0xF0;
constexpr unsigned kDefaultButtonMask = 0xF00;

}  // namespace

QMessageBox::StandardButtons ButtonsOfType(unsigned type) {
  using B = QMessageBox;
  switch (type & kButtonMask) {
    case 1: return B::Ok | B::Cancel;
    case 2: return B::Abort | B::Retry | B::Ignore;
    case 3: return B::Yes | B::No | B::Cancel;
    case 4: return B::Yes | B::No;
    case 5: return B::Retry | B::Cancel;
    default: return B::Ok;
  }
}

QMessageBox::Icon IconOfType(unsigned type) {
  switch (type & kIconMask) {
    case 0x10: return QMessageBox::Critical;
    case 0x20: return QMessageBox::Question;
    case 0x30: return QMessageBox::Warning;
    case 0x40: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

int AnswerOf(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok: return 1;
    case QMessageBox::Cancel: return 2;
    case QMessageBox::Abort: return 3;
    case QMessageBox::Retry: return 4;
    case QMessageBox::Ignore: return 5;
    case QMessageBox::Yes: return 6;
    case QMessageBox::No: return 7;
    default: return kAnswerCancel;
  }
}

int QtMessageHost::Show(const char* text, unsigned type) {
  QWidget* parent = windows_ != nullptr ? windows_->TopWindow() : nullptr;
  QMessageBox box(IconOfType(type), QString::fromUtf8(kApplicationName),
                  QString::fromUtf8(text != nullptr ? text : ""), ButtonsOfType(type), parent);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  // The type's default button: the first unless it names the second or third, counted in the
  // order the buttons stand (the order of Qt's standard buttons is that order).
  std::vector<QMessageBox::StandardButton> ordered;
  for (unsigned bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1) {
    if (ButtonsOfType(type).testFlag(static_cast<QMessageBox::StandardButton>(bit))) {
      ordered.push_back(static_cast<QMessageBox::StandardButton>(bit));
    }
  }
  const std::size_t defaultIndex = (type & kDefaultButtonMask) >> 8;
  if (defaultIndex < ordered.size()) box.setDefaultButton(ordered[defaultIndex]);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  if (clicked == nullptr) return kAnswerCancel;
  return AnswerOf(box.standardButton(clicked));
}

}  // namespace torvix
