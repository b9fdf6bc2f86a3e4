#include "screen/working_screen.h"

#include <QTime>
#include <cstring>

#include "base/bus/constants.h"
#include "base/kit/back_strip.h"
#include "base/kit/colours.h"
#include "base/kit/fonts.h"
#include "base/kit/widget_look.h"
#include "core/archive_saver.h"
#include "screen/readings_table.h"
#include "ui_TMainFrame.h"

namespace devicescreen {

namespace {

constexpr int kTitlePixels = 20;

// A fixed text field of the device record, which need not be terminated.
template <std::size_t N>
QString FieldText(const char (&field)[N]) {
  return QString::fromUtf8(field, static_cast<qsizetype>(::strnlen(field, N)));
}

QString Caption(const QString& text) { return text + QLatin1Char(':'); }

}  // namespace

WorkingScreen::WorkingScreen(const FrameArguments& arguments, const DeviceFlavour& flavour,
                       QWidget* parent)
    : QFrame(parent),
      ui_(std::make_unique<Ui::TMainFrame>()),
      arguments_(arguments),
      flavour_(flavour),
      texts_(arguments.language, arguments.phrases) {
  ui_->setupUi(this);
  setObjectName(QString::fromLatin1(flavour_.componentName));
  look::Paint(ui_->Background, look::kWhite);
  // Designer files cannot hold a pixel size: the title is 20-pixel Tahoma.
  look::SetPixelSize(ui_->LabelTitle, kTitlePixels);
  ui_->ProgressBarRead->hide();
  SetUpReadingsTable(*ui_->TableReadings, texts_);
  RefreshTexts();
  ShowIdentity();

  look::MakeBackStrip(ui_->Back, ui_->Label1, [this] { Leave(); });
  connect(ui_->PanelButtonRefresh, &look::PanelButton::clicked, this, &WorkingScreen::Refresh);
  connect(ui_->PanelButtonSave, &look::PanelButton::clicked, this, &WorkingScreen::SaveToArchive);
  Refresh();
}

WorkingScreen::~WorkingScreen() {
  // The read may be inside a bus exchange: it ends after that one, and its
  // outcome is never delivered.
  job_.Stop();
}

void WorkingScreen::RefreshTexts() {
  ui_->Label1->setText(texts_.Text(phrase::kGoBack));
  ui_->LabelTitle->setText(texts_.Text(*flavour_.title));
  ui_->LabelManufacturerCaption->setText(Caption(texts_.Text(phrase::kManufacturer)));
  ui_->LabelSerialNumberCaption->setText(Caption(texts_.Text(phrase::kSerialNumber)));
  ui_->LabelModelCaption->setText(Caption(texts_.Text(phrase::kModel)));
  ui_->LabelDeviceTypeCaption->setText(Caption(texts_.Text(phrase::kDeviceType)));
  ui_->LabelAddressCaption->setText(Caption(texts_.Text(phrase::kPrimaryAddress)));
  ui_->LabelCatalogueIdCaption->setText(Caption(texts_.Text(phrase::kCatalogueId)));
  ui_->LabelSoftwareVersionCaption->setText(Caption(texts_.Text(phrase::kSoftwareVersion)));
  ui_->PanelButtonRefresh->setText(texts_.Text(phrase::kRefresh));
  ui_->PanelButtonSave->setText(texts_.Text(phrase::kSaveToArchive));
}

void WorkingScreen::ShowIdentity() {
  const KeldarDeviceRecord& device = arguments_.device;
  ui_->LabelManufacturer->setText(FieldText(device.manufacturer));
  ui_->LabelSerialNumber->setText(FieldText(device.serial));
  ui_->LabelModel->setText(FieldText(device.model));
  // The type in words; its medium code for whoever needs it.
  ui_->LabelDeviceType->setText(texts_.Text(DeviceTypePhrase(device.device_type)));
  ui_->LabelDeviceType->setToolTip(QString::number(device.device_type));
  QString address = QString::number(device.address);
  if (device.address == mbus::kAddressSelected)
    address += QStringLiteral(" (%1)").arg(texts_.Text(phrase::kSelectedBySecondary));
  ui_->LabelAddress->setText(address);

  // The catalogue's row is shown only when the catalogue knew the device.
  const bool catalogued = device.id != 0;
  ui_->LabelCatalogueId->setText(QString::number(device.id));
  ui_->LabelCatalogueId->setVisible(catalogued);
  ui_->LabelCatalogueIdCaption->setVisible(catalogued);
  const QString version = FieldText(device.software_version);
  ui_->LabelSoftwareVersion->setText(version);
  ui_->LabelSoftwareVersion->setVisible(!version.isEmpty());
  ui_->LabelSoftwareVersionCaption->setVisible(!version.isEmpty());
}

void WorkingScreen::Refresh() {
  if (reading_) return;
  const BusPort bus{arguments_.bus, arguments_.port};
  if (bus.lib == nullptr || bus.lib->module == nullptr) {
    ShowMessage(texts_.Text(phrase::kMissingComponent), Tone::Bad);
    return;
  }
  reading_ = true;
  ui_->ProgressBarRead->show();
  ShowMessage(texts_.Text(phrase::kReading), Tone::Neutral);
  UpdateCommands();
  job_.Start(this, bus, arguments_.device.address,
             [this](ReadOutcome outcome) { ShowOutcome(std::move(outcome)); });
}

void WorkingScreen::ShowOutcome(ReadOutcome outcome) {
  reading_ = false;
  ui_->ProgressBarRead->hide();
  switch (outcome.status) {
    case ReadStatus::Done:
      last_ = std::move(outcome.reading);
      ShowReadings(*ui_->TableReadings, last_, texts_);
      ShowMessage(QStringLiteral("%1: %2").arg(texts_.Text(phrase::kReadDone),
                                               QTime::currentTime().toString(u"HH:mm:ss")),
                  Tone::Good);
      break;
    case ReadStatus::BusMissing:
      ShowMessage(texts_.Text(phrase::kMissingComponent), Tone::Bad);
      break;
    case ReadStatus::PortUnavailable:
      ShowMessage(texts_.Text(phrase::kPortUnavailable), Tone::Bad);
      break;
    case ReadStatus::DeviceError: {
      QString text = texts_.Text(phrase::kDeviceError);
      if (!outcome.errorText.empty())
        text += QStringLiteral(" (%1)").arg(QString::fromStdString(outcome.errorText));
      ShowMessage(text, Tone::Bad);
      break;
    }
    case ReadStatus::NoAnswer:
    case ReadStatus::Stopped:
      ShowMessage(texts_.Text(phrase::kNoAnswer), Tone::Bad);
      break;
  }
  UpdateCommands();
}

void WorkingScreen::SaveToArchive() {
  if (reading_) return;
  const Phrase* message = nullptr;
  switch (SaveReading(arguments_.adminTools, flavour_.kind, arguments_.device, last_)) {
    case SaveOutcome::Saved:
      ShowMessage(texts_.Text(phrase::kSaved), Tone::Good);
      return;
    case SaveOutcome::ComponentMissing:
      message = &phrase::kMissingComponent;
      break;
    case SaveOutcome::NothingToSave:
      message = &phrase::kNothingToSave;
      break;
    case SaveOutcome::StoreNotOpened:
      message = &phrase::kArchiveNotOpened;
      break;
    case SaveOutcome::Refused:
      message = &phrase::kArchiveRefused;
      break;
  }
  ShowMessage(texts_.Text(*message), Tone::Bad);
}

void WorkingScreen::ShowMessage(const QString& text, Tone tone) {
  QPalette palette = ui_->LabelStatus->palette();
  const QColor colour = tone == Tone::Good  ? QColor(0x1b, 0x6e, 0x2c)
                        : tone == Tone::Bad ? QColor(0xc0, 0x00, 0x00)
                                            : look::kBlack;
  palette.setColor(QPalette::WindowText, colour);
  ui_->LabelStatus->setPalette(palette);
  ui_->LabelStatus->setText(text);
}

void WorkingScreen::UpdateCommands() {
  ui_->PanelButtonRefresh->setEnabled(!reading_);
  ui_->PanelButtonSave->setEnabled(!reading_ && !last_.records.empty());
}

void WorkingScreen::Leave() {
  if (arguments_.closeFlag != nullptr) keldar_flag_set(arguments_.closeFlag, 1);
}

}  // namespace devicescreen
