#include "screens/administration_screen.h"

#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>

#include "base/kit/back_strip.h"
#include "base/kit/fonts.h"
#include "base/kit/table_style.h"
#include "keldar/plugin_abi.h"
#include "screens/archive_messages.h"
#include "screens/phrase_keys.h"
#include "screens/reading_format.h"
#include "screens/table_style.h"
#include "ui_TProgramAdministration.h"

namespace admintools {
namespace {

QString ToQt(const std::string& text) { return QString::fromStdString(text); }
std::string FromQt(const QString& text) { return text.trimmed().toStdString(); }

QTableWidgetItem* Cell(const std::string& text, int64_t id = 0) {
  auto* item = new QTableWidgetItem(ToQt(text));
  item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(id));
  item->setToolTip(item->text());
  return item;
}

}  // namespace

AdministrationScreen::AdministrationScreen(uint8_t* closeFlag, ScreenTexts texts,
                                           std::string archiveFile, QWidget* parent)
    : QFrame(parent),
      ui_(std::make_unique<Ui::TProgramAdministration>()),
      closeFlag_(closeFlag),
      texts_(texts),
      archiveFile_(std::move(archiveFile)) {
  ui_->setupUi(this);
  look::PinFonts(*this);
  SetUpTable(*ui_->TableSubscribers);
  SetUpTable(*ui_->TableObjects);
  // Names and addresses take the room; short columns fit their content.
  auto* subscribers = ui_->TableSubscribers->horizontalHeader();
  subscribers->setStretchLastSection(false);
  subscribers->setSectionResizeMode(0, QHeaderView::Stretch);
  subscribers->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  subscribers->setSectionResizeMode(2, QHeaderView::Interactive);
  subscribers->resizeSection(2, 120);
  auto* objects = ui_->TableObjects->horizontalHeader();
  objects->setStretchLastSection(false);
  objects->setSectionResizeMode(0, QHeaderView::Stretch);
  objects->setSectionResizeMode(1, QHeaderView::Stretch);
  objects->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  RefreshTexts();
  ConnectControls();
  if (OpenArchive()) {
    LoadSubscribers();
  } else {
    // Whether the lists are empty is not known.
    ui_->LabelSubscribersHint->hide();
    ui_->LabelObjectsHint->hide();
  }
  UpdateButtons();
}

AdministrationScreen::~AdministrationScreen() = default;

void AdministrationScreen::RefreshTexts() {
  auto& ui = *ui_;
  texts_.Apply(ui.Label1, keys::kGoBack);
  texts_.Apply(ui.LabelTitle, keys::kAdminTitle);
  texts_.Apply(ui.LabelSubscribers, keys::kAdminSubscribers);
  texts_.Apply(ui.LabelObjects, keys::kAdminObjects);
  for (auto* button : {ui.PanelButtonAddSubscriber, ui.PanelButtonAddObject}) {
    texts_.Apply(button, keys::kAdminAdd);
  }
  for (auto* button : {ui.PanelButtonEditSubscriber, ui.PanelButtonEditObject}) {
    texts_.Apply(button, keys::kAdminEdit);
  }
  for (auto* button :
       {ui.PanelButtonDeleteSubscriber, ui.PanelButtonDeleteObject, ui.PanelButtonConfirmDelete}) {
    texts_.Apply(button, keys::kAdminDelete);
  }
  for (auto* button : {ui.PanelButtonSaveSubscriber, ui.PanelButtonSaveObject}) {
    texts_.Apply(button, keys::kAdminSave);
  }
  for (auto* button :
       {ui.PanelButtonCancelSubscriber, ui.PanelButtonCancelObject, ui.PanelButtonConfirmCancel}) {
    texts_.Apply(button, keys::kAdminCancel);
  }
  texts_.Apply(ui.LabelSubscriberName, keys::kAdminSubscriberName);
  texts_.Apply(ui.LabelSubscriberAccount, keys::kAdminAccount);
  texts_.Apply(ui.LabelSubscriberContact, keys::kAdminContact);
  texts_.Apply(ui.LabelSubscriberNotes, keys::kAdminNotes);
  texts_.Apply(ui.LabelObjectSubscriber, keys::kAdminSubscriber);
  texts_.Apply(ui.LabelObjectName, keys::kAdminObjectName);
  texts_.Apply(ui.LabelObjectAddress, keys::kAdminAddress);
  texts_.Apply(ui.LabelObjectDevices, keys::kAdminDevices);
  texts_.Apply(ui.LabelSubscribersHint, keys::kAdminNoSubscribers);
  texts_.Apply(ui.LabelObjectDevicesHint, keys::kAdminNoDevices);
  SetHeaders(*ui.TableSubscribers, texts_,
             {keys::kAdminSubscriber, keys::kAdminAccount, keys::kAdminContact});
  SetHeaders(*ui.TableObjects, texts_,
             {keys::kAdminObject, keys::kAdminAddress, keys::kAdminDevices});
}

