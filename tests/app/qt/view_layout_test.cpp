// SPDX-License-Identifier: MIT
// The window built from the template: every row a widget of its kind, at its place, with its
// caption, shown or hidden as the layer has it, in the template's tab order.
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "app/qt/dialog_units.h"
#include "app/qt/drop_down_list.h"
#include "app/resource_ids.h"
#include "app/resources/dialog_templates.h"
#include "tests/app/qt/qt_fixture.h"

namespace torvix::testing {
namespace {

// The caption a widget shows, whatever its kind; empty for a control without one.
QString shownCaption(QWidget* widget) {
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  return {};
}

bool isOfKind(QWidget* widget, ControlKind kind) {
  switch (kind) {
    case ControlKind::DefaultPushButton:
    case ControlKind::PushButton: return qobject_cast<QPushButton*>(widget) != nullptr;
    case ControlKind::CheckBox: return qobject_cast<QCheckBox*>(widget) != nullptr;
    case ControlKind::RadioButton: return qobject_cast<QRadioButton*>(widget) != nullptr;
    case ControlKind::Slider: return qobject_cast<QSlider*>(widget) != nullptr;
    case ControlKind::Edit: return qobject_cast<QLineEdit*>(widget) != nullptr;
    case ControlKind::DropDownList: return qobject_cast<QComboBox*>(widget) != nullptr;
    case ControlKind::GroupBox: return qobject_cast<QGroupBox*>(widget) != nullptr;
    default: return qobject_cast<QLabel*>(widget) != nullptr;
  }
}

using QtViewLayoutTest = QtViewTest;

TEST_F(QtViewLayoutTest, EveryTemplateRowIsOneWidgetWithItsKindCaptionPlaceAndVisibility) {
  RunOpen([](DialogView& view) {
    const DialogTemplate& dialogTemplate = MainDialogTemplate();
    ASSERT_EQ(view.WidgetCount(), kMainDialogControlCount);
    EXPECT_EQ(view.windowTitle(), QStringLiteral("Torvix_Controller_r16"));
    const PixelRect client = ToPixels({0, 0, 517, 204}, view.Units());
    EXPECT_EQ(view.size(), QSize(client.width, client.height));
    for (std::size_t index = 0; index < view.WidgetCount(); ++index) {
      const ControlTemplate& row = dialogTemplate.controls[index];
      const ControlState& state = view.Window().ControlAt(index);
      QWidget* widget = view.WidgetAt(index);
      SCOPED_TRACE(::testing::Message() << "row " << index + 1 << " id " << row.id);
      EXPECT_TRUE(isOfKind(widget, row.kind));
      if (row.id != kStaticId) {
        EXPECT_EQ(view.WidgetFor(row.id), widget);
      }
      if (row.kind != ControlKind::Edit) {
        EXPECT_EQ(shownCaption(widget).toStdString(), row.caption);
      }
      EXPECT_EQ(widget->isVisibleTo(&view), state.visible);
      if (!row.shown) {
        EXPECT_FALSE(widget->isVisibleTo(&view));
      }
      const PixelRect rect = ToPixels(row.rect, view.Units());
      EXPECT_EQ(widget->pos(), QPoint(rect.x, rect.y));
      if (row.kind == ControlKind::Picture) {
        EXPECT_EQ(widget->size(), QSize(166 + 2, 49 + 2)) << "bitmap 130 inside its border";
      } else if (row.kind != ControlKind::Icon) {
        EXPECT_EQ(widget->width(), rect.width);
      }
    }
  });
}

TEST_F(QtViewLayoutTest, ListsCarryTheirFixedItemsAndSlidersAndEditsTheirStyles) {
  RunOpen([](DialogView& view) {
    for (int id : {IDC_WHITE_BALANCE_MODE, IDC_WDR_MODE, IDC_BLC_SIZE, IDC_BLC_HORIZONTAL,
                   IDC_BLC_VERTICAL, IDC_DN_MODE, IDC_ZOOM_FACTOR}) {
      auto* list = qobject_cast<QComboBox*>(view.WidgetFor(id));
      ASSERT_NE(list, nullptr);
      const auto items = view.Window().Find(id)->row->items;
      ASSERT_EQ(static_cast<std::size_t>(list->count()), items.size()) << id;
      for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(list->itemText(static_cast<int>(i)).toStdString(), items[i]) << id;
      }
    }
    auto* slider = qobject_cast<QSlider*>(view.WidgetFor(IDC_CONTRAST_SLIDER));
    EXPECT_EQ(slider->orientation(), Qt::Horizontal);
    EXPECT_EQ(slider->tickPosition(), QSlider::NoTicks);
    EXPECT_TRUE(qobject_cast<QLineEdit*>(view.WidgetFor(IDC_CONTRAST_EDIT))->hasFrame());
  });
}

// The template height of a list counts the field and its open list: the list opens below the
// field and no taller than that, showing whole rows (BLC Size has 16 items, room for a few).
TEST_F(QtViewLayoutTest, AnOpenListIsAsTallAsItsTemplateRowAllows) {
  RunOpen([](DialogView& view) {
    for (int id : {IDC_WHITE_BALANCE_MODE, IDC_WDR_MODE, IDC_BLC_SIZE, IDC_BLC_HORIZONTAL,
                   IDC_BLC_VERTICAL, IDC_DN_MODE, IDC_ZOOM_FACTOR}) {
      SCOPED_TRACE(id);
      auto* list = static_cast<DropDownList*>(view.WidgetFor(id));
      const int templateHeight = ToPixels(view.Window().Find(id)->row->rect, view.Units()).height;
      list->showPopup();
      QWidget* popup = list->view()->window();
      ASSERT_TRUE(popup->isVisible());
      EXPECT_GE(popup->y(), list->mapToGlobal(QPoint(0, list->height())).y() - 1);
      EXPECT_LE(list->height() + popup->height(), templateHeight);
      // Either every item is shown, or one row more would not have fitted.
      const int row = list->view()->sizeHintForRow(0);
      if (list->view()->viewport()->height() / row < list->count()) {
        EXPECT_GT(list->height() + popup->height() + row, templateHeight);
      }
      list->hidePopup();
      Settle();
    }
  });
}

TEST_F(QtViewLayoutTest, RadioPairIsOneGroupOutsideTheTabOrder) {
  RunOpen([](DialogView& view) {
    ASSERT_NE(view.RadioGroup(), nullptr);
    EXPECT_EQ(view.RadioGroup()->buttons().size(), 2);
    EXPECT_EQ(view.RadioGroup()->button(IDC_PAL), view.WidgetFor(IDC_PAL));
    EXPECT_EQ(view.RadioGroup()->button(IDC_NTSC), view.WidgetFor(IDC_NTSC));

    // Tab from the focus the layer chose visits the visible tab stops in template order.
    std::vector<int> expected;
    for (std::size_t index = 0; index < view.WidgetCount(); ++index) {
      const ControlState& state = view.Window().ControlAt(index);
      if (state.visible && HasTabStop(state.row->kind)) expected.push_back(state.row->id);
    }
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(expected.front(), kIdCancel);
    std::vector<int> visited;
    QWidget* widget = view.WidgetFor(kIdCancel);
    do {
      if (widget->isVisibleTo(&view) && (widget->focusPolicy() & Qt::TabFocus) &&
          widget->property(kControlIndexProperty).isValid()) {
        visited.push_back(
            view.Window().ControlAt(widget->property(kControlIndexProperty).toULongLong()).row->id);
      }
      widget = widget->nextInFocusChain();
    } while (widget != view.WidgetFor(kIdCancel) && visited.size() <= expected.size());
    EXPECT_EQ(visited, expected);
  });
}

}  // namespace
}  // namespace torvix::testing
