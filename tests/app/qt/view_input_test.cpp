// SPDX-License-Identifier: MIT
// What the user does to the real widgets reaches the camera exactly as the window layer's
// rules say, and drawing the layer's state onto the widgets raises no event of its own.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>
#include <tuple>

#include "app/qt/drop_down_list.h"
#include "app/resource_ids.h"
#include "tests/app/qt/qt_fixture.h"

namespace torvix::testing {
namespace {

constexpr uint8_t kContrastRegister = 0x57;
constexpr uint8_t kBrightnessRegister = 0x54;

QPoint handleCentre(QSlider* slider) {
  QStyleOptionSlider option;
  option.initFrom(slider);
  option.orientation = slider->orientation();
  option.minimum = slider->minimum();
  option.maximum = slider->maximum();
  option.sliderPosition = slider->sliderPosition();
  option.sliderValue = slider->value();
  option.subControls = QStyle::SC_All;
  return slider->style()
      ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
      .center();
}

// The value the camera was last told for a register.
int lastWrittenValue(uint8_t reg) {
  const BusLog& log = SimRig::Instance().Log();
  int value = -1;
  std::size_t from = 0;
  while (auto found = log.FindWrite({0x00, 0x30, reg}, from)) {
    if (*found + 1 < log.Size() && log[*found + 1].bytes.size() == 1)
      value = log[*found + 1].bytes[0];
    from = *found + 1;
  }
  return value;
}

using QtViewInputTest = QtViewTest;

TEST_F(QtViewInputTest, DraggingAndReleasingTheContrastSliderWritesItsRegisterOnce) {
  RunOpen([this](DialogView& view) {
    auto* slider = qobject_cast<QSlider*>(view.WidgetFor(IDC_CONTRAST_SLIDER));
    ASSERT_NE(slider, nullptr);
    Rig().Log().Clear();
    events.clear();
    const QPoint from = handleCentre(slider);
    const QPoint to = from + QPoint(slider->width() / 4, 0);
    QTest::mousePress(slider, Qt::LeftButton, {}, from);
    QTest::mouseMove(slider, to);
    QTest::mouseMove(slider, to + QPoint(3, 0));
    EXPECT_EQ(WritesOf(kContrastRegister), 0u) << "nothing is written while the thumb is held";
    QTest::mouseRelease(slider, Qt::LeftButton, {}, to + QPoint(3, 0));

    EXPECT_EQ(EventsOf(WindowMessage::HScroll, kTbThumbPosition).size(), 1u);
    EXPECT_EQ(WritesOf(kContrastRegister), 1u);
    const int position = view.Window().ControlAt(6).position;
    EXPECT_EQ(slider->value(), position);
    EXPECT_NE(position, 0x3c) << "the thumb moved";
    EXPECT_EQ(lastWrittenValue(kContrastRegister), position);
    EXPECT_EQ(Rig().Camera().Register(kContrastRegister), position);
  });
}

// "O (bright)" runs 0..255. Its keys are the platform slider's, not Qt's (Page Up and Up
// lower); none of them writes.
TEST_F(QtViewInputTest, KeysOnASliderMoveItAsThePlatformsDoAndWriteNothing) {
  // Each key, its scroll code and the move from 128: a line, a page of 51, or to an end.
  const std::tuple<Qt::Key, ScrollCode, int> keys[] = {
      {Qt::Key_Right, kTbLineDown, 1},     {Qt::Key_Down, kTbLineDown, 1},
      {Qt::Key_Left, kTbLineUp, -1},       {Qt::Key_Up, kTbLineUp, -1},
      {Qt::Key_PageDown, kTbPageDown, 51}, {Qt::Key_PageUp, kTbPageUp, -51},
      {Qt::Key_Home, kTbTop, -128},        {Qt::Key_End, kTbBottom, 127}};
  RunOpen([&](DialogView& view) {
    auto* slider = qobject_cast<QSlider*>(view.WidgetFor(IDC_BRIGHTNESS_SLIDER));
    slider->setFocus();
    Rig().Log().Clear();
    for (const auto& [key, code, step] : keys) {
      SCOPED_TRACE(code);
      view.Window().SetPos(IDC_BRIGHTNESS_SLIDER, 128);
      events.clear();
      QTest::keyClick(slider, key);
      ASSERT_EQ(events.size(), 2u);
      EXPECT_EQ(events[0].code, code);
      EXPECT_EQ(events[1].code, kTbEndTrack);
      EXPECT_EQ(view.Window().GetPos(IDC_BRIGHTNESS_SLIDER), 128 + step);
      EXPECT_EQ(slider->value(), 128 + step) << "the widget shows the layer's position";
    }
    EXPECT_EQ(WritesOf(kBrightnessRegister), 0u);
  });
}

TEST_F(QtViewInputTest, TypingIntoAValueEditWritesItAndTheLimitHoldsAtTwoDigits) {
  Rig().Camera().SetRegister(kContrastRegister, 0x20);
  RunOpen([this](DialogView& view) {
    auto* edit = qobject_cast<QLineEdit*>(view.WidgetFor(IDC_CONTRAST_EDIT));
    ASSERT_EQ(edit->text(), QStringLiteral("20"));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("3c"));
    EXPECT_EQ(edit->text(), QStringLiteral("3c"));
    EXPECT_EQ(lastWrittenValue(kContrastRegister), 0x3c);
    EXPECT_EQ(Rig().Camera().Register(kContrastRegister), 0x3c);
    EXPECT_EQ(qobject_cast<QSlider*>(view.WidgetFor(IDC_CONTRAST_SLIDER))->value(), 0x3c);

    const std::size_t writes = WritesOf(kContrastRegister);
    QTest::keyClicks(edit, QStringLiteral("f"));
    EXPECT_EQ(edit->text(), QStringLiteral("3c")) << "a third digit is refused";
    EXPECT_EQ(view.Window().GetWindowText(IDC_CONTRAST_EDIT), "3c");
    EXPECT_EQ(WritesOf(kContrastRegister), writes);
  });
}

// "é" is one character in two bytes: the two-character limit takes it whole after "1".
TEST_F(QtViewInputTest, TheEditLimitCountsCharactersNotBytes) {
  RunOpen([](DialogView& view) {
    auto* edit =
        qobject_cast<QLineEdit*>(view.WidgetFor(IDC_COLOR_GAIN_EDIT));  // limited to 2 at start-up
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_1);
    for (const QString& accented : {QStringLiteral("\u00e9"), QStringLiteral("\u00e8")}) {
      QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, accented, Qt::NoModifier);
    }
    EXPECT_EQ(edit->text(), QStringLiteral("1\u00e9"));
    EXPECT_EQ(view.Window().GetWindowText(IDC_COLOR_GAIN_EDIT), "1\xc3\xa9");
  });
}

