// SPDX-License-Identifier: MIT
// The window layer's state of one control, drawn onto its widget. Signals stay blocked while a
// widget is set, so drawing never reads as user input.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

#include "app/qt/dialog_view.h"
#include "app/qt/drop_down_list.h"

namespace torvix {

void DialogView::render(std::size_t index) {
  const ControlState& state = window_.ControlAt(index);
  QWidget* widget = widgets_[index];
  const QSignalBlocker blocker(widget);
  const QString text = QString::fromStdString(state.text);
  switch (state.row->kind) {
    case ControlKind::DefaultPushButton:
    case ControlKind::PushButton: static_cast<QAbstractButton*>(widget)->setText(text); break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: {
      auto* button = static_cast<QAbstractButton*>(widget);
      button->setText(text);
      button->setChecked(state.check != 0);
      break;
    }
    case ControlKind::Slider: {
      auto* slider = static_cast<QSlider*>(widget);
      slider->setRange(state.rangeMin, std::max(state.rangeMin, state.rangeMax));
      // The same page as the layer's, so the thumb does not jump back after a page step.
      slider->setPageStep(std::max(1, (state.rangeMax - state.rangeMin) / 5));
      slider->setValue(state.position);
      break;
    }
    case ControlKind::Edit: {
      auto* edit = static_cast<QLineEdit*>(widget);
      if (edit->text() != text) edit->setText(text);
      break;
    }
    case ControlKind::DropDownList: {
      auto* list = static_cast<DropDownList*>(widget);
      if (list->currentIndex() != state.selection) list->setCurrentIndex(state.selection);
      break;
    }
    case ControlKind::GroupBox: static_cast<QGroupBox*>(widget)->setTitle(text); break;
    case ControlKind::Text: static_cast<QLabel*>(widget)->setText(text); break;
    default: break;
  }
  // The layer's rule, not Qt's: a control that is disabled or hidden while it has the focus
  // hands it to no control. Qt would pass it on along the tab chain (to Cancel, say), where
  // the next Enter or Space would act. The dialog itself holds it instead, so Enter goes to
  // the default button and Space to nothing, also once the window is active again.
  if (!state.enabled || !state.visible) {
    const QWidget* focused = focusWidget();
    if (focused != nullptr && (focused == widget || widget->isAncestorOf(focused))) {
      setFocus(Qt::OtherFocusReason);
    }
  }
  widget->setEnabled(state.enabled);
  widget->setHidden(!state.visible);
  widget->setToolTip(QString::fromStdString(state.tip));
}

}  // namespace torvix
