#include "screens/archive_screen.h"

#include <QChartView>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>
#include <map>
#include <utility>

#include "base/kit/back_strip.h"
#include "base/kit/file_dialog.h"
#include "base/kit/fonts.h"
#include "base/kit/message_box.h"
#include "base/kit/table_style.h"
#include "keldar/plugin_abi.h"
#include "screens/archive_chart.h"
#include "screens/archive_messages.h"
#include "screens/archive_trend.h"
#include "screens/export_file.h"
#include "screens/phrase_keys.h"
#include "screens/reading_format.h"
#include "screens/table_style.h"
#include "ui_TProgramReadLocalArhiv.h"

namespace admintools {
namespace {

struct ColumnText {
  const char* key;
  const char* builtIn;
};

// Captions in the order of the columns; quantities carry their display unit.
constexpr ColumnText kColumnTexts[ArchiveScreen::kColumnCount] = {
    {keys::kArchiveReadTime, "Дата чтения"},
    {keys::kArchiveDevice, "Прибор"},
    {keys::kArchiveKind, "Вид учёта"},
    {keys::kArchiveEnergy, "Энергия, кВт·ч"},
    {keys::kArchiveVolume, "Объём, м³"},
    {keys::kArchivePower, "Мощность, кВт"},
    {keys::kArchiveFlow, "Расход, м³/ч"},
    {keys::kArchiveSupplyTemperature, "T подачи, °C"},
    {keys::kArchiveReturnTemperature, "T обратки, °C"},
    {keys::kArchiveTemperatureDifference, "ΔT, К"},
    {keys::kArchiveWaterTemperature, "T воды, °C"},
    {keys::kArchiveOperatingHours, "Наработка, ч"},
    {keys::kArchiveErrors, "Ошибки"},
    {keys::kArchiveMeterTime, "Время прибора"},
};

// Where the read-time cell keeps the reading it shows.
constexpr int kIdRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;
// Set on the counter cell of a reading lower than the one before it.
constexpr int kBackwardsRole = Qt::UserRole + 2;

const QString kCsvFilter = QStringLiteral("CSV (*.csv)");
const QString kJsonFilter = QStringLiteral("JSON (*.json)");

int ColumnOf(Quantity quantity) {
  return ArchiveScreen::kColumnFirstQuantity + static_cast<int>(quantity);
}

}  // namespace

ArchiveScreen::ArchiveScreen(uint8_t* closeFlag, ScreenTexts texts, std::string archiveFile,
                             QWidget* parent)
    : QFrame(parent),
      ui_(std::make_unique<Ui::TProgramReadLocalArhiv>()),
      closeFlag_(closeFlag),
      texts_(texts),
      archiveFile_(std::move(archiveFile)) {
  auto& ui = *ui_;
  ui.setupUi(this);
  look::PinFonts(*this);
  ui.TableReadings->setColumnCount(kColumnCount);
  SetUpTable(*ui.TableReadings);
  // Several readings can be chosen for deletion at once.
  ui.TableReadings->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ui.TableReadings->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  ui.TableReadings->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  chart_ = new QChartView(ui.FrameChart);
  chart_->setObjectName(QStringLiteral("ChartTrend"));
  chart_->setRenderHint(QPainter::Antialiasing);
  ui.ChartLayout->addWidget(chart_);
  ui.SplitterReadings->setStretchFactor(0, 3);
  ui.SplitterReadings->setStretchFactor(1, 2);
  ui.FrameChart->hide();
  RefreshTexts();

  ui.ComboBoxDeviceKind->addItem(texts_.Text(keys::kArchiveAllKinds, QStringLiteral("Все виды")),
                                 0);
  for (DeviceKind kind : kDeviceKinds) {
    ui.ComboBoxDeviceKind->addItem(DeviceKindText(texts_, kind), static_cast<int>(kind));
  }

  look::MakeBackStrip(ui.Back, ui.Label1, [this] {
    if (closeFlag_ != nullptr) keldar_flag_set(closeFlag_, 1);
  });
  connect(ui.ComboBoxDeviceKind, &QComboBox::currentIndexChanged, this, &ArchiveScreen::Refresh);
  connect(ui.ComboBoxDevice, &QComboBox::currentIndexChanged, this, [this] { LoadReadings(); });
  connect(ui.PanelButtonRefresh, &look::PanelButton::clicked, this, &ArchiveScreen::Refresh);
  connect(ui.TableReadings->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    CancelDelete();
    ui_->PanelButtonDelete->setEnabled(!SelectedReadings().empty());
  });
  connect(ui.PanelButtonDelete, &look::PanelButton::clicked, this, &ArchiveScreen::AskToDelete);
  connect(ui.PanelButtonExport, &look::PanelButton::clicked, this, &ArchiveScreen::Export);
  connect(ui.PanelButtonConfirmDelete, &look::PanelButton::clicked, this,
          &ArchiveScreen::ConfirmDelete);
  connect(ui.PanelButtonConfirmCancel, &look::PanelButton::clicked, this,
          &ArchiveScreen::CancelDelete);
  Refresh();
}