void AdministrationScreen::ConnectControls() {
  auto& ui = *ui_;
  look::MakeBackStrip(ui.Back, ui.Label1, [this] {
    if (closeFlag_ != nullptr) keldar_flag_set(closeFlag_, 1);
  });
  connect(ui.TableSubscribers, &QTableWidget::itemSelectionChanged, this, [this] {
    CancelDelete();
    LoadObjects();
  });
  connect(ui.TableObjects, &QTableWidget::itemSelectionChanged, this, [this] {
    CancelDelete();
    UpdateButtons();
  });
  connect(ui.TableSubscribers, &QTableWidget::cellDoubleClicked, this,
          [this] { OpenSubscriberForm(SelectedSubscriber()); });
  connect(ui.TableObjects, &QTableWidget::cellDoubleClicked, this,
          [this] { OpenObjectForm(SelectedObject()); });
  connect(ui.PanelButtonAddSubscriber, &look::PanelButton::clicked, this,
          [this] { OpenSubscriberForm(nullptr); });
  connect(ui.PanelButtonEditSubscriber, &look::PanelButton::clicked, this,
          [this] { OpenSubscriberForm(SelectedSubscriber()); });
  connect(ui.PanelButtonDeleteSubscriber, &look::PanelButton::clicked, this,
          &AdministrationScreen::DeleteSubscriber);
  connect(ui.PanelButtonAddObject, &look::PanelButton::clicked, this,
          [this] { OpenObjectForm(nullptr); });
  connect(ui.PanelButtonEditObject, &look::PanelButton::clicked, this,
          [this] { OpenObjectForm(SelectedObject()); });
  connect(ui.PanelButtonDeleteObject, &look::PanelButton::clicked, this,
          &AdministrationScreen::DeleteObject);
  connect(ui.PanelButtonSaveSubscriber, &look::PanelButton::clicked, this,
          &AdministrationScreen::SaveSubscriber);
  connect(ui.EditSubscriberName, &QLineEdit::returnPressed, this,
          &AdministrationScreen::SaveSubscriber);
  connect(ui.PanelButtonCancelSubscriber, &look::PanelButton::clicked, this,
          &AdministrationScreen::ShowLists);
  connect(ui.PanelButtonSaveObject, &look::PanelButton::clicked, this,
          &AdministrationScreen::SaveObject);
  connect(ui.EditObjectName, &QLineEdit::returnPressed, this, &AdministrationScreen::SaveObject);
  connect(ui.PanelButtonCancelObject, &look::PanelButton::clicked, this,
          &AdministrationScreen::ShowLists);
  connect(ui.PanelButtonConfirmDelete, &look::PanelButton::clicked, this,
          &AdministrationScreen::ConfirmDelete);
  connect(ui.PanelButtonConfirmCancel, &look::PanelButton::clicked, this,
          &AdministrationScreen::CancelDelete);
}

bool AdministrationScreen::OpenArchive() {
  const auto failure =
      RunOnArchive(this, texts_, [this] { archive_ = std::make_unique<Archive>(archiveFile_); });
  if (!failure) return true;
  ui_->LabelStatus->setText(FailureText(texts_, *failure));
  ui_->LabelStatus->show();
  return false;
}

