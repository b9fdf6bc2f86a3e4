// Screens need an application object; the layouts are drawn for Tahoma.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
