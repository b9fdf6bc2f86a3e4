// The administration screen driven as a user drives it: lists, forms,
// confirmations, and what ends up in the archive.
#include "screens/administration_screen.h"

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QListWidget>
#include <QTest>

#include "fake_language.h"
#include "screens/panel_button.h"
#include "test_folder.h"
#include "ui_TProgramAdministration.h"

namespace {

using namespace admintools;

class AdministrationScreen : public ::testing::Test {
 protected:
  // The screen over archive.db in the fresh working folder, as the user sees it.
  std::unique_ptr<TProgramAdministration> Open(ScreenTexts texts = {}) {
    auto screen = std::make_unique<TProgramAdministration>(&flag_, texts);
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

  WorkingFolder folder_;
  uint8_t flag_ = 0;
};

TEST_F(AdministrationScreen, ASubscriberIsAddedThroughItsForm) {
  auto screen = Open();
  auto& ui = screen->Controls();
  EXPECT_TRUE(ui.LabelSubscribersHint->isVisible()) << "the empty list says what to do";
  Click(ui.PanelButtonAddSubscriber);
  ASSERT_EQ(ui.Pages->currentWidget(), ui.PageSubscriber);
  EXPECT_EQ(ui.LabelSubscriberForm->text(), "Новый абонент");

  // Nothing is saved without a name.
  QTest::keyClicks(ui.EditSubscriberName, "   ");
  Click(ui.PanelButtonSaveSubscriber);
  EXPECT_EQ(ui.Pages->currentWidget(), ui.PageSubscriber);
  EXPECT_EQ(ui.LabelSubscriberError->text(), "Введите наименование.");
  EXPECT_TRUE(Archive().Subscribers().empty());

  ui.EditSubscriberName->setText("  Иванов Пётр  ");
  ui.EditSubscriberAccount->setText("40817-0012");
  ui.EditSubscriberNotes->setPlainText("ключ у соседа");
  Click(ui.PanelButtonSaveSubscriber);
  ASSERT_EQ(ui.Pages->currentWidget(), ui.PageLists);
  ASSERT_EQ(ui.TableSubscribers->rowCount(), 1);
  EXPECT_EQ(Cell(ui.TableSubscribers, 0, 0), "Иванов Пётр");
  EXPECT_EQ(Cell(ui.TableSubscribers, 0, 1), "40817-0012");
  EXPECT_TRUE(ui.TableSubscribers->item(0, 0)->isSelected()) << "the new row is selected";
  EXPECT_FALSE(ui.LabelSubscribersHint->isVisible());

  const auto stored = Archive().Subscribers();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored.front().name, "Иванов Пётр") << "trimmed";
  EXPECT_EQ(stored.front().notes, "ключ у соседа");
}

TEST_F(AdministrationScreen, EditingChangesTheSameSubscriber) {
  Archive().AddSubscriber({0, "Петров", "+7 900", "17", ""});
  auto screen = Open();
  auto& ui = screen->Controls();
  EXPECT_TRUE(ui.TableSubscribers->item(0, 0)->isSelected()) << "the first one, at once";
  EXPECT_TRUE(ui.PanelButtonEditSubscriber->isEnabled());
  Click(ui.PanelButtonEditSubscriber);
  EXPECT_EQ(ui.LabelSubscriberForm->text(), "Изменение абонента");
  EXPECT_EQ(ui.EditSubscriberContact->text(), "+7 900");
  ui.EditSubscriberContact->setText("+7 911");
  Click(ui.PanelButtonSaveSubscriber);
  const auto stored = Archive().Subscribers();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored.front().contact, "+7 911");
  EXPECT_EQ(stored.front().account, "17");
  EXPECT_EQ(Cell(ui.TableSubscribers, 0, 2), "+7 911");

  // Cancel leaves the archive alone.
  Click(ui.PanelButtonEditSubscriber);
  ui.EditSubscriberName->setText("Другой");
  Click(ui.PanelButtonCancelSubscriber);
  EXPECT_EQ(Archive().Subscribers().front().name, "Петров");
}

TEST_F(AdministrationScreen, DeletingAsksFirst) {
  Archive().AddSubscriber({0, "Сидорова", "", "", ""});
  auto screen = Open();
  auto& ui = screen->Controls();
  ui.TableSubscribers->selectRow(0);
  Click(ui.PanelButtonDeleteSubscriber);
  ASSERT_TRUE(ui.PanelConfirm->isVisible());
  EXPECT_EQ(ui.LabelConfirm->text(), "Удалить абонента «Сидорова»?");
  Click(ui.PanelButtonConfirmCancel);
  EXPECT_FALSE(ui.PanelConfirm->isVisible());
  EXPECT_EQ(Archive().Subscribers().size(), 1u);

  Click(ui.PanelButtonDeleteSubscriber);
  Click(ui.PanelButtonConfirmDelete);
  EXPECT_FALSE(ui.PanelConfirm->isVisible());
  EXPECT_TRUE(Archive().Subscribers().empty());
  EXPECT_EQ(ui.TableSubscribers->rowCount(), 0);
}

