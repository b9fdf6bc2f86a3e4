#include <gtest/gtest.h>

#include <QApplication>

#include "app/application.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  KeldarApplication::UseLayoutFonts();
  // Windows in these tests never ask a real server; the check's own test sets a local one.
  MainWindow::SetStartupCheckRunner({});
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
