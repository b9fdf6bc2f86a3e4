#include "device/screens/scan_screen.h"

#include <QHeaderView>
#include <QRegularExpressionValidator>
#include <cctype>

#include "base/kit/back_strip.h"
#include "base/kit/message_box.h"
#include "base/kit/table_style.h"
#include "base/kit/widget_look.h"
#include "device/bus_protocol_library.h"
#include "device/device_kind.h"
#include "device/screens/port_messages.h"
#include "ui_TProgramFindMeters.h"

namespace {

constexpr int kRowHeight = 24;

enum Column { kAddress, kNumber, kMaker, kMedium, kModel, kColumns };

QString WithColon(const QString& text) { return text + QLatin1Char(':'); }

bool IsManufacturer(const std::string& letters) {
  if (letters.size() != 3) return false;
  for (const char c : letters) {
    if (c < 'A' || c > 'Z') return false;
  }
  return true;
}

std::string Upper(QString text) { return text.trimmed().toUpper().toStdString(); }

}  // namespace

ScanScreen::ScanScreen(QWidget* owner, NavigationContext context, Port port,
                       std::vector<int> speeds, int speed, Actions actions)
    : QFrame(owner),
      ui_(std::make_unique<Ui::TProgramFindMeters>()),
      context_(std::move(context)),
      port_(std::move(port)),
      actions_(std::move(actions)) {
  ui_->setupUi(this);
  look::Paint(this, look::kWhite);
  look::Paint(ui_->Background, look::kWhite);
  ui_->LabelPortName->setText(QString::fromStdString(port_.name));
  for (const int each : speeds) ui_->ComboBoxSpeed->addItem(QString::number(each));
  ui_->ComboBoxSpeed->setCurrentText(QString::number(speed));
  // Digits and F (any digit) only; lower-case f is taken as F.
  ui_->EditMask->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9Ff]{0,8}")), ui_->EditMask));
  ui_->EditManufacturer->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[A-Za-z]{0,3}")), ui_->EditManufacturer));

  auto& table = *ui_->TableMeters;
  table.setColumnCount(kColumns);
  look::StyleListTable(table, kRowHeight);
  table.horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table.horizontalHeader()->setStretchLastSection(true);

  RefreshTexts();
  WireControls();
  ShowScanning(false);
  ui_->ProgressScan->hide();
}

ScanScreen::~ScanScreen() {
  // The run closes its port as it ends; its last reports are dropped with the screen.
  worker_.Stop();
}

void ScanScreen::RefreshTexts() {
  const Phrases& phrases = context_.phrases;
  ui_->LabelBack->setText(phrases.Text("FRAME_PROGRAM_SETTING_GO_BACK", ui_->LabelBack->text()));
  ui_->LabelTitle->setText(phrases.Text("FRAME_PROGRAM_MAIN_FIND_METERS", "Найти счётчики"));
  ui_->RadioPrimary->setText(
      phrases.Text("FRAME_PROGRAM_FIND_METERS_BY_PRIMARY", "По первичным адресам"));
  ui_->RadioSecondary->setText(
      phrases.Text("FRAME_PROGRAM_FIND_METERS_BY_SECONDARY", "По вторичным адресам"));
  ui_->LabelMask->setText(
      WithColon(phrases.Text("FRAME_PROGRAM_FIND_METERS_NUMBER_MASK", "Маска серийного номера")));
  ui_->LabelManufacturer->setText(
      WithColon(phrases.Text("FRAME_PROGRAM_DEVICE_SCREEN_MANUFACTURER", "Производитель")));
  ui_->LabelPort->setText(WithColon(phrases.Text("FRAME_PROGRAM_FIND_METERS_PORT", "Порт")));
  ui_->LabelSpeed->setText(WithColon(phrases.Text("FRAME_PROGRAM_FIND_METERS_SPEED", "Скорость")));
  ui_->PanelButtonStart->setText(phrases.Text("FRAME_PROGRAM_FIND_METERS_START", "Начать поиск"));
  ui_->PanelButtonStop->setText(phrases.Text("FRAME_PROGRAM_FIND_METERS_STOP", "Остановить"));
  ui_->PanelButtonConnect->setText(
      phrases.Text("FRAME_PROGRAM_MAIN_ESTABLISH_COMMUNICATION", "Установить связь"));
  ui_->TableMeters->setHorizontalHeaderLabels(
      {phrases.Text("FRAME_PROGRAM_DEVICE_PRIMARY_ADDRESS", "Первичный адрес"),
       phrases.Text("FRAME_PROGRAM_DEVICE_SERIAL_NUMBER", "Серийный номер"),
       phrases.Text("FRAME_PROGRAM_DEVICE_SCREEN_MANUFACTURER", "Производитель"),
       phrases.Text("FRAME_PROGRAM_CONFIGURATION_DEVICE_TYPE", "Тип устройства"),
       phrases.Text("FRAME_PROGRAM_DEVICE_SCREEN_MODEL", "Модель")});
}

