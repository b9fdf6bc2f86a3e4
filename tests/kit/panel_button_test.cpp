// The plug-ins' black panel buttons: one click acts once, a disabled one never,
// and the keyboard presses them once Tab has reached them.
#include "base/kit/panel_button.h"

#include <gtest/gtest.h>

#include <QTest>

#include "base/kit/colours.h"

namespace {

class PanelButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    button_.setText(QStringLiteral("Save"));
    button_.resize(120, 30);
    QObject::connect(&button_, &look::PanelButton::clicked, [this] { ++clicks_; });
    window_.resize(200, 100);
    window_.show();
  }

  QWidget window_;
  look::PanelButton& button_ = *new look::PanelButton(&window_);
  int clicks_ = 0;
};

TEST_F(PanelButtonTest, AClickActsOnceAndGoesNoFurther) {
  int parentPresses = 0;
  struct PressCounter : QObject {
    int* count;
    explicit PressCounter(int* c) : count(c) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::MouseButtonRelease) ++*count;
      return false;
    }
  } counter(&parentPresses);
  window_.installEventFilter(&counter);
  QTest::mouseClick(&button_, Qt::LeftButton);
  EXPECT_EQ(clicks_, 1);
  EXPECT_EQ(parentPresses, 0) << "the release stays with the button";
  QTest::mouseClick(&button_, Qt::RightButton);
  EXPECT_EQ(clicks_, 1) << "only the left button presses";
}

TEST_F(PanelButtonTest, AReleaseOutsideTheButtonIsNoClick) {
  QTest::mousePress(&button_, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&button_, Qt::LeftButton, {}, QPoint(500, 5));
  EXPECT_EQ(clicks_, 0);
}

TEST_F(PanelButtonTest, ADisabledButtonIsGreyShowsTheArrowAndCannotBePressed) {
  EXPECT_EQ(button_.cursor().shape(), Qt::PointingHandCursor);
  button_.setEnabled(false);
  EXPECT_EQ(button_.cursor().shape(), Qt::ArrowCursor);
  QTest::mouseClick(&button_, Qt::LeftButton);
  QTest::keyClick(&button_, Qt::Key_Return);
  EXPECT_EQ(clicks_, 0);
  EXPECT_TRUE(button_.styleSheet().contains(look::kPanelDisabled.name()));
  button_.setEnabled(true);
  EXPECT_EQ(button_.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(PanelButtonTest, TabReachesItAndEnterOrSpacePressItOnce) {
  EXPECT_EQ(button_.focusPolicy() & Qt::TabFocus, Qt::TabFocus);
  QTest::keyClick(&button_, Qt::Key_Return);
  QTest::keyClick(&button_, Qt::Key_Enter);
  QTest::keyClick(&button_, Qt::Key_Space);
  EXPECT_EQ(clicks_, 3);
  QTest::keyPress(&button_, Qt::Key_Space, {}, -1);
  QKeyEvent held(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QString(), /*autorep=*/true);
  QCoreApplication::sendEvent(&button_, &held);
  EXPECT_EQ(clicks_, 4) << "a held key presses once";
  QTest::keyClick(&button_, Qt::Key_A);
  EXPECT_EQ(clicks_, 4);
}

TEST_F(PanelButtonTest, TheFocusRingFollowsTheFocus) {
  auto* ring = button_.findChild<QWidget*>(QStringLiteral("FocusRing"));
  ASSERT_NE(ring, nullptr);
  EXPECT_FALSE(ring->isVisible());
  window_.activateWindow();
  button_.setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(button_.hasFocus());
  EXPECT_TRUE(ring->isVisible());
  EXPECT_EQ(ring->geometry(), button_.rect());
  EXPECT_TRUE(ring->testAttribute(Qt::WA_TransparentForMouseEvents)) << "clicks go to the button";
  button_.clearFocus();
  EXPECT_FALSE(ring->isVisible());
}

}  // namespace