struct ListCase {
  int id;
  uint8_t reg;
};

class QtViewListTest : public QtViewTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(QtViewListTest, OpeningAndClosingWritesButArrowsOnTheClosedListWriteNothing) {
  const ListCase param = GetParam();
  RunOpen([this, param](DialogView& view) {
    auto* list = static_cast<DropDownList*>(view.WidgetFor(param.id));
    list->setFocus();
    Rig().Log().Clear();
    events.clear();

    QTest::keyClick(list, Qt::Key_Down);
    Settle();
    EXPECT_EQ(WritesOf(param.reg), 0u);
    EXPECT_EQ(EventsOf(WindowMessage::Command, kCbnCloseUp).size(), 0u);
    EXPECT_EQ(view.Window().GetCurSel(param.id), list->currentIndex());

    // Opened and closed without choosing: the close-up alone writes.
    list->showPopup();
    EXPECT_TRUE(list->IsOpen());
    list->hidePopup();
    Settle();
    EXPECT_FALSE(list->IsOpen());
    EXPECT_EQ(EventsOf(WindowMessage::Command, kCbnCloseUp).size(), 1u);
    EXPECT_EQ(WritesOf(param.reg), 1u);

    // Chosen on the open list: the item is the selection before the close-up is handled.
    list->showPopup();
    const int chosen = 0;
    list->view()->setCurrentIndex(list->model()->index(chosen, 0));
    QTest::keyClick(list->view(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(EventsOf(WindowMessage::Command, kCbnCloseUp).size(), 2u);
    EXPECT_EQ(WritesOf(param.reg), 2u);
    EXPECT_EQ(view.Window().GetCurSel(param.id), chosen);
    EXPECT_EQ(list->currentIndex(), chosen);
  });
}

// "DN Mode", "WDR Mode" and "Zoom Factor", each with the register its handler writes.
INSTANTIATE_TEST_SUITE_P(Lists, QtViewListTest,
                         ::testing::Values(ListCase{IDC_DN_MODE, 0x60},
                                           ListCase{IDC_WDR_MODE, 0x07},
                                           ListCase{IDC_ZOOM_FACTOR, 0x6a}));

TEST_F(QtViewInputTest, DrawingTheLayersStateRaisesNoEvent) {
  RunOpen([this](DialogView& view) {
    DialogWindow& window = view.Window();
    events.clear();
    window.SetCheck(IDC_MIRROR, 1);
    window.SetPos(IDC_CONTRAST_SLIDER, window.Find(IDC_CONTRAST_SLIDER)->rangeMax);
    window.SetCurSel(IDC_DN_MODE, 2);
    window.SetCheck(IDC_PAL, 1);
    for (std::size_t index = 0; index < view.WidgetCount(); ++index) view.ControlChanged(index);
    Settle();
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(view.WidgetFor(IDC_MIRROR))->isChecked());
    EXPECT_EQ(qobject_cast<QSlider*>(view.WidgetFor(IDC_CONTRAST_SLIDER))->value(),
              window.GetPos(IDC_CONTRAST_SLIDER));
    EXPECT_EQ(qobject_cast<QComboBox*>(view.WidgetFor(IDC_DN_MODE))->currentIndex(), 2);
  });
}

}  // namespace
}  // namespace torvix::testing