void ScanScreen::WireControls() {
  look::MakeBackStrip(
      ui_->Back, ui_->LabelBack,
      [this] {
        worker_.Stop();
        if (actions_.back) actions_.back();
      },
      ui_->Background);
  connect(ui_->PanelButtonStart, &look::PanelButton::clicked, this, [this] { StartClick(); });
  connect(ui_->PanelButtonStop, &look::PanelButton::clicked, this, [this] { StopClick(); });
  connect(ui_->PanelButtonConnect, &look::PanelButton::clicked, this, [this] { ConnectClick(); });
  connect(ui_->TableMeters, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    ui_->TableMeters->selectRow(row);
    ConnectClick();
  });
  // The range stays a range: each end keeps the other in bounds.
  connect(ui_->SpinFrom, &QSpinBox::valueChanged, this,
          [this](int from) { ui_->SpinTo->setMinimum(from); });
  connect(ui_->SpinTo, &QSpinBox::valueChanged, this,
          [this](int to) { ui_->SpinFrom->setMaximum(to); });
  connect(ui_->RadioPrimary, &QRadioButton::toggled, this, [this] { ShowScanning(scanning_); });
}

void ScanScreen::ShowScanning(bool scanning) {
  scanning_ = scanning;
  ui_->PanelButtonStart->setEnabled(!scanning);
  ui_->PanelButtonStop->setEnabled(scanning);
  ui_->ComboBoxSpeed->setEnabled(!scanning);
  ui_->RadioPrimary->setEnabled(!scanning);
  ui_->RadioSecondary->setEnabled(!scanning);
  const bool primary = ui_->RadioPrimary->isChecked();
  ui_->SpinFrom->setEnabled(primary && !scanning);
  ui_->SpinTo->setEnabled(primary && !scanning);
  ui_->EditMask->setEnabled(!primary && !scanning);
  ui_->EditManufacturer->setEnabled(!primary && !scanning);
}

int ScanScreen::ChosenSpeed() const { return ui_->ComboBoxSpeed->currentText().toInt(); }

void ScanScreen::Tell(const char* key, const char* builtIn) {
  platform::ShowMessageBox(this, context_.phrases.Text(key, QString::fromUtf8(builtIn)), QString(),
                           platform::kMbTaskModal | platform::kMbIconWarning);
}

std::optional<ScanRequest> ScanScreen::RequestFromControls() {
  if (ui_->RadioPrimary->isChecked())
    return PrimaryScanRequest{ui_->SpinFrom->value(), ui_->SpinTo->value()};
  SecondaryScanRequest request;
  const std::string mask = Upper(ui_->EditMask->text());
  request.mask = mask.empty() ? std::string("FFFFFFFF") : mask;
  if (!ParseIdMask(request.mask)) {
    Tell("FRAME_PROGRAM_FIND_METERS_MASK_INVALID",
         "Маска серийного номера — восемь знаков: цифры и F на месте любой цифры.");
    return std::nullopt;
  }
  request.manufacturer = Upper(ui_->EditManufacturer->text());
  if (!request.manufacturer.empty() && !IsManufacturer(request.manufacturer)) {
    Tell("FRAME_PROGRAM_FIND_METERS_MANUFACTURER_INVALID",
         "Производитель — три латинские буквы; оставьте поле пустым, чтобы найти любого.");
    return std::nullopt;
  }
  return request;
}

void ScanScreen::StartClick() {
  if (scanning_) return;
  const BusProtocolLibrary* bus = context_.busProtocol;
  if (bus == nullptr || !bus->IsLoaded()) {
    Tell("FRAME_PROGRAM_MAIN_NOT_MISSING_COMPONENT_RUNTHIS_MODE",
         "Не хватает компонента для работы в этом режиме.");
    return;
  }
  std::optional<ScanRequest> request = RequestFromControls();
  if (!request) return;
  worker_.Stop();  // the previous run has ended; this joins its thread
  meters_.clear();
  ui_->TableMeters->setRowCount(0);
  primary_ = std::holds_alternative<PrimaryScanRequest>(*request);
  scanSpeed_ = ChosenSpeed();
  ScanProgress start;
  if (primary_) {
    const auto& range = std::get<PrimaryScanRequest>(*request);
    start.total = range.to - range.from + 1;
  }
  ui_->ProgressScan->show();
  ShowProgress(start);
  ShowScanning(true);
  worker_.Start(bus->GetApi(), port_.path, scanSpeed_, std::move(*request));
}

void ScanScreen::StopClick() {
  if (scanning_) worker_.RequestStop();
}

void ScanScreen::ConnectClick() {
  const int row = ui_->TableMeters->currentRow();
  if (row < 0 || row >= static_cast<int>(meters_.size()) ||
      ui_->TableMeters->selectedItems().isEmpty()) {
    Tell("FRAME_PROGRAM_FIND_METERS_CHOOSE_METER", "Выберите счётчик в списке.");
    return;
  }
  const FoundMeter meter = meters_[static_cast<std::size_t>(row)];
  if (meter.collision) {
    Tell("FRAME_PROGRAM_FIND_METERS_COLLISION_CHOSEN",
         "По этому адресу отвечают несколько счётчиков, поэтому подключиться по нему нельзя. "
         "Найдите их поиском по вторичным адресам.");
    return;
  }
  // The connection needs the port: the scan ends first and closes it.
  worker_.Stop();
  if (actions_.connect) actions_.connect(port_.path, scanSpeed_, meter);
}

