// The administration screen driven as a user drives it: lists, forms,
// confirmations, and what ends up in the archive.
#include "screens/administration_screen.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QWidget>

#include "archive_sql.h"
#include "fake_language.h"
#include "test_support.h"
#include "widgets.h"

namespace {

using namespace admintools;

class AdministrationScreenTest : public ::testing::Test {
 protected:
  // The screen over archive.db in the fresh working folder, as the user sees it.
  std::unique_ptr<AdministrationScreen> Open(ScreenTexts texts = {}) {
    auto screen = std::make_unique<AdministrationScreen>(&flag_, texts);
    screen->resize(891, 580);
    screen->show();
    return screen;
  }
  static void Click(QWidget* widget) {
    ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
    QTest::mouseClick(widget, Qt::LeftButton);
  }
  static QString Cell(QTableWidget* table, int row, int column) {
    const auto* item = table->item(row, column);
    return item != nullptr ? item->text() : QString();
  }

  ScopedWorkingDirectory folder_;
  uint8_t flag_ = 0;
};

TEST_F(AdministrationScreenTest, ASubscriberIsAddedThroughItsForm) {
  auto screen = Open();
  QWidget& view = *screen;
  EXPECT_TRUE(Child<QLabel>(view, "LabelSubscribersHint").isVisible())
      << "the empty list says what to do";
  Click(&Child<QLabel>(view, "PanelButtonAddSubscriber"));
  ASSERT_EQ(Child<QStackedWidget>(view, "Pages").currentWidget(),
            &Child<QWidget>(view, "PageSubscriber"));
  EXPECT_EQ(Child<QLabel>(view, "LabelSubscriberForm").text(), "Новый абонент");

  // Nothing is saved without a name.
  QTest::keyClicks(&Child<QLineEdit>(view, "EditSubscriberName"), "   ");
  Click(&Child<QLabel>(view, "PanelButtonSaveSubscriber"));
  EXPECT_EQ(Child<QStackedWidget>(view, "Pages").currentWidget(),
            &Child<QWidget>(view, "PageSubscriber"));
  EXPECT_EQ(Child<QLabel>(view, "LabelSubscriberError").text(), "Введите наименование.");
  EXPECT_TRUE(Archive().Subscribers().empty());

  Child<QLineEdit>(view, "EditSubscriberName").setText("  Иванов Пётр  ");
  Child<QLineEdit>(view, "EditSubscriberAccount").setText("40817-0012");
  Child<QPlainTextEdit>(view, "EditSubscriberNotes").setPlainText("ключ у соседа");
  Click(&Child<QLabel>(view, "PanelButtonSaveSubscriber"));
  ASSERT_EQ(Child<QStackedWidget>(view, "Pages").currentWidget(),
            &Child<QWidget>(view, "PageLists"));
  ASSERT_EQ(Child<QTableWidget>(view, "TableSubscribers").rowCount(), 1);
  EXPECT_EQ(Cell(&Child<QTableWidget>(view, "TableSubscribers"), 0, 0), "Иванов Пётр");
  EXPECT_EQ(Cell(&Child<QTableWidget>(view, "TableSubscribers"), 0, 1), "40817-0012");
  EXPECT_TRUE(Child<QTableWidget>(view, "TableSubscribers").item(0, 0)->isSelected())
      << "the new row is selected";
  EXPECT_FALSE(Child<QLabel>(view, "LabelSubscribersHint").isVisible());

  const auto stored = Archive().Subscribers();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored.front().name, "Иванов Пётр") << "trimmed";
  EXPECT_EQ(stored.front().notes, "ключ у соседа");
}

TEST_F(AdministrationScreenTest, EditingChangesTheSameSubscriber) {
  Archive().AddSubscriber({0, "Петров", "+7 900", "17", ""});
  auto screen = Open();
  QWidget& view = *screen;
  EXPECT_TRUE(Child<QTableWidget>(view, "TableSubscribers").item(0, 0)->isSelected())
      << "the first one, at once";
  EXPECT_TRUE(Child<QLabel>(view, "PanelButtonEditSubscriber").isEnabled());
  Click(&Child<QLabel>(view, "PanelButtonEditSubscriber"));
  EXPECT_EQ(Child<QLabel>(view, "LabelSubscriberForm").text(), "Изменение абонента");
  EXPECT_EQ(Child<QLineEdit>(view, "EditSubscriberContact").text(), "+7 900");
  Child<QLineEdit>(view, "EditSubscriberContact").setText("+7 911");
  Click(&Child<QLabel>(view, "PanelButtonSaveSubscriber"));
  const auto stored = Archive().Subscribers();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored.front().contact, "+7 911");
  EXPECT_EQ(stored.front().account, "17");
  EXPECT_EQ(Cell(&Child<QTableWidget>(view, "TableSubscribers"), 0, 2), "+7 911");

  // Cancel leaves the archive alone.
  Click(&Child<QLabel>(view, "PanelButtonEditSubscriber"));
  Child<QLineEdit>(view, "EditSubscriberName").setText("Другой");
  Click(&Child<QLabel>(view, "PanelButtonCancelSubscriber"));
  EXPECT_EQ(Archive().Subscribers().front().name, "Петров");
}