TEST_F(AdministrationScreen, ASubscriberWithObjectsIsKept) {
  {
    Archive archive;
    archive.AddObject({0, archive.AddSubscriber({0, "ООО «Тепло»", "", "", ""}), "ИТП", ""});
  }
  auto screen = Open();
  auto& ui = screen->Controls();
  ui.TableSubscribers->selectRow(0);
  ASSERT_EQ(ui.TableObjects->rowCount(), 1);
  Click(ui.PanelButtonDeleteSubscriber);
  EXPECT_FALSE(ui.PanelConfirm->isVisible());
  EXPECT_TRUE(ui.LabelStatus->isVisible());
  EXPECT_TRUE(ui.LabelStatus->text().startsWith("У абонента есть объекты"));
  EXPECT_EQ(Archive().Subscribers().size(), 1u);
}

TEST_F(AdministrationScreen, ObjectsBelongToTheSelectedSubscriberAndTakeDevices) {
  int64_t second = 0;
  {
    Archive archive;
    archive.AddSubscriber({0, "Алексеев", "", "", ""});
    second = archive.AddSubscriber({0, "Борисов", "", "", ""});
    archive.SaveReading({0, DeviceKind::kWaterCold, "MLD", "00000771", "", "", 22, {}}, {});
    archive.SaveReading({0, DeviceKind::kHeat, "KRV", "00012345", "KM-5", "", 4, {}}, {});
  }
  auto screen = Open();
  auto& ui = screen->Controls();
  EXPECT_EQ(ui.LabelObjectsHint->text(), "У абонента пока нет объектов.");
  ui.TableSubscribers->clearSelection();
  EXPECT_FALSE(ui.PanelButtonAddObject->isEnabled()) << "an object needs its subscriber";
  EXPECT_EQ(ui.LabelObjectsHint->text(), "Выберите абонента, чтобы увидеть его объекты.");
  ui.TableSubscribers->selectRow(1);
  EXPECT_TRUE(ui.PanelButtonAddObject->isEnabled());
  Click(ui.PanelButtonAddObject);
  ASSERT_EQ(ui.Pages->currentWidget(), ui.PageObject);
  EXPECT_EQ(ui.ComboBoxObjectSubscriber->currentText(), "Борисов");
  ASSERT_EQ(ui.ListObjectDevices->count(), 2) << "both devices are free";
  ui.EditObjectName->setText("Квартира 12");
  ui.EditObjectAddress->setText("ул. Ленина, 14");
  ui.ListObjectDevices->item(1)->setCheckState(Qt::Checked);
  const QString chosen = ui.ListObjectDevices->item(1)->text();
  Click(ui.PanelButtonSaveObject);

  ASSERT_EQ(ui.Pages->currentWidget(), ui.PageLists);
  ASSERT_EQ(ui.TableObjects->rowCount(), 1);
  EXPECT_EQ(Cell(ui.TableObjects, 0, 0), "Квартира 12");
  EXPECT_EQ(Cell(ui.TableObjects, 0, 2), "1");
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
  ui.TableObjects->selectRow(0);
  Click(ui.PanelButtonEditObject);
  int ticked = -1;
  for (int row = 0; row < ui.ListObjectDevices->count(); ++row) {
    if (ui.ListObjectDevices->item(row)->checkState() == Qt::Checked) ticked = row;
  }
  ASSERT_GE(ticked, 0);
  ui.ListObjectDevices->item(ticked)->setCheckState(Qt::Unchecked);
  Click(ui.PanelButtonSaveObject);
  for (const auto& device : Archive().Devices()) EXPECT_FALSE(device.objectId.has_value());
  EXPECT_EQ(Cell(ui.TableObjects, 0, 2), "0");

  // Deleting the object, after the question.
  ui.TableObjects->selectRow(0);
  Click(ui.PanelButtonDeleteObject);
  EXPECT_TRUE(ui.LabelConfirm->text().startsWith("Удалить объект «Квартира 12»?"));
  Click(ui.PanelButtonConfirmDelete);
  EXPECT_TRUE(Archive().Objects().empty());
  EXPECT_EQ(Archive().Devices().size(), 2u) << "devices stay in the archive";
}

