// SPDX-License-Identifier: MIT
// The Qt view of one dialog window of the window layer.
//
// It creates one widget per template row at the row's position, scaled from dialog units by the
// font; turns what the user does into the window layer's user input; and re-renders a control
// whenever the layer reports a change, with the widget's own signals blocked. So the layer keeps
// the truth and the toolkit's rules, and the view never raises an event the layer did not.
#pragma once

#include <QDialog>
#include <cstddef>
#include <functional>
#include <vector>

#include "app/qt/dialog_units.h"
#include "window/dialog_window.h"

class QButtonGroup;

namespace torvix {

// Every control's widget carries its template index under this property.
inline constexpr const char* kControlIndexProperty = "torvixControlIndex";

class DialogView final : public QDialog, public WindowListener {
 public:
  DialogView(DialogWindow& window, QWidget* parent);
  ~DialogView() override;

  DialogWindow& Window() { return window_; }
  DialogUnits Units() const { return units_; }
  std::size_t WidgetCount() const { return widgets_.size(); }
  // The widget of the control at this template index.
  QWidget* WidgetAt(std::size_t index) const { return widgets_.at(index); }
  // The widget of the first control with this ID, or nullptr.
  QWidget* WidgetFor(int id) const;
  QButtonGroup* RadioGroup() const { return radioGroup_; }

  // Shows the window with every control as the layer has it and the focus where the layer put
  // it.
  void Present();
  // Called once the layer's window has ended.
  std::function<void()> onEnded;

  void ControlChanged(std::size_t index) override;
  void WindowChanged() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // control_widgets.cpp: one widget per row, wired to the layer's user input.
  QWidget* createWidget(std::size_t index);
  QWidget* createButton(std::size_t index);
  QWidget* createSlider(std::size_t index);
  QWidget* createEdit(std::size_t index);
  QWidget* createList(std::size_t index);
  QWidget* createStatic(std::size_t index);
  void placeWidget(QWidget* widget, std::size_t index);
  void userEdited(std::size_t index, const QString& text);
  void userSliderAction(std::size_t index, int action);
  void sliderStep(std::size_t index, ScrollCode code);
  void arrowOnRadio(std::size_t index, bool forward);

  // control_render.cpp: the layer's state onto a widget.
  void render(std::size_t index);

  int idAt(std::size_t index) const { return window_.ControlAt(index).row->id; }
  void focusChanged(QWidget* now);

  DialogWindow& window_;
  DialogUnits units_{};
  std::vector<QWidget*> widgets_;
  QButtonGroup* radioGroup_ = nullptr;
  bool endedSeen_ = false;
  QMetaObject::Connection focusConnection_;
};

}  // namespace torvix
