#include "config/configuration_screen.h"

#include <QEvent>
#include <QLineEdit>
#include <cstring>

#include "base/kit/back_strip.h"
#include "base/kit/message_box.h"
#include "base/kit/widget_look.h"
#include "keldar/bus_protocol_types.h"
#include "ui_TProgramConfigurationDevice.h"

namespace {

struct DeviceTypeItem {
  int code;  // EN 13757-3 medium
  const char* key;
  const char* builtInName;
};

constexpr DeviceTypeItem kDeviceTypes[] = {
    {0x00, "DEVICE_ANOTHER_DEVICE", "Другое устройство"},
    {0x06, "DEVICE_WATER_METER_HOT_WATER", "Водомер горячей воды"},
    {0x16, "DEVICE_WATER_METER_COLD_WATER", "Водомер холодной воды"},
};

void PlaceLeftOf(QWidget* label, const QWidget* input) {
  label->adjustSize();
  label->move(input->x() - label->width() - 5, label->y());
}

}  // namespace

DeviceConfigurationScreen::DeviceConfigurationScreen(QWidget* owner, uint8_t* closeFlag,
                                                     KeldarDeviceRecord* record,
                                                     KeldarBusPort* port,
                                                     const KeldarBusProtocolLibrary* bus,
                                                     Phrases phrases)
    : QFrame(owner),
      ui_(std::make_unique<Ui::TProgramConfigurationDevice>()),
      closeFlag_(closeFlag),
      record_(record),
      configuration_(std::make_unique<DeviceConfiguration>(mbus::Link{bus, port, {}}, *record)),
      phrases_(phrases) {
  ui_->setupUi(this);
  look::Paint(this, look::kWhite);
  look::Paint(ui_->Background, look::kWhite);
  look::MakeBackStrip(
      ui_->Back, BackCaption(), [this] { keldar_flag_set(closeFlag_, 1); }, ui_->Background);
  for (QWidget* button :
       {ui_->ButtonSetDeviceType, ui_->ButtonSetSerialNumber, ui_->ButtonSetDeviceAdress}) {
    look::Paint(button, look::kBlack);
    look::PaintText(button, look::kWhite);
  }
  look::OnClick(ui_->ButtonSetDeviceType, [this] { ButtonSetDeviceTypeClick(); });
  look::OnClick(ui_->ButtonSetSerialNumber, [this] { ButtonSetSerialNumberClick(); });
  look::OnClick(ui_->ButtonSetDeviceAdress, [this] { ButtonSetDeviceAdressClick(); });
  connect(ui_->ComboBoxDeviceType, &QComboBox::currentIndexChanged, this, [this](int index) {
    ui_->LabelDeviceTypeDescription2->setText(
        index >= 0 && index < static_cast<int>(descriptions_.size()) ? descriptions_[index]
                                                                     : QString());
  });
  ui_->MaskEditPrimaryAddress->installEventFilter(this);
  ui_->MaskEditSecondaryAddress->installEventFilter(this);

  FillDeviceTypes();
  ui_->MaskEditSerialNumber->setText(QString::fromUtf8(
      record->serial, static_cast<qsizetype>(::strnlen(record->serial, sizeof record->serial))));

  const auto addresses = configuration_->ReadAddresses();
  ui_->MaskEditSecondaryAddress->setText(QString::fromStdString(addresses.secondary));
  ui_->MaskEditPrimaryAddress->setText(QString::fromStdString(addresses.primary));
  if (addresses.primaryReadout == DeviceConfiguration::PrimaryReadout::InvalidResponse)
    Show(ConfigurationEvent::InvalidResponse);
  if (addresses.primaryReadout == DeviceConfiguration::PrimaryReadout::NotReceived)
    Show(ConfigurationEvent::PrimaryNotReceived);
  RefreshTexts();
}

DeviceConfigurationScreen::~DeviceConfigurationScreen() = default;

void DeviceConfigurationScreen::FillDeviceTypes() {
  int selected = -1;
  for (const auto& item : kDeviceTypes) {
    ui_->ComboBoxDeviceType->addItem(phrases_.Text(item.key, QString::fromUtf8(item.builtInName)));
    codes_.push_back(item.code);
    descriptions_.push_back(QStringLiteral("-"));
    if (item.code == record_->device_type) selected = static_cast<int>(codes_.size()) - 1;
  }
  ui_->ComboBoxDeviceType->setCurrentIndex(selected);
  if (selected < 0) ui_->LabelDeviceTypeDescription2->clear();
}

std::string DeviceConfigurationScreen::EditText(const QLineEdit* edit) {
  // Unfilled positions of the mask count as blanks, as the meter's digits are read.
  return look::ShownText(edit);
}

void DeviceConfigurationScreen::Show(ConfigurationEvent event) const {
  const ConfigurationMessage& message = MessageFor(event);
  const bool fromLibrary = phrases_.Has(message.key);
  platform::ShowMessageBox(nullptr,
                           phrases_.Text(message.key, QString::fromUtf8(message.builtInText)),
                           fromLibrary ? QString() : QString::fromUtf8(message.builtInCaption),
                           platform::kMbTaskModal | message.icon);
}

