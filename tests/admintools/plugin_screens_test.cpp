// The two screens of the built AdminTools.so as the shell uses them: created
// with the close flag and the phrases, left through the back strip, deleted.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <QWidget>

#include "admin_tools_loader.h"
#include "fake_language.h"
#include "test_support.h"

namespace {

struct ScreenKind {
  const char* name;
  KeldarCreateAdminScreenFn (AdminToolsLoader::*create)() const;
  KeldarDeleteAdminScreenFn (AdminToolsLoader::*destroy)() const;
  const char* titleKey;
  const char* russianTitle;
};

const ScreenKind kAdministration{"administration", &AdminToolsLoader::CreateAdministration,
                                 &AdminToolsLoader::DeleteAdministration,
                                 "FRAME_PROGRAM_ADMINISTRATION_TITLE", "Администрирование"};
const ScreenKind kArchive{"archive", &AdminToolsLoader::CreateArchive,
                          &AdminToolsLoader::DeleteArchive, "FRAME_PROGRAM_ARCHIVE_TITLE",
                          "Локальный архив"};

class PluginScreens : public ::testing::TestWithParam<ScreenKind> {
 protected:
  void SetUp() override { ASSERT_NE(loader_.Api()->module, nullptr); }

  QWidget* Create(void* phrases = nullptr, const KeldarLanguageLibrary* language = nullptr) {
    const auto create = (loader_.*GetParam().create)();
    return static_cast<QWidget*>(create(nullptr, &flag_, phrases, language));
  }
  void Delete(QWidget* screen) { (loader_.*GetParam().destroy)()(screen); }
  static QString LabelText(QWidget* screen, const char* name) {
    auto* label = screen->findChild<QLabel*>(name);
    return label != nullptr ? label->text() : QStringLiteral("<missing %1>").arg(name);
  }

  ScopedWorkingDirectory folder_;
  AdminToolsLoader loader_;
  uint8_t flag_ = 0;
};

TEST_P(PluginScreens, AreMadeAndDestroyedThroughTheLibrary) {
  QWidget* screen = Create();
  ASSERT_NE(screen, nullptr);
  QPointer<QWidget> alive(screen);
  EXPECT_NE(screen->findChild<QWidget*>("Background"), nullptr);
  EXPECT_TRUE(std::filesystem::exists("archive.db")) << "the archive is made on first use";
  Delete(screen);
  EXPECT_TRUE(alive.isNull());
}

TEST_P(PluginScreens, OnlyTheirOwnScreensAreDeleted) {
  QWidget stranger;
  QPointer<QWidget> strangerAlive(&stranger);
  Delete(&stranger);
  EXPECT_FALSE(strangerAlive.isNull()) << "a widget the library did not make";

  // The other screen's delete export leaves this screen alone.
  QWidget* screen = Create();
  QPointer<QWidget> alive(screen);
  const bool administration = GetParam().create == kAdministration.create;
  (administration ? loader_.DeleteArchive() : loader_.DeleteAdministration())(screen);
  EXPECT_FALSE(alive.isNull());
  Delete(screen);
  EXPECT_TRUE(alive.isNull());
  Delete(nullptr);
}

TEST_P(PluginScreens, AScreenDestroyedWithItsWindowIsForgotten) {
  auto window = std::make_unique<QWidget>();
  QWidget* screen = Create();
  screen->setParent(window.get());
  window.reset();  // takes the screen with it
  QWidget* next = Create();
  ASSERT_NE(next, nullptr);
  Delete(next);
}

TEST_P(PluginScreens, TheBackStripAndItsCaptionSetTheCloseFlag) {
  QWidget* screen = Create();
  screen->resize(891, 580);
  screen->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(screen));
  auto* back = screen->findChild<QWidget*>("Back");
  auto* caption = screen->findChild<QLabel*>("Label1");
  ASSERT_NE(back, nullptr);
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(back->width(), 145);
  EXPECT_EQ(back->cursor().shape(), Qt::PointingHandCursor);

  QTest::mouseClick(screen->findChild<QLabel*>("LabelTitle"), Qt::LeftButton);
  EXPECT_EQ(keldar_flag_get(&flag_), 0) << "elsewhere: stays";
  QTest::mouseClick(back, Qt::LeftButton, {}, QPoint(70, 400));
  EXPECT_EQ(keldar_flag_get(&flag_), 1);
  keldar_flag_set(&flag_, 0);
  QTest::mouseClick(caption, Qt::LeftButton);
  EXPECT_EQ(keldar_flag_get(&flag_), 1);
  Delete(screen);
}

TEST_P(PluginScreens, WithoutPhrasesEverythingIsRussian) {
  QWidget* screen = Create();
  EXPECT_EQ(LabelText(screen, "Label1"), QStringLiteral("Вернутся назад"));
  EXPECT_EQ(LabelText(screen, "LabelTitle"), QString::fromUtf8(GetParam().russianTitle));
  Delete(screen);

  FakeLanguage notLoaded;
  notLoaded.Unload();
  screen = Create(notLoaded.Phrases(), notLoaded.Library());
  EXPECT_EQ(LabelText(screen, "Label1"), QStringLiteral("Вернутся назад"));
  Delete(screen);
}

TEST_P(PluginScreens, PhrasesReplaceTheBuiltInTexts) {
  FakeLanguage language;
  language.Set(GetParam().titleKey, "x");  // too short: the built-in title stays
  QWidget* screen = Create(language.Phrases(), language.Library());
  EXPECT_EQ(LabelText(screen, "Label1"), QStringLiteral("EN:FRAME_PROGRAM_SETTING_GO_BACK"));
  EXPECT_EQ(LabelText(screen, "LabelTitle"), QString::fromUtf8(GetParam().russianTitle));

  // Every caption the screen shows came through the phrases.
  for (auto* label : screen->findChildren<QLabel*>()) {
    if (label->objectName() == "LabelTitle" || label->text().isEmpty()) continue;
    if (!label->isVisibleTo(screen) && label->objectName() != "Label1") continue;
    EXPECT_TRUE(label->text().startsWith("EN:"))
        << label->objectName().toStdString() << ": " << label->text().toStdString();
  }
  for (auto* table : screen->findChildren<QTableView*>()) {
    for (int column = 0; column < table->model()->columnCount(); ++column) {
      EXPECT_TRUE(table->model()->headerData(column, Qt::Horizontal).toString().startsWith("EN:"))
          << table->objectName().toStdString() << " column " << column;
    }
  }
  Delete(screen);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, PluginScreens, ::testing::Values(kAdministration, kArchive),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