QString ScanScreen::FoundText(int found) const {
  return context_.phrases.Text("FRAME_PROGRAM_FIND_METERS_FOUND", "Найдено счётчиков") +
         QStringLiteral(": %1").arg(found);
}

void ScanScreen::ShowProgress(const ScanProgress& progress) {
  QString done;
  if (primary_) {
    ui_->ProgressScan->setRange(0, std::max(progress.total, 1));
    ui_->ProgressScan->setValue(progress.done);
    done = context_.phrases.Text("FRAME_PROGRAM_FIND_METERS_ADDRESSES_DONE", "Опрошено адресов") +
           QStringLiteral(": %1 / %2").arg(progress.done).arg(progress.total);
  } else {
    ui_->ProgressScan->setRange(0, 0);  // how many masks it takes is not known ahead
    done = context_.phrases.Text("FRAME_PROGRAM_FIND_METERS_MASKS_DONE", "Проверено масок") +
           QStringLiteral(": %1").arg(progress.done);
    if (!progress.current.empty())
      done += QStringLiteral(" (%1)").arg(QString::fromStdString(progress.current));
  }
  ui_->LabelStatus->setText(done + QStringLiteral(". ") + FoundText(progress.found));
}

void ScanScreen::AddRow(const FoundMeter& meter) {
  auto& table = *ui_->TableMeters;
  const int row = table.rowCount();
  table.insertRow(row);
  const QString address =
      meter.primaryAddress ? QString::number(*meter.primaryAddress) : QStringLiteral("—");
  table.setItem(row, kAddress, look::TableCell(address));
  if (meter.collision) {
    table.setItem(
        row, kNumber,
        look::TableCell(context_.phrases.Text("FRAME_PROGRAM_FIND_METERS_COLLISION",
                                              "По этому адресу отвечают несколько счётчиков")));
    table.setSpan(row, kNumber, 1, kColumns - kNumber);
    return;
  }
  if (meter.acknowledgedOnly) {
    // It answers but told nothing of itself; its address still reaches it.
    table.setItem(row, kNumber, look::TableCell(QStringLiteral("—")));
    return;
  }
  const DeviceKind& kind = KindOfDeviceType(static_cast<std::uint8_t>(meter.medium));
  table.setItem(row, kNumber, look::TableCell(QString::fromStdString(meter.Id())));
  table.setItem(row, kMaker, look::TableCell(QString::fromStdString(meter.manufacturer)));
  table.setItem(
      row, kMedium,
      look::TableCell(context_.phrases.Text(kind.phraseKey, QString::fromUtf8(kind.builtInText))));
  table.setItem(row, kModel, look::TableCell(QString::fromStdString(meter.model)));
}

void ScanScreen::Progress(const ScanProgress& progress) {
  platform::HandOver(this, [this, progress] { ShowProgress(progress); });
}

void ScanScreen::Found(const FoundMeter& meter) {
  platform::HandOver(this, [this, meter] {
    meters_.push_back(meter);
    AddRow(meter);
  });
}

void ScanScreen::Finished(const ScanResult& result) {
  platform::HandOver(this, [this, result] {
    worker_.Stop();  // the run has ended; its thread is joined here
    ShowEnd(result);
  });
}

void ScanScreen::PortNotOpened(const PortProblem& problem, const std::string& path) {
  // The problem is one of the program's static descriptions.
  const PortProblem* said = &problem;
  platform::HandOver(this, [this, said, path] {
    worker_.Stop();  // the run has ended; its thread is joined here
    ShowScanning(false);
    ui_->ProgressScan->hide();
    ui_->LabelStatus->clear();
    ShowPortProblem(context_.phrases, *said, path);
  });
}

void ScanScreen::ShowEnd(const ScanResult& result) {
  ShowScanning(false);
  // The findings as the scan left them: a later finding may mark an earlier
  // one as sharing its address.
  meters_ = result.meters;
  ui_->TableMeters->clearSpans();
  ui_->TableMeters->setRowCount(0);
  for (const FoundMeter& meter : meters_) AddRow(meter);
  if (!meters_.empty()) ui_->TableMeters->selectRow(0);
  ui_->ProgressScan->setRange(0, 1);
  ui_->ProgressScan->setValue(result.end == ScanEnd::Complete ? 1 : 0);
  const QString end =
      result.end == ScanEnd::Complete
          ? context_.phrases.Text("FRAME_PROGRAM_FIND_METERS_COMPLETE", "Поиск завершён")
          : context_.phrases.Text("FRAME_PROGRAM_FIND_METERS_STOPPED", "Поиск остановлен");
  ui_->LabelStatus->setText(end + QStringLiteral(". ") +
                            FoundText(static_cast<int>(meters_.size())));
  if (result.end == ScanEnd::PortLost) ShowPortLost(context_.phrases, port_.path);
}