void DeviceConfigurationScreen::ButtonSetDeviceTypeClick() {
  const int index = ui_->ComboBoxDeviceType->currentIndex();
  if (index < 0) {
    Show(ConfigurationEvent::NoTypeSelected);  // nothing is sent without a type
    return;
  }
  Show(EventFor(configuration_->SetDeviceType(static_cast<std::uint8_t>(codes_[index])),
                ConfigurationEvent::TypeChanged));
}

void DeviceConfigurationScreen::ButtonSetSerialNumberClick() {
  // Read as shown: a blank the user left inside the number is not dropped.
  std::string serial = EditText(ui_->MaskEditSerialNumber);
  if (HasGap(serial)) return Show(ConfigurationEvent::SerialHasGap);
  serial.erase(serial.find_last_not_of(' ') + 1);
  Show(EventFor(configuration_->SetSerialNumber(serial), ConfigurationEvent::SerialChanged));
}

void DeviceConfigurationScreen::ButtonSetDeviceAdressClick() {
  const auto change = configuration_->SetAddresses(EditText(ui_->MaskEditPrimaryAddress),
                                                   EditText(ui_->MaskEditSecondaryAddress));
  Show(EventFor(change));
}

void DeviceConfigurationScreen::MaskEditPrimaryAddressKeyUp() {
  const std::string text = EditText(ui_->MaskEditPrimaryAddress);
  const std::string corrected = CorrectPrimaryText(text);
  if (corrected != text) ui_->MaskEditPrimaryAddress->setText(QString::fromStdString(corrected));
}

void DeviceConfigurationScreen::MaskEditSecondaryAddressKeyUp() {
  const std::string text = EditText(ui_->MaskEditSecondaryAddress);
  const std::string corrected = CorrectSecondaryText(text);
  if (corrected != text) ui_->MaskEditSecondaryAddress->setText(QString::fromStdString(corrected));
}

bool DeviceConfigurationScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease) {
    if (watched == ui_->MaskEditPrimaryAddress) MaskEditPrimaryAddressKeyUp();
    if (watched == ui_->MaskEditSecondaryAddress) MaskEditSecondaryAddressKeyUp();
  }
  return QFrame::eventFilter(watched, event);
}

void DeviceConfigurationScreen::RefreshTexts() {
  const auto apply = [this](QWidget* control, const char* key, const char* format) {
    if (!phrases_.Has(key)) return;
    const QString text = phrases_.Formatted(key, format, QString());
    if (auto* box = qobject_cast<QGroupBox*>(control))
      box->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
      label->setText(text);
  };
  apply(BackCaption(), "FRAME_PROGRAM_SETTING_GO_BACK", "%s");
  apply(ui_->Title, "FRAME_PROGRAM_CONFIGURATION_DEVICE_CONFIGURATION", "%s");
  apply(ui_->GroupBoxDeviceType, "FRAME_PROGRAM_CONFIGURATION_DEVICE_TYPE", "%s");
  apply(ui_->LabelDeviceType, "FRAME_PROGRAM_CONFIGURATION_SELECT_TYPE", "%s:");
  apply(ui_->LabelDeviceTypeDescription1, "FRAME_PROGRAM_CONFIGURATION_DESCRIPTION_TYPE", "%s:");
  for (QWidget* button :
       {ui_->ButtonSetDeviceType, ui_->ButtonSetSerialNumber, ui_->ButtonSetDeviceAdress})
    apply(button, "FRAME_PROGRAM_DEVICE_INSTALL", "%s");
  apply(ui_->GroupBoxSerialNumber, "FRAME_PROGRAM_DEVICE_SERIAL_NUMBER", "%s");
  apply(ui_->LabelSerialNumber, "FRAME_PROGRAM_DEVICE_SERIAL_NUMBER", "%s:");
  apply(ui_->GroupBoxAdressing, "FRAME_PROGRAM_CONFIGURATION_ADDRESSING", "%s");
  apply(ui_->LabelPrimaryAddress, "FRAME_PROGRAM_DEVICE_PRIMARY_ADDRESS", "%s:");
  apply(ui_->LabelSecondaryAddress, "FRAME_PROGRAM_DEVICE_SECONDARY_ADDRESS", "%s:");
  Layout();
}

void DeviceConfigurationScreen::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  Layout();
}

void DeviceConfigurationScreen::Layout() {
  // Centred on the whole screen, as the boxes are placed in screen coordinates.
  const int centre = width() / 2 - ui_->Background->x();
  ui_->Title->adjustSize();
  for (QWidget* widget :
       {static_cast<QWidget*>(ui_->Title), static_cast<QWidget*>(ui_->GroupBoxDeviceType),
        static_cast<QWidget*>(ui_->GroupBoxSerialNumber),
        static_cast<QWidget*>(ui_->GroupBoxAdressing)})
    widget->move(centre - widget->width() / 2, widget->y());
  PlaceLeftOf(ui_->LabelDeviceType, ui_->ComboBoxDeviceType);
  PlaceLeftOf(ui_->LabelDeviceTypeDescription1, ui_->LabelDeviceTypeDescription2);
  PlaceLeftOf(ui_->LabelSerialNumber, ui_->MaskEditSerialNumber);
  PlaceLeftOf(ui_->LabelPrimaryAddress, ui_->MaskEditPrimaryAddress);
  PlaceLeftOf(ui_->LabelSecondaryAddress, ui_->MaskEditSecondaryAddress);
}

// The controls by their role; their object names are the layout's.
QLabel* DeviceConfigurationScreen::BackCaption() const { return ui_->Label1; }
