// Tests find a screen's controls by their object names, as the acceptance
// suite does; a wrong name fails the test and says which.
#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <stdexcept>

#include "widgets.h"

namespace {

class WidgetLookup : public ::testing::Test {
 protected:
  WidgetLookup() {
    screen_.setObjectName(QStringLiteral("Screen"));
    Make<QFrame>(&screen_, "Bottom");
    Make<QLabel>(screen_.findChild<QFrame*>(QStringLiteral("Bottom")), "Image2");
    Make<QLabel>(&screen_, "Image2");  // a second one, elsewhere on the screen
    Make<QLineEdit>(&screen_, "Edit1");
  }
  template <class W>
  static W* Make(QWidget* parent, const char* name) {
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
  }
  std::string Failure(const char* path) {
    try {
      Child<QLabel>(screen_, path);
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "found";
  }

  QWidget screen_;
};

TEST_F(WidgetLookup, FindsAWidgetByNameOrByPath) {
  EXPECT_EQ(Child<QLineEdit>(screen_, "Edit1").objectName(), "Edit1");
  QLabel& image = Child<QLabel>(screen_, "Bottom/Image2");
  EXPECT_EQ(image.parentWidget()->objectName(), "Bottom");
  EXPECT_EQ(&Child<QWidget>(screen_, "Edit1"), &Child<QLineEdit>(screen_, "Edit1"))
      << "any base class will do";
}

TEST_F(WidgetLookup, AMissingAmbiguousOrWronglyTypedWidgetFailsWithItsName) {
  EXPECT_EQ(Failure("Image9"), "no widget named 'Image9' under Screen (looking for 'Image9')");
  EXPECT_EQ(Failure("Image2"),
            "more than one widget named 'Image2' under Screen (looking for 'Image2')");
  EXPECT_EQ(Failure("Edit1"), "'Edit1' under Screen is a QLineEdit, not a QLabel");
}

}  // namespace