ArchiveScreen::~ArchiveScreen() = default;

void ArchiveScreen::RefreshTexts() {
  auto& ui = *ui_;
  texts_.Apply(ui.Label1, keys::kGoBack);
  texts_.Apply(ui.LabelTitle, keys::kArchiveTitle);
  texts_.Apply(ui.LabelDeviceKind, keys::kArchiveDeviceKind);
  texts_.Apply(ui.LabelDevice, keys::kArchiveDevice);
  texts_.Apply(ui.PanelButtonRefresh, keys::kArchiveRefresh);
  texts_.Apply(ui.PanelButtonDelete, keys::kArchiveDelete);
  texts_.Apply(ui.PanelButtonExport, keys::kArchiveExport);
  texts_.Apply(ui.PanelButtonConfirmDelete, keys::kArchiveDelete);
  texts_.Apply(ui.PanelButtonConfirmCancel, keys::kArchiveCancel);
  for (int column = 0; column < kColumnCount; ++column) {
    const auto& text = kColumnTexts[column];
    ui.TableReadings->setHorizontalHeaderItem(
        column, new QTableWidgetItem(texts_.Text(text.key, QString::fromUtf8(text.builtIn))));
  }
}

bool ArchiveScreen::EnsureArchive() {
  if (archive_ != nullptr) return true;
  const auto failure =
      RunOnArchive(this, texts_, [this] { archive_ = std::make_unique<Archive>(archiveFile_); });
  if (!failure) return true;
  ShowMessage(FailureText(texts_, *failure));
  return false;
}

void ArchiveScreen::ShowMessage(const QString& text) {
  ui_->TableReadings->setRowCount(0);
  ui_->LabelEmpty->setText(text);
  ui_->Pages->setCurrentWidget(ui_->PageEmpty);
  ui_->PanelButtonExport->setEnabled(false);
  ui_->LabelStatus->clear();
}

std::optional<DeviceKind> ArchiveScreen::ChosenKind() const {
  const int kind = ui_->ComboBoxDeviceKind->currentData().toInt();
  if (kind == 0) return std::nullopt;
  return static_cast<DeviceKind>(kind);
}

std::optional<int64_t> ArchiveScreen::ChosenDevice() const {
  const qlonglong device = ui_->ComboBoxDevice->currentData().toLongLong();
  if (device == 0) return std::nullopt;
  return device;
}

void ArchiveScreen::Refresh() {
  // One question about a busy archive per refresh, not one per list.
  if (LoadDevices()) LoadReadings();
}

std::vector<ReadingKey> ArchiveScreen::SelectedReadings() const {
  std::vector<ReadingKey> keys;
  if (ui_->Pages->currentWidget() != ui_->PageReadings) return keys;
  const auto& table = *ui_->TableReadings;
  for (const QModelIndex& row : table.selectionModel()->selectedRows(kColumnReadTime)) {
    const QTableWidgetItem* item = table.item(row.row(), kColumnReadTime);
    if (item == nullptr) continue;
    keys.push_back(
        {static_cast<DeviceKind>(item->data(kKindRole).toInt()), item->data(kIdRole).toLongLong()});
  }
  return keys;
}

void ArchiveScreen::AskToDelete() {
  const auto chosen = SelectedReadings();
  if (chosen.empty()) return;
  ui_->LabelConfirm->setText(texts_.Format(
      keys::kArchiveConfirmDelete,
      QStringLiteral("Удалить выбранные показания (%s)? Восстановить их будет нельзя."),
      QString::number(chosen.size())));
  ui_->PanelConfirm->show();
}

void ArchiveScreen::ConfirmDelete() {
  // The selection is what the question counted: changing the selection or the
  // list hides the question.
  const auto chosen = SelectedReadings();
  CancelDelete();
  if (chosen.empty() || !EnsureArchive()) return;
  const auto failure = RunOnArchive(this, texts_, [&] { archive_->DeleteReadings(chosen); });
  Refresh();
  if (failure) ui_->LabelStatus->setText(FailureText(texts_, *failure));
}

void ArchiveScreen::CancelDelete() { ui_->PanelConfirm->hide(); }

