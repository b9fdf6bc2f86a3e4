// The back strip every screen shows on its left, the program's and the
// plug-ins' alike.
#include "base/kit/back_strip.h"

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

#include "base/kit/colours.h"

namespace {

class BackStripTest : public ::testing::Test {
 protected:
  BackStripTest() {
    auto* layout = new QVBoxLayout(&strip_);
    layout->addWidget(&caption_);
    caption_.setText(QStringLiteral("Back"));
    strip_.setGeometry(0, 0, 145, 400);
    background_.setGeometry(145, 0, 400, 400);
    window_.resize(545, 400);
    window_.show();
  }

  bool Lit() const {
    return strip_.palette().color(QPalette::Window) == look::kHover && caption_.font().bold();
  }
  bool Unlit() const {
    return strip_.palette().color(QPalette::Window) == look::kWhite && !caption_.font().bold();
  }
  static void Send(QWidget& widget, QEvent::Type type) {
    if (type == QEvent::Enter) {
      QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
      QCoreApplication::sendEvent(&widget, &enter);
    } else {
      QEvent event(type);
      QCoreApplication::sendEvent(&widget, &event);
    }
  }

  QWidget window_;
  QFrame& strip_ = *new QFrame(&window_);
  QLabel& caption_ = *new QLabel(&strip_);
  QFrame& background_ = *new QFrame(&window_);
  int backs_ = 0;
};

TEST_F(BackStripTest, LightsUpUnderTheMouseAndGoesOutWhenLeft) {
  look::MakeBackStrip(&strip_, &caption_, [this] { ++backs_; });
  EXPECT_TRUE(Unlit());
  EXPECT_EQ(strip_.cursor().shape(), Qt::PointingHandCursor);
  Send(strip_, QEvent::Enter);
  EXPECT_TRUE(Lit());
  Send(strip_, QEvent::Leave);
  EXPECT_TRUE(Unlit());
  Send(caption_, QEvent::Enter);
  EXPECT_TRUE(Lit()) << "the caption counts as the strip";
}

TEST_F(BackStripTest, WithABackgroundItStaysLitUntilThePointerIsOverThatBackground) {
  look::MakeBackStrip(
      &strip_, &caption_, [this] { ++backs_; }, &background_);
  Send(strip_, QEvent::Enter);
  Send(strip_, QEvent::Leave);
  EXPECT_TRUE(Lit()) << "the program's screens go out over their background only";
  Send(background_, QEvent::Enter);
  EXPECT_TRUE(Unlit());
}

TEST_F(BackStripTest, AClickOnTheStripOrItsCaptionGoesBackOnce) {
  look::MakeBackStrip(&strip_, &caption_, [this] { ++backs_; });
  QTest::mouseClick(&caption_, Qt::LeftButton);
  EXPECT_EQ(backs_, 1) << "the caption's click does not reach the strip as well";
  QTest::mouseClick(&strip_, Qt::LeftButton, {}, QPoint(5, 390));
  EXPECT_EQ(backs_, 2);
}

TEST_F(BackStripTest, TabReachesItAndSpaceOrEnterGoBack) {
  look::MakeBackStrip(&strip_, &caption_, [this] { ++backs_; });
  EXPECT_EQ(strip_.focusPolicy() & Qt::TabFocus, Qt::TabFocus);
  EXPECT_EQ(caption_.focusPolicy() & Qt::TabFocus, 0) << "the caption is part of the strip";
  QTest::keyClick(&strip_, Qt::Key_Space);
  QTest::keyClick(&strip_, Qt::Key_Return);
  EXPECT_EQ(backs_, 2);
  EXPECT_NE(strip_.findChild<QWidget*>(QStringLiteral("FocusRing")), nullptr);
}

}  // namespace