TEST_F(AdministrationScreenTest, DeletingAsksFirst) {
  Archive().AddSubscriber({0, "Сидорова", "", "", ""});
  auto screen = Open();
  QWidget& view = *screen;
  Child<QTableWidget>(view, "TableSubscribers").selectRow(0);
  Click(&Child<QLabel>(view, "PanelButtonDeleteSubscriber"));
  ASSERT_TRUE(Child<QFrame>(view, "PanelConfirm").isVisible());
  EXPECT_EQ(Child<QLabel>(view, "LabelConfirm").text(), "Удалить абонента «Сидорова»?");
  Click(&Child<QLabel>(view, "PanelButtonConfirmCancel"));
  EXPECT_FALSE(Child<QFrame>(view, "PanelConfirm").isVisible());
  EXPECT_EQ(Archive().Subscribers().size(), 1u);

  Click(&Child<QLabel>(view, "PanelButtonDeleteSubscriber"));
  Click(&Child<QLabel>(view, "PanelButtonConfirmDelete"));
  EXPECT_FALSE(Child<QFrame>(view, "PanelConfirm").isVisible());
  EXPECT_TRUE(Archive().Subscribers().empty());
  EXPECT_EQ(Child<QTableWidget>(view, "TableSubscribers").rowCount(), 0);
}

TEST_F(AdministrationScreenTest, ASubscriberWithObjectsIsKept) {
  {
    Archive archive;
    archive.AddObject({0, archive.AddSubscriber({0, "ООО «Тепло»", "", "", ""}), "ИТП", ""});
  }
  auto screen = Open();
  QWidget& view = *screen;
  Child<QTableWidget>(view, "TableSubscribers").selectRow(0);
  ASSERT_EQ(Child<QTableWidget>(view, "TableObjects").rowCount(), 1);
  Click(&Child<QLabel>(view, "PanelButtonDeleteSubscriber"));
  EXPECT_FALSE(Child<QFrame>(view, "PanelConfirm").isVisible());
  EXPECT_TRUE(Child<QLabel>(view, "LabelStatus").isVisible());
  EXPECT_TRUE(Child<QLabel>(view, "LabelStatus").text().startsWith("У абонента есть объекты"));
  EXPECT_EQ(Archive().Subscribers().size(), 1u);
}