bool ArchiveScreen::LoadDevices() {
  auto& combo = *ui_->ComboBoxDevice;
  const auto chosen = ChosenDevice();
  const QSignalBlocker quiet(combo);
  combo.clear();
  combo.addItem(texts_.Text(keys::kArchiveAllDevices, QStringLiteral("Все приборы")), 0);
  if (!EnsureArchive()) return false;
  const auto kind = ChosenKind();
  std::vector<Device> devices;
  if (const auto failure = RunOnArchive(this, texts_, [&] { devices = archive_->Devices(kind); })) {
    ShowMessage(FailureText(texts_, *failure));
    return false;
  }
  for (const auto& device : devices) {
    QString caption = format::DeviceCaption(device);
    if (!kind) caption = DeviceKindText(texts_, device.kind) + QStringLiteral(" — ") + caption;
    combo.addItem(caption, QVariant::fromValue<qlonglong>(device.id));
    if (chosen == device.id) combo.setCurrentIndex(combo.count() - 1);
  }
  return true;
}

void ArchiveScreen::LoadReadings() {
  CancelDelete();
  ui_->PanelButtonDelete->setEnabled(false);
  if (!EnsureArchive()) return;
  auto& table = *ui_->TableReadings;
  const auto kind = ChosenKind();
  std::vector<DeviceReading> readings;
  int64_t total = 0;
  if (const auto failure = RunOnArchive(this, texts_, [&] {
        readings = archive_->Readings(kind, ChosenDevice(), kShownReadings);
        total = archive_->ReadingCount();
      })) {
    ShowMessage(FailureText(texts_, *failure));
    return;
  }
  if (readings.empty()) {
    ShowMessage(total == 0 ? texts_.Text(keys::kArchiveEmpty,
                                         QStringLiteral("В архиве пока нет сохранённых показаний. "
                                                        "Показания сохраняются с рабочих экранов "
                                                        "приборов."))
                           : texts_.Text(keys::kArchiveEmptyFilter,
                                         QStringLiteral("Для выбранного фильтра показаний нет.")));
    return;
  }

  ShowColumnsFor(kind);
  table.setColumnHidden(kColumnDevice, ChosenDevice().has_value());
  table.setUpdatesEnabled(false);
  table.clearContents();
  table.setRowCount(static_cast<int>(readings.size()));
  const auto right = Qt::AlignRight;
  for (int row = 0; row < table.rowCount(); ++row) {
    const auto& [device, reading] = readings[static_cast<std::size_t>(row)];
    auto* time = look::TableCell(format::ReadTime(reading.readTime));
    time->setData(kIdRole, QVariant::fromValue<qlonglong>(reading.id));
    time->setData(kKindRole, static_cast<int>(device.kind));
    table.setItem(row, kColumnReadTime, time);
    auto* caption = look::TableCell(format::DeviceCaption(device));
    caption->setToolTip(caption->text());
    table.setItem(row, kColumnDevice, caption);
    table.setItem(row, kColumnKind, look::TableCell(DeviceKindText(texts_, device.kind)));
    for (Quantity quantity : QuantitiesOf(device.kind)) {
      table.setItem(row, ColumnOf(quantity),
                    look::TableCell(format::Value(quantity, reading[quantity]), right));
    }
    table.setItem(row, kColumnErrors,
                  look::TableCell(format::ErrorFlags(reading.errorFlags), right));
    table.setItem(row, kColumnMeterTime, look::TableCell(format::MeterTime(reading.meterTime)));
  }
  MarkBackwards(readings);
  table.setUpdatesEnabled(true);
  ui_->Pages->setCurrentWidget(ui_->PageReadings);
  ui_->PanelButtonExport->setEnabled(true);
  ShowChart(readings);

  const QString shown = QString::number(readings.size());
  ui_->LabelStatus->setText(
      readings.size() < static_cast<std::size_t>(kShownReadings)
          ? texts_.Format(keys::kArchiveCount, QStringLiteral("Показаний: %s"), shown)
          : texts_.Format(keys::kArchiveCountLimited,
                          QStringLiteral("Показаны последние %s показаний"), shown));
}

void ArchiveScreen::ShowColumnsFor(std::optional<DeviceKind> kind) {
  auto& table = *ui_->TableReadings;
  bool shown[kQuantityCount] = {};
  for (DeviceKind each : kDeviceKinds) {
    if (kind && *kind != each) continue;
    for (Quantity quantity : QuantitiesOf(each)) shown[static_cast<std::size_t>(quantity)] = true;
  }
  for (std::size_t q = 0; q < kQuantityCount; ++q) {
    table.setColumnHidden(ColumnOf(static_cast<Quantity>(q)), !shown[q]);
  }
  table.setColumnHidden(kColumnKind, kind.has_value());
}