bool AdministrationScreen::Run(const std::function<void()>& operation, QLabel* errorLabel) {
  QLabel* label = errorLabel != nullptr ? errorLabel : ui_->LabelStatus;
  if (archive_ == nullptr) return false;
  const auto failure = RunOnArchive(this, texts_, operation);
  if (!failure) return true;
  label->setText(FailureText(texts_, *failure));
  label->show();
  return false;
}

void AdministrationScreen::LoadSubscribers(int64_t selectId) {
  auto& table = *ui_->TableSubscribers;
  if (selectId == 0) {
    if (const auto* current = SelectedSubscriber()) selectId = current->id;
  }
  const bool loaded = Run([this] {
    subscribers_ = archive_->Subscribers();
    devices_ = archive_->Devices();
  });
  if (!loaded) subscribers_.clear();
  {
    const QSignalBlocker quiet(table);
    table.clearSelection();
    table.setRowCount(static_cast<int>(subscribers_.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
      const auto& subscriber = subscribers_[static_cast<std::size_t>(row)];
      table.setItem(row, 0, Cell(subscriber.name, subscriber.id));
      table.setItem(row, 1, Cell(subscriber.account));
      table.setItem(row, 2, Cell(subscriber.contact));
      if (subscriber.id == selectId) table.selectRow(row);
    }
    // Someone is always selected, so their objects show at once.
    if (table.selectionModel()->selectedRows().isEmpty() && table.rowCount() > 0) {
      table.selectRow(0);
    }
  }
  // "No subscribers" only when the archive said so, not when it could not be read.
  ui_->LabelSubscribersHint->setVisible(loaded && subscribers_.empty());
  LoadObjects();
}

void AdministrationScreen::LoadObjects(int64_t selectId) {
  auto& table = *ui_->TableObjects;
  const Subscriber* subscriber = SelectedSubscriber();
  if (selectId == 0) {
    if (const auto* current = SelectedObject()) selectId = current->id;
  }
  objects_.clear();
  const bool loaded = subscriber != nullptr
                          ? Run([&] { objects_ = archive_->Objects(subscriber->id); })
                          : archive_ != nullptr;
  if (!loaded) objects_.clear();
  {
    const QSignalBlocker quiet(table);
    table.clearSelection();
    table.setRowCount(static_cast<int>(objects_.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
      const auto& object = objects_[static_cast<std::size_t>(row)];
      const auto devices = std::count_if(devices_.begin(), devices_.end(),
                                         [&](const Device& d) { return d.objectId == object.id; });
      table.setItem(row, 0, Cell(object.name, object.id));
      table.setItem(row, 1, Cell(object.address));
      auto* count = Cell(std::to_string(devices));
      look::AlignCell(*count, Qt::AlignCenter);
      table.setItem(row, 2, count);
      if (object.id == selectId) table.selectRow(row);
    }
  }
  if (subscriber == nullptr) {
    ui_->LabelObjectsHint->setText(
        texts_.Text(keys::kAdminSelectSubscriber,
                    QStringLiteral("Выберите абонента, чтобы увидеть его объекты.")));
  } else {
    ui_->LabelObjectsHint->setText(
        texts_.Text(keys::kAdminNoObjects, QStringLiteral("У абонента пока нет объектов.")));
  }
  ui_->LabelObjectsHint->setVisible(loaded && objects_.empty());
  UpdateButtons();
}

void AdministrationScreen::UpdateButtons() {
  auto& ui = *ui_;
  const bool open = archive_ != nullptr;
  const bool subscriber = SelectedSubscriber() != nullptr;
  const bool object = SelectedObject() != nullptr;
  ui.PanelButtonAddSubscriber->setEnabled(open);
  ui.PanelButtonEditSubscriber->setEnabled(subscriber);
  ui.PanelButtonDeleteSubscriber->setEnabled(subscriber);
  ui.PanelButtonAddObject->setEnabled(subscriber);
  ui.PanelButtonEditObject->setEnabled(object);
  ui.PanelButtonDeleteObject->setEnabled(object);
}

const Subscriber* AdministrationScreen::SelectedSubscriber() const {
  const auto rows = ui_->TableSubscribers->selectionModel()->selectedRows();
  if (rows.isEmpty()) return nullptr;
  const auto row = static_cast<std::size_t>(rows.front().row());
  return row < subscribers_.size() ? &subscribers_[row] : nullptr;
}

const Object* AdministrationScreen::SelectedObject() const {
  const auto rows = ui_->TableObjects->selectionModel()->selectedRows();
  if (rows.isEmpty()) return nullptr;
  const auto row = static_cast<std::size_t>(rows.front().row());
  return row < objects_.size() ? &objects_[row] : nullptr;
}

void AdministrationScreen::ShowLists() {
  ui_->Pages->setCurrentWidget(ui_->PageLists);
  ui_->LabelStatus->setVisible(archive_ == nullptr);
}

void AdministrationScreen::OpenSubscriberForm(const Subscriber* subscriber) {
  if (archive_ == nullptr) return;
  CancelDelete();
  auto& ui = *ui_;
  editingId_ = subscriber != nullptr ? subscriber->id : 0;
  ui.LabelSubscriberForm->setText(
      subscriber != nullptr
          ? texts_.Text(keys::kAdminEditSubscriber, QStringLiteral("Изменение абонента"))
          : texts_.Text(keys::kAdminNewSubscriber, QStringLiteral("Новый абонент")));
  const Subscriber empty;
  const Subscriber& shown = subscriber != nullptr ? *subscriber : empty;
  ui.EditSubscriberName->setText(ToQt(shown.name));
  ui.EditSubscriberAccount->setText(ToQt(shown.account));
  ui.EditSubscriberContact->setText(ToQt(shown.contact));
  ui.EditSubscriberNotes->setPlainText(ToQt(shown.notes));
  ui.LabelSubscriberError->clear();
  ui.LabelStatus->hide();
  ui.Pages->setCurrentWidget(ui.PageSubscriber);
  ui.EditSubscriberName->setFocus();
}

void AdministrationScreen::SaveSubscriber() {
  auto& ui = *ui_;
  Subscriber subscriber{
      editingId_, FromQt(ui.EditSubscriberName->text()), FromQt(ui.EditSubscriberContact->text()),
      FromQt(ui.EditSubscriberAccount->text()), FromQt(ui.EditSubscriberNotes->toPlainText())};
  if (subscriber.name.empty()) {
    ui.LabelSubscriberError->setText(
        texts_.Text(keys::kAdminNameRequired, QStringLiteral("Введите наименование.")));
    ui.EditSubscriberName->setFocus();
    return;
  }
  const bool saved = Run(
      [&] {
        if (subscriber.id != 0) {
          archive_->UpdateSubscriber(subscriber);
        } else {
          subscriber.id = archive_->AddSubscriber(subscriber);
        }
      },
      ui.LabelSubscriberError);
  if (!saved) return;
  ShowLists();
  LoadSubscribers(subscriber.id);
}

void AdministrationScreen::OpenObjectForm(const Object* object) {
  const Subscriber* owner = SelectedSubscriber();
  if (archive_ == nullptr || (object == nullptr && owner == nullptr)) return;
  CancelDelete();
  auto& ui = *ui_;
  editingId_ = object != nullptr ? object->id : 0;
  const int64_t subscriberId = object != nullptr ? object->subscriberId : owner->id;
  ui.LabelObjectForm->setText(
      object != nullptr ? texts_.Text(keys::kAdminEditObject, QStringLiteral("Изменение объекта"))
                        : texts_.Text(keys::kAdminNewObject, QStringLiteral("Новый объект")));
  ui.ComboBoxObjectSubscriber->clear();
  for (const auto& subscriber : subscribers_) {
    ui.ComboBoxObjectSubscriber->addItem(ToQt(subscriber.name),
                                         QVariant::fromValue<qlonglong>(subscriber.id));
    if (subscriber.id == subscriberId) {
      ui.ComboBoxObjectSubscriber->setCurrentIndex(ui.ComboBoxObjectSubscriber->count() - 1);
    }
  }
  ui.EditObjectName->setText(object != nullptr ? ToQt(object->name) : QString());
  ui.EditObjectAddress->setText(object != nullptr ? ToQt(object->address) : QString());

  // The devices this object may take: its own and those of no object.
  Run([this] { devices_ = archive_->Devices(); });
  ui.ListObjectDevices->clear();
  for (const auto& device : devices_) {
    const bool own = editingId_ != 0 && device.objectId == editingId_;
    if (!own && device.objectId.has_value()) continue;
    auto* item = new QListWidgetItem(DeviceKindText(texts_, device.kind) + QStringLiteral(" — ") +
                                     format::DeviceCaption(device));
    item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(device.id));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(own ? Qt::Checked : Qt::Unchecked);
    ui.ListObjectDevices->addItem(item);
  }
  const bool noDevices = ui.ListObjectDevices->count() == 0;
  ui.ListObjectDevices->setVisible(!noDevices);
  ui.LabelObjectDevicesHint->setVisible(noDevices);
  ui.LabelObjectError->clear();
  ui.LabelStatus->hide();
  ui.Pages->setCurrentWidget(ui.PageObject);
  ui.EditObjectName->setFocus();
}

void AdministrationScreen::SaveObject() {
  auto& ui = *ui_;
  Object object{editingId_, ui.ComboBoxObjectSubscriber->currentData().toLongLong(),
                FromQt(ui.EditObjectName->text()), FromQt(ui.EditObjectAddress->text())};
  if (object.name.empty()) {
    ui.LabelObjectError->setText(
        texts_.Text(keys::kAdminNameRequired, QStringLiteral("Введите наименование.")));
    ui.EditObjectName->setFocus();
    return;
  }
  std::vector<int64_t> devices;
  for (int row = 0; row < ui.ListObjectDevices->count(); ++row) {
    const auto* item = ui.ListObjectDevices->item(row);
    if (item->checkState() == Qt::Checked) devices.push_back(item->data(Qt::UserRole).toLongLong());
  }
  const bool saved = Run(
      [&] {
        if (object.id != 0) {
          archive_->UpdateObject(object);
        } else {
          object.id = archive_->AddObject(object);
        }
        archive_->SetObjectDevices(object.id, devices);
      },
      ui.LabelObjectError);
  if (!saved) return;
  ShowLists();
  LoadSubscribers(object.subscriberId);
  LoadObjects(object.id);
}

void AdministrationScreen::AskToDelete(const QString& question, std::function<void()> deletion) {
  pendingDeletion_ = std::move(deletion);
  ui_->LabelConfirm->setText(question);
  ui_->PanelConfirm->show();
}

void AdministrationScreen::ConfirmDelete() {
  auto deletion = std::move(pendingDeletion_);
  CancelDelete();
  if (deletion) deletion();
}

void AdministrationScreen::CancelDelete() {
  pendingDeletion_ = nullptr;
  ui_->PanelConfirm->hide();
}

void AdministrationScreen::DeleteSubscriber() {
  const Subscriber* subscriber = SelectedSubscriber();
  if (subscriber == nullptr) return;
  ui_->LabelStatus->hide();
  if (!objects_.empty()) {
    ui_->LabelStatus->setText(FailureText(texts_, ArchiveFailure::kInUse));
    ui_->LabelStatus->show();
    return;
  }
  const int64_t id = subscriber->id;
  AskToDelete(texts_.Format(keys::kAdminConfirmDeleteSubscriber,
                            QStringLiteral("Удалить абонента «%s»?"), ToQt(subscriber->name)),
              [this, id] {
                if (Run([&] { archive_->DeleteSubscriber(id); })) LoadSubscribers();
              });
}

void AdministrationScreen::DeleteObject() {
  const Object* object = SelectedObject();
  if (object == nullptr) return;
  ui_->LabelStatus->hide();
  const int64_t id = object->id;
  AskToDelete(texts_.Format(keys::kAdminConfirmDeleteObject,
                            QStringLiteral("Удалить объект «%s»? Его приборы и показания "
                                           "останутся в архиве."),
                            ToQt(object->name)),
              [this, id] {
                if (Run([&] { archive_->DeleteObject(id); })) LoadSubscribers();
              });
}

}  // namespace admintools
