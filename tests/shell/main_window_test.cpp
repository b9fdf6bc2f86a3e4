#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
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
#include "widgets.h"

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
    MainWindow window;
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
    { MainWindow window; }
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
  { MainWindow window; }
  const auto lines = startup.session.Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Phrases: select 2"), lines.end());
  EXPECT_EQ(ReadFile("config.ini"), "[LANGUAGE]\r\nLANG = 2\r\n");
}

TEST(MainWindow, WithoutTheLanguageLibraryNoSettingsFileIsWritten) {
  Startup startup(kFakes / "broken", "uk_UA.UTF-8");
  MainWindow window;
  EXPECT_FALSE(std::filesystem::exists("config.ini"));
  EXPECT_EQ(window.PhraseSource().Text("FRAME_PROGRAM_SETTING_APPLY", "Применить"), "Применить");
  EXPECT_FALSE(window.BusProtocol().IsLoaded()) << "the broken fake lacks an export";
}

TEST(MainWindow, WithNoPlugInAtAllTheWindowAndItsBottomBarWork) {
  ScopedWorkingDirectory nothing;
  Startup startup(nothing.Path(), "ru_RU.UTF-8");
  MainWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto& bar = Child<QFrame>(window, "Bottom");
  auto& email = Child<QLineEdit>(bar, "Edit1");
  auto& about = Child<QLabel>(bar, "Image1");
  EXPECT_EQ(email.text().toStdString(), std::string(window.Brand().SupportEmail()));
  EXPECT_GE(email.width(), QFontMetrics(email.font()).horizontalAdvance(email.text()))
      << "the support address is not clipped";
  EXPECT_TRUE(about.isVisible());
  EXPECT_TRUE(Child<QLabel>(bar, "Image4").isVisible());
  EXPECT_FALSE(Child<QLabel>(bar, "Image2").isVisible())
      << "the download icon waits for a newer version";
  EXPECT_FALSE(about.pixmap().isNull());
  EXPECT_EQ(bar.height(), 21);
  EXPECT_EQ(bar.palette().color(QPalette::Window), QColor(240, 240, 240));
  EXPECT_FALSE(std::filesystem::exists("config.ini"));
}

TEST(MainWindow, BottomBarIconsStayFlushRightSixPixelsApartAtEverySize) {
  ScopedWorkingDirectory nothing;
  Startup startup(nothing.Path(), "ru_RU.UTF-8");
  MainWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto& bar = Child<QFrame>(window, "Bottom");
  const auto& about = Child<QLabel>(bar, "Image1");
  const auto& settings = Child<QLabel>(bar, "Image4");
  const auto& download = Child<QLabel>(bar, "Image2");
  for (const QSize size : {QSize(891, 580), QSize(1280, 800), QSize(100, 100), QSize(1001, 640)}) {
    window.resize(size);
    QApplication::processEvents();
    EXPECT_GE(window.width(), 891) << "minimum size";
    EXPECT_GE(window.height(), 580) << "minimum size";
    EXPECT_EQ(bar.width(), window.width());
    EXPECT_EQ(about.geometry().right() + 1, bar.width()) << size.width();
    EXPECT_EQ(settings.x() + settings.width() + 6, about.x());
    EXPECT_EQ(download.x() + download.width() + 6, settings.x());
    EXPECT_EQ(Child<QLabel>(bar, "Image6").x(), 5);
    EXPECT_EQ(Child<QLineEdit>(bar, "Edit1").x(), 30);
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