void ArchiveScreen::MarkBackwards(const std::vector<DeviceReading>& readings) {
  // The list is newest first: walking it from the end, each device's last
  // reading seen is the one before.
  auto& table = *ui_->TableReadings;
  const QString hint = texts_.Text(
      keys::kArchiveBackwardsHint,
      QStringLiteral("Показание меньше предыдущего. Обычно это значит, что прибор заменили или "
                     "показание записано с ошибкой."));
  const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  std::map<std::pair<int, int64_t>, const Reading*> before;
  for (auto row = static_cast<int>(readings.size()) - 1; row >= 0; --row) {
    const auto& [device, reading] = readings[static_cast<std::size_t>(row)];
    const std::pair<int, int64_t> key{static_cast<int>(device.kind), device.id};
    const auto older = before.find(key);
    if (older != before.end() && WentBackwards(device.kind, *older->second, reading)) {
      for (int column :
           {static_cast<int>(kColumnReadTime), ColumnOf(CounterQuantity(device.kind))}) {
        QTableWidgetItem* cell = table.item(row, column);
        cell->setData(kBackwardsRole, true);
        cell->setToolTip(hint);
        cell->setForeground(QColor(0xb0, 0x00, 0x18));
        cell->setBackground(QColor(0xfd, 0xe8, 0xea));
        if (column == kColumnReadTime) cell->setIcon(warning);
      }
    }
    before[key] = &reading;
  }
}

void ArchiveScreen::ShowChart(const std::vector<DeviceReading>& readings) {
  const auto device = ChosenDevice();
  if (!device || readings.empty()) {
    ui_->FrameChart->hide();
    return;
  }
  // Every reading of the device, not only the listed ones.
  const DeviceKind kind = readings.front().device.kind;
  std::vector<Reading> history;
  if (RunOnArchive(this, texts_, [&] { history = archive_->ReadingsOf(kind, *device); })) {
    ui_->FrameChart->hide();
    return;
  }
  ShowTrend(*chart_, texts_, kind, MakeTrend(kind, history));
  ui_->FrameChart->show();
}

void ArchiveScreen::Export() {
  CancelDelete();
  if (!EnsureArchive()) return;
  const QString proposed = QDir::current().filePath(
      QStringLiteral("archive-") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
      QStringLiteral(".csv"));
  const auto choice = platform::ChooseSaveFile(
      this, texts_.Text(keys::kArchiveExportCaption, QStringLiteral("Экспорт показаний")), proposed,
      {kCsvFilter, kJsonFilter});
  if (choice.path.isEmpty()) return;

  // The name's suffix decides; a name without one takes the chosen filter's.
  QString path = choice.path;
  const QString suffix = QFileInfo(path).suffix().toLower();
  ExportKind kind = choice.filter == kJsonFilter ? ExportKind::kJson : ExportKind::kCsv;
  if (suffix == QStringLiteral("json")) kind = ExportKind::kJson;
  if (suffix == QStringLiteral("csv")) kind = ExportKind::kCsv;
  if (suffix.isEmpty())
    path += kind == ExportKind::kJson ? QStringLiteral(".json") : QStringLiteral(".csv");

  std::vector<DeviceReading> rows;
  if (const auto failure = RunOnArchive(
          this, texts_, [&] { rows = archive_->Readings(ChosenKind(), ChosenDevice()); })) {
    ui_->LabelStatus->setText(FailureText(texts_, *failure));
    return;
  }
  std::reverse(rows.begin(), rows.end());  // oldest first, as a spreadsheet reads a history
  const auto written = WriteExportFile(path, kind, rows);
  if (!written) {
    platform::ShowMessageBox(
        this,
        texts_.Format(keys::kArchiveExportFailed,
                      QStringLiteral("Не удалось записать файл %s. Проверьте, что папка "
                                     "существует и в неё можно писать; ничего не записано."),
                      QDir::toNativeSeparators(path)),
        texts_.Text(keys::kArchiveExportCaption, QStringLiteral("Экспорт показаний")),
        platform::kMbOk | platform::kMbIconError);
    return;
  }
  ui_->LabelStatus->setText(texts_.Format(keys::kArchiveExportDone,
                                          QStringLiteral("Записано показаний в файл: %s"),
                                          QString::number(*written)) +
                            QStringLiteral(" — ") + QDir::toNativeSeparators(path));
}

}  // namespace admintools