TEST_F(AdministrationScreenTest, ObjectsBelongToTheSelectedSubscriberAndTakeDevices) {
  int64_t second = 0;
  {
    Archive archive;
    archive.AddSubscriber({0, "Алексеев", "", "", ""});
    second = archive.AddSubscriber({0, "Борисов", "", "", ""});
    archive.SaveReading({0, DeviceKind::kWaterCold, "MLD", "00000771", "", "", 22, {}}, {});
    archive.SaveReading({0, DeviceKind::kHeat, "KRV", "00012345", "KM-5", "", 4, {}}, {});
  }
  auto screen = Open();
  QWidget& view = *screen;
  EXPECT_EQ(Child<QLabel>(view, "LabelObjectsHint").text(), "У абонента пока нет объектов.");
  Child<QTableWidget>(view, "TableSubscribers").clearSelection();
  EXPECT_FALSE(Child<QLabel>(view, "PanelButtonAddObject").isEnabled())
      << "an object needs its subscriber";
  EXPECT_EQ(Child<QLabel>(view, "LabelObjectsHint").text(),
            "Выберите абонента, чтобы увидеть его объекты.");
  Child<QTableWidget>(view, "TableSubscribers").selectRow(1);
  EXPECT_TRUE(Child<QLabel>(view, "PanelButtonAddObject").isEnabled());
  Click(&Child<QLabel>(view, "PanelButtonAddObject"));
  ASSERT_EQ(Child<QStackedWidget>(view, "Pages").currentWidget(),
            &Child<QWidget>(view, "PageObject"));
  EXPECT_EQ(Child<QComboBox>(view, "ComboBoxObjectSubscriber").currentText(), "Борисов");
  ASSERT_EQ(Child<QListWidget>(view, "ListObjectDevices").count(), 2) << "both devices are free";
  Child<QLineEdit>(view, "EditObjectName").setText("Квартира 12");
  Child<QLineEdit>(view, "EditObjectAddress").setText("ул. Ленина, 14");
  Child<QListWidget>(view, "ListObjectDevices").item(1)->setCheckState(Qt::Checked);
  const QString chosen = Child<QListWidget>(view, "ListObjectDevices").item(1)->text();
  Click(&Child<QLabel>(view, "PanelButtonSaveObject"));

  ASSERT_EQ(Child<QStackedWidget>(view, "Pages").currentWidget(),
            &Child<QWidget>(view, "PageLists"));
  ASSERT_EQ(Child<QTableWidget>(view, "TableObjects").rowCount(), 1);
  EXPECT_EQ(Cell(&Child<QTableWidget>(view, "TableObjects"), 0, 0), "Квартира 12");
  EXPECT_EQ(Cell(&Child<QTableWidget>(view, "TableObjects"), 0, 2), "1");
  const auto objects = Archive().Objects(second);
  ASSERT_EQ(objects.size(), 1u);
  int attached = 0;
  for (const auto& device : Archive().Devices()) {
    if (device.objectId == objects.front().id) {
      ++attached;
      EXPECT_TRUE(chosen.contains(QString::fromStdString(device.serial)));
    }
  }
  EXPECT_EQ(attached, 1);

  // Editing shows the object's own device ticked; unticking lets it go.
  Child<QTableWidget>(view, "TableObjects").selectRow(0);
  Click(&Child<QLabel>(view, "PanelButtonEditObject"));
  int ticked = -1;
  for (int row = 0; row < Child<QListWidget>(view, "ListObjectDevices").count(); ++row) {
    if (Child<QListWidget>(view, "ListObjectDevices").item(row)->checkState() == Qt::Checked)
      ticked = row;
  }
  ASSERT_GE(ticked, 0);
  Child<QListWidget>(view, "ListObjectDevices").item(ticked)->setCheckState(Qt::Unchecked);
  Click(&Child<QLabel>(view, "PanelButtonSaveObject"));
  for (const auto& device : Archive().Devices()) EXPECT_FALSE(device.objectId.has_value());
  EXPECT_EQ(Cell(&Child<QTableWidget>(view, "TableObjects"), 0, 2), "0");

  // Deleting the object, after the question.
  Child<QTableWidget>(view, "TableObjects").selectRow(0);
  Click(&Child<QLabel>(view, "PanelButtonDeleteObject"));
  EXPECT_TRUE(
      Child<QLabel>(view, "LabelConfirm").text().startsWith("Удалить объект «Квартира 12»?"));
  Click(&Child<QLabel>(view, "PanelButtonConfirmDelete"));
  EXPECT_TRUE(Archive().Objects().empty());
  EXPECT_EQ(Archive().Devices().size(), 2u) << "devices stay in the archive";
}

TEST_F(AdministrationScreenTest, HostileNamesAreShownAsPlainText) {
  const std::string name = "<b>x</b> %s'; DROP TABLE objects;--";
  Archive().AddSubscriber({0, name, "", "", ""});
  auto screen = Open();
  QWidget& view = *screen;
  EXPECT_EQ(Cell(&Child<QTableWidget>(view, "TableSubscribers"), 0, 0).toStdString(), name);
  Child<QTableWidget>(view, "TableSubscribers").selectRow(0);
  Click(&Child<QLabel>(view, "PanelButtonDeleteSubscriber"));
  EXPECT_EQ(Child<QLabel>(view, "LabelConfirm").textFormat(), Qt::PlainText);
  EXPECT_EQ(Child<QLabel>(view, "LabelConfirm").text().toStdString(),
            "Удалить абонента «" + name + "»?");
}

TEST_F(AdministrationScreenTest, ArchiveItCannotUseIsExplainedAndLeftAlone) {
  { Archive create; }
  RunSql("archive.db", "PRAGMA user_version = 9;");
  const std::string before = ReadFile("archive.db");
  auto screen = Open();
  QWidget& view = *screen;
  EXPECT_TRUE(Child<QLabel>(view, "LabelStatus").isVisible());
  EXPECT_TRUE(Child<QLabel>(view, "LabelStatus").text().contains("более новой версией"));
  EXPECT_FALSE(Child<QLabel>(view, "PanelButtonAddSubscriber").isEnabled());
  Click(&Child<QFrame>(view, "Back"));
  EXPECT_EQ(keldar_flag_get(&flag_), 1) << "the way back still works";
  screen.reset();
  EXPECT_EQ(ReadFile("archive.db"), before);
}