TEST_F(AdministrationScreen, HostileNamesAreShownAsPlainText) {
  const std::string name = "<b>x</b> %s'; DROP TABLE objects;--";
  Archive().AddSubscriber({0, name, "", "", ""});
  auto screen = Open();
  auto& ui = screen->Controls();
  EXPECT_EQ(Cell(ui.TableSubscribers, 0, 0).toStdString(), name);
  ui.TableSubscribers->selectRow(0);
  Click(ui.PanelButtonDeleteSubscriber);
  EXPECT_EQ(ui.LabelConfirm->textFormat(), Qt::PlainText);
  EXPECT_EQ(ui.LabelConfirm->text().toStdString(), "Удалить абонента «" + name + "»?");
}

TEST_F(AdministrationScreen, ArchiveItCannotUseIsExplainedAndLeftAlone) {
  { Archive create; }
  RunSql("archive.db", "PRAGMA user_version = 9;");
  const std::string before = ReadBytes("archive.db");
  auto screen = Open();
  auto& ui = screen->Controls();
  EXPECT_TRUE(ui.LabelStatus->isVisible());
  EXPECT_TRUE(ui.LabelStatus->text().contains("более новой версией"));
  EXPECT_FALSE(ui.PanelButtonAddSubscriber->isEnabled());
  Click(ui.Back);
  EXPECT_EQ(keldar_flag_get(&flag_), 1) << "the way back still works";
  screen.reset();
  EXPECT_EQ(ReadBytes("archive.db"), before);
}

TEST_F(AdministrationScreen, TheBackStripLightsUpUnderTheMouse) {
  auto screen = Open();
  auto& ui = screen->Controls();
  EXPECT_EQ(ui.Back->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_FALSE(ui.Label1->font().bold());
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(ui.Back, &enter);
  EXPECT_EQ(ui.Back->palette().color(QPalette::Window), QColor(240, 240, 240));
  EXPECT_TRUE(ui.Label1->font().bold());
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(ui.Back, &leave);
  EXPECT_EQ(ui.Back->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_FALSE(ui.Label1->font().bold());
  EXPECT_EQ(ui.Label1->font().family(), "Tahoma");
}

TEST_F(AdministrationScreen, ButtonsAndTheBackStripWorkFromTheKeyboard) {
  auto screen = Open();
  auto& ui = screen->Controls();
  for (QWidget* button : {static_cast<QWidget*>(ui.PanelButtonAddSubscriber),
                          static_cast<QWidget*>(ui.Back)})
    EXPECT_EQ(button->focusPolicy() & Qt::TabFocus, Qt::TabFocus) << "reached with Tab";
  QTest::keyClick(ui.PanelButtonAddSubscriber, Qt::Key_Return);
  EXPECT_EQ(ui.Pages->currentWidget(), ui.PageSubscriber);
  QTest::keyClick(ui.PanelButtonCancelSubscriber, Qt::Key_Space);
  EXPECT_EQ(ui.Pages->currentWidget(), ui.PageLists);
  // A disabled button stays unpressed, from the keyboard as from the mouse.
  ASSERT_FALSE(ui.PanelButtonEditSubscriber->isEnabled());
  QTest::keyClick(ui.PanelButtonEditSubscriber, Qt::Key_Return);
  EXPECT_EQ(ui.Pages->currentWidget(), ui.PageLists);
  QTest::keyClick(ui.Back, Qt::Key_Space);
  EXPECT_EQ(flag_, 1) << "the strip leaves the screen";
}

TEST_F(AdministrationScreen, FormTextsAndMessagesComeFromThePhrases) {
  FakeLanguage language;
  Archive().AddSubscriber({0, "A", "", "", ""});
  auto screen = Open(ScreenTexts(language.Library(), language.Phrases()));
  auto& ui = screen->Controls();
  ui.TableSubscribers->selectRow(0);
  Click(ui.PanelButtonDeleteSubscriber);
  EXPECT_EQ(ui.LabelConfirm->text(), "EN:FRAME_PROGRAM_ADMINISTRATION_CONFIRM_DELETE_SUBSCRIBER");
  language.Set("FRAME_PROGRAM_ADMINISTRATION_CONFIRM_DELETE_SUBSCRIBER", "Delete “%s” (%s)?");
  Click(ui.PanelButtonDeleteSubscriber);
  EXPECT_EQ(ui.LabelConfirm->text(), "Delete “A” (%s)?") << "only the first %s is filled";
  Click(ui.PanelButtonConfirmCancel);
  Click(ui.PanelButtonAddSubscriber);
  EXPECT_EQ(ui.LabelSubscriberForm->text(), "EN:FRAME_PROGRAM_ADMINISTRATION_NEW_SUBSCRIBER");
  EXPECT_EQ(ui.LabelSubscriberNotes->text(), "EN:FRAME_PROGRAM_ADMINISTRATION_NOTES");
  Click(ui.PanelButtonSaveSubscriber);
  EXPECT_EQ(ui.LabelSubscriberError->text(), "EN:FRAME_PROGRAM_ADMINISTRATION_NAME_REQUIRED");
}

}  // namespace
