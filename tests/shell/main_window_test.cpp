#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/application.h"
#include "base/core/brand_profile.h"
#include "base/core/ini_file.h"
#include "device/bus_protocol_library.h"
#include "test_support.h"
#include "ui_TForm1.h"

namespace {

const std::filesystem::path kFakes(KELDAR_FAKES_DIR);

using Startup = StartupEnvironment;

std::vector<std::string> LifecycleLines(const std::vector<std::string>& lines) {
  std::vector<std::string> result;
  for (const auto& line : lines) {
    for (const char* event : {": load", ": unload", ": create", ": delete", ": select"}) {
      if (line.find(event) != std::string::npos) {
        result.push_back(line);
        break;
      }
    }
  }
  return result;
}

TEST(MainWindow, StartsUpAndShutsDownInTheFixedOrder) {
  Startup startup(kFakes / "all", "uk_UA.UTF-8");
  {
    TForm1 window;
    EXPECT_EQ(Form1, &window);
    EXPECT_EQ(window.windowTitle(), "KELDAR v.0.14");
  }
  EXPECT_EQ(Form1, nullptr);
  const std::vector<std::string> expected{
      "Phrases: load",           "Phrases: create",        "Phrases: select 3",
      "AdminTools: load",        "BusProtocol: load",      "KRVHEATDLL: load",
      "KRVWATERCOLDDLL: load",   "KRVWATERHOTDLL: load",   "MLDHEATDLL: load",
      "MLDWATERCOLDDLL: load",   "Phrases: delete",        "Phrases: unload",
      "AdminTools: unload",      "BusProtocol: unload",    "KRVHEATDLL: unload",
      "KRVWATERCOLDDLL: unload", "KRVWATERHOTDLL: unload", "MLDHEATDLL: unload",
      "MLDWATERCOLDDLL: unload"};
  EXPECT_EQ(LifecycleLines(startup.session.Lines()), expected);
}

TEST(MainWindow, FirstStartStoresTheLanguageOfTheSystemLocale) {
  for (const auto& [locale, stored] : {std::pair{"uk_UA.UTF-8", "3"},
                                       {"ru_RU.UTF-8", "2"},
                                       {"en_US.UTF-8", "1"},
                                       {"de_DE.UTF-8", "1"},
                                       {"C", "1"}}) {
    Startup startup(kFakes / "all", locale);
    { TForm1 window; }
    EXPECT_EQ(ReadFile("config.ini"), std::string("[LANGUAGE]\r\nLANG = ") + stored + "\r\n")
        << locale;
    const auto lines = startup.session.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), std::string("Phrases: select ") + stored),
              lines.end())
        << locale;
  }
}

TEST(MainWindow, AStoredLanguageWinsOverTheLocale) {
  Startup startup(kFakes / "all", "uk_UA.UTF-8");
  WriteFile("config.ini", "[LANGUAGE]\r\nLANG = 2\r\n");
  Settings().Load();
  { TForm1 window; }
  const auto lines = startup.session.Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Phrases: select 2"), lines.end());
  EXPECT_EQ(ReadFile("config.ini"), "[LANGUAGE]\r\nLANG = 2\r\n");
}

TEST(MainWindow, WithoutTheLanguageLibraryNoSettingsFileIsWritten) {
  Startup startup(kFakes / "broken", "uk_UA.UTF-8");
  TForm1 window;
  EXPECT_FALSE(std::filesystem::exists("config.ini"));
  EXPECT_EQ(window.PhraseSource().Text("FRAME_PROGRAM_SETTING_APPLY", "Применить"), "Применить");
  EXPECT_FALSE(window.BusProtocol().IsLoaded()) << "the broken fake lacks an export";
}

TEST(MainWindow, WithNoPlugInAtAllTheWindowAndItsBottomBarWork) {
  ScopedWorkingDirectory nothing;
  Startup startup(nothing.Path(), "ru_RU.UTF-8");
  TForm1 window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto& ui = window.Controls();
  EXPECT_EQ(ui.Edit1->text().toStdString(), std::string(window.Brand().SupportEmail()));
  EXPECT_GE(ui.Edit1->width(), QFontMetrics(ui.Edit1->font()).horizontalAdvance(ui.Edit1->text()))
      << "the support address is not clipped";
  EXPECT_TRUE(ui.Image1->isVisible());
  EXPECT_TRUE(ui.Image4->isVisible());
  EXPECT_FALSE(ui.Image2->isVisible()) << "the download icon waits for a newer version";
  EXPECT_FALSE(ui.Image1->pixmap().isNull());
  EXPECT_EQ(ui.Bottom->height(), 21);
  EXPECT_EQ(ui.Bottom->palette().color(QPalette::Window), QColor(240, 240, 240));
  EXPECT_FALSE(std::filesystem::exists("config.ini"));
}

TEST(MainWindow, BottomBarIconsStayFlushRightSixPixelsApartAtEverySize) {
  ScopedWorkingDirectory nothing;
  Startup startup(nothing.Path(), "ru_RU.UTF-8");
  TForm1 window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto& ui = window.Controls();
  for (const QSize size : {QSize(891, 580), QSize(1280, 800), QSize(100, 100), QSize(1001, 640)}) {
    window.resize(size);
    QApplication::processEvents();
    EXPECT_GE(window.width(), 891) << "minimum size";
    EXPECT_GE(window.height(), 580) << "minimum size";
    const int bar = ui.Bottom->width();
    EXPECT_EQ(bar, window.width());
    EXPECT_EQ(ui.Image1->geometry().right() + 1, bar) << size.width();
    EXPECT_EQ(ui.Image4->x() + ui.Image4->width() + 6, ui.Image1->x());
    EXPECT_EQ(ui.Image2->x() + ui.Image2->width() + 6, ui.Image4->x());
    EXPECT_EQ(ui.Image6->x(), 5);
    EXPECT_EQ(ui.Edit1->x(), 30);
  }
}

// Yes and No come from Qt, not from the program's phrases: they follow the
// desktop's language, and go back to Qt's English when its texts are dropped.
TEST(MainWindow, MessageBoxButtonsSpeakTheDesktopLanguage) {
  const auto yesText = [] {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.button(QMessageBox::Yes)->text().remove('&');
  };
  {
    QTranslator russian;
    ASSERT_TRUE(KeldarApplication::UseQtTexts(russian, QLocale(QLocale::Russian)));
    EXPECT_EQ(yesText(), QString::fromUtf8("Да"));
  }
  EXPECT_EQ(yesText(), "Yes");
  QTranslator unknown;
  EXPECT_FALSE(KeldarApplication::UseQtTexts(unknown, QLocale(QLocale::Zulu)));
}

}  // namespace