TEST_F(AdministrationScreenTest, TheBackStripLightsUpUnderTheMouse) {
  auto screen = Open();
  QWidget& view = *screen;
  EXPECT_EQ(Child<QFrame>(view, "Back").palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_FALSE(Child<QLabel>(view, "Label1").font().bold());
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(&Child<QFrame>(view, "Back"), &enter);
  EXPECT_EQ(Child<QFrame>(view, "Back").palette().color(QPalette::Window), QColor(240, 240, 240));
  EXPECT_TRUE(Child<QLabel>(view, "Label1").font().bold());
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&Child<QFrame>(view, "Back"), &leave);
  EXPECT_EQ(Child<QFrame>(view, "Back").palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_FALSE(Child<QLabel>(view, "Label1").font().bold());
  EXPECT_EQ(Child<QLabel>(view, "Label1").font().family(), "Tahoma");
}

TEST_F(AdministrationScreenTest, ButtonsAndTheBackStripWorkFromTheKeyboard) {
  auto screen = Open();
  QWidget& view = *screen;
  for (QWidget* button :
       {&Child<QWidget>(view, "PanelButtonAddSubscriber"), &Child<QWidget>(view, "Back")})
    EXPECT_EQ(button->focusPolicy() & Qt::TabFocus, Qt::TabFocus) << "reached with Tab";
  QTest::keyClick(&Child<QLabel>(view, "PanelButtonAddSubscriber"), Qt::Key_Return);
  EXPECT_EQ(Child<QStackedWidget>(view, "Pages").currentWidget(),
            &Child<QWidget>(view, "PageSubscriber"));
  QTest::keyClick(&Child<QLabel>(view, "PanelButtonCancelSubscriber"), Qt::Key_Space);
  EXPECT_EQ(Child<QStackedWidget>(view, "Pages").currentWidget(),
            &Child<QWidget>(view, "PageLists"));
  // A disabled button stays unpressed, from the keyboard as from the mouse.
  ASSERT_FALSE(Child<QLabel>(view, "PanelButtonEditSubscriber").isEnabled());
  QTest::keyClick(&Child<QLabel>(view, "PanelButtonEditSubscriber"), Qt::Key_Return);
  EXPECT_EQ(Child<QStackedWidget>(view, "Pages").currentWidget(),
            &Child<QWidget>(view, "PageLists"));
  QTest::keyClick(&Child<QFrame>(view, "Back"), Qt::Key_Space);
  EXPECT_EQ(flag_, 1) << "the strip leaves the screen";
}

TEST_F(AdministrationScreenTest, FormTextsAndMessagesComeFromThePhrases) {
  FakeLanguage language;
  Archive().AddSubscriber({0, "A", "", "", ""});
  auto screen = Open(ScreenTexts(language.Library(), language.Phrases()));
  QWidget& view = *screen;
  Child<QTableWidget>(view, "TableSubscribers").selectRow(0);
  Click(&Child<QLabel>(view, "PanelButtonDeleteSubscriber"));
  EXPECT_EQ(Child<QLabel>(view, "LabelConfirm").text(),
            "EN:FRAME_PROGRAM_ADMINISTRATION_CONFIRM_DELETE_SUBSCRIBER");
  language.Set("FRAME_PROGRAM_ADMINISTRATION_CONFIRM_DELETE_SUBSCRIBER", "Delete “%s” (%s)?");
  Click(&Child<QLabel>(view, "PanelButtonDeleteSubscriber"));
  EXPECT_EQ(Child<QLabel>(view, "LabelConfirm").text(), "Delete “A” (%s)?")
      << "only the first %s is filled";
  Click(&Child<QLabel>(view, "PanelButtonConfirmCancel"));
  Click(&Child<QLabel>(view, "PanelButtonAddSubscriber"));
  EXPECT_EQ(Child<QLabel>(view, "LabelSubscriberForm").text(),
            "EN:FRAME_PROGRAM_ADMINISTRATION_NEW_SUBSCRIBER");
  EXPECT_EQ(Child<QLabel>(view, "LabelSubscriberNotes").text(),
            "EN:FRAME_PROGRAM_ADMINISTRATION_NOTES");
  Click(&Child<QLabel>(view, "PanelButtonSaveSubscriber"));
  EXPECT_EQ(Child<QLabel>(view, "LabelSubscriberError").text(),
            "EN:FRAME_PROGRAM_ADMINISTRATION_NAME_REQUIRED");
}

}  // namespace
