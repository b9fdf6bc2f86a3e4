#include "screens/archive_screen.h"

#include <QChartView>
#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>
#include <map>
#include <utility>

#include "base/kit/back_strip.h"
#include "base/kit/file_dialog.h"
#include "base/kit/fonts.h"
#include "base/kit/message_box.h"
#include "keldar/plugin_abi.h"
#include "screens/archive_chart.h"
#include "screens/archive_messages.h"
#include "screens/archive_trend.h"
#include "screens/phrase_keys.h"
#include "screens/reading_format.h"
#include "screens/table_style.h"
#include "store/archive_export.h"
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

// The device list's entries keep the device's kind and serial beside its id.
constexpr int kDeviceKindRole = Qt::UserRole + 1;
constexpr int kDeviceSerialRole = Qt::UserRole + 2;

const QString kCsvFilter = QStringLiteral("CSV (*.csv)");
const QString kJsonFilter = QStringLiteral("JSON (*.json)");

int ColumnOf(Quantity quantity) {
  return ArchiveScreen::kColumnFirstQuantity + static_cast<int>(quantity);
}

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

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
  model_ = new ReadingsModel(this);
  ui.TableReadings->setModel(model_);
  SetUpTable(*ui.TableReadings);
  // Several readings can be chosen for deletion at once.
  ui.TableReadings->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // Sized to the first page once, not kept sized to contents: that would read
  // every row of the archive.
  ui.TableReadings->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  ui.TableReadings->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  chart_ = new QChartView(ui.FrameChart);
  chart_->setObjectName(QStringLiteral("ChartTrend"));
  chart_->setRenderHint(QPainter::Antialiasing);
  chart_->setFrameShape(QFrame::NoFrame);
  chart_->setBackgroundBrush(Qt::white);
  ui.ChartLayout->addWidget(chart_);
  // Half and half: the chart's three axes need the room.
  ui.SplitterReadings->setStretchFactor(0, 1);
  ui.SplitterReadings->setStretchFactor(1, 1);
  ui.FrameChart->hide();
  RefreshTexts();

  ui.ComboBoxDeviceKind->addItem(texts_.Text(keys::kArchiveAllKinds, QStringLiteral("Все виды")),
                                 0);
  for (DeviceKind kind : kDeviceKinds) {
    ui.ComboBoxDeviceKind->addItem(DeviceKindText(texts_, kind), static_cast<int>(kind));
  }

  // The period starts as today, and as the whole archive until a bound is ticked.
  ui.DateEditFrom->setDate(QDate::currentDate());
  ui.DateEditTo->setDate(QDate::currentDate());

  look::MakeBackStrip(ui.Back, ui.Label1, [this] {
    if (closeFlag_ != nullptr) keldar_flag_set(closeFlag_, 1);
  });
  connect(ui.ComboBoxDeviceKind, &QComboBox::currentIndexChanged, this, &ArchiveScreen::Refresh);
  connect(ui.ComboBoxDevice, &QComboBox::currentIndexChanged, this, [this] { LoadReadings(); });
  connect(ui.ComboBoxSubscriber, &QComboBox::currentIndexChanged, this, [this] { LoadReadings(); });
  for (auto [check, edit] :
       {std::pair{ui.CheckBoxFrom, ui.DateEditFrom}, std::pair{ui.CheckBoxTo, ui.DateEditTo}}) {
    connect(check, &QCheckBox::toggled, edit, &QDateEdit::setEnabled);
    connect(check, &QCheckBox::toggled, this, [this] { LoadReadings(); });
    connect(edit, &QDateEdit::dateChanged, this, [this, check = check] {
      if (check->isChecked()) LoadReadings();
    });
  }
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
  texts_.Apply(ui.LabelSubscriber, keys::kArchiveSubscriber);
  for (auto [check, key] :
       {std::pair{ui.CheckBoxFrom, keys::kArchiveFrom}, std::pair{ui.CheckBoxTo, keys::kArchiveTo}})
    check->setText(texts_.Text(key, check->text()));
  texts_.Apply(ui.PanelButtonRefresh, keys::kArchiveRefresh);
  texts_.Apply(ui.PanelButtonDelete, keys::kArchiveDelete);
  texts_.Apply(ui.PanelButtonExport, keys::kArchiveExport);
  texts_.Apply(ui.PanelButtonConfirmDelete, keys::kArchiveDelete);
  texts_.Apply(ui.PanelButtonConfirmCancel, keys::kArchiveCancel);
  ReadingsModel::Texts table;
  for (const auto& text : kColumnTexts)
    table.captions << texts_.Text(text.key, QString::fromUtf8(text.builtIn));
  for (DeviceKind kind : kDeviceKinds)
    table.kinds[static_cast<int>(kind)] = DeviceKindText(texts_, kind);
  table.backwardsHint = texts_.Text(
      keys::kArchiveBackwardsHint,
      QStringLiteral("Показание меньше предыдущего. Обычно это значит, что прибор заменили или "
                     "показание записано с ошибкой."));
  table.backwardsIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  model_->SetTexts(std::move(table));
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
  model_->Clear();
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

std::optional<std::string> ArchiveScreen::ChosenSubscriber() const {
  // "All subscribers" carries no name.
  const QVariant name = ui_->ComboBoxSubscriber->currentData();
  if (!name.isValid()) return std::nullopt;
  return Utf8(name.toString());
}

std::optional<int64_t> ArchiveScreen::PeriodStart() const {
  if (!ui_->CheckBoxFrom->isChecked()) return std::nullopt;
  return ui_->DateEditFrom->date().startOfDay().toSecsSinceEpoch();
}

std::optional<int64_t> ArchiveScreen::PeriodEnd() const {
  if (!ui_->CheckBoxTo->isChecked()) return std::nullopt;
  // The whole last day: up to the second before the next one starts.
  return ui_->DateEditTo->date().addDays(1).startOfDay().toSecsSinceEpoch() - 1;
}

ReadingFilter ArchiveScreen::Filter() const {
  ReadingFilter filter;
  filter.kind = ChosenKind();
  if (ChosenDevice()) {
    const auto& combo = *ui_->ComboBoxDevice;
    filter.kind = static_cast<DeviceKind>(combo.currentData(kDeviceKindRole).toInt());
    filter.serial = Utf8(combo.currentData(kDeviceSerialRole).toString());
  }
  filter.subscriber = ChosenSubscriber();
  filter.from = PeriodStart();
  filter.to = PeriodEnd();
  return filter;
}

void ArchiveScreen::Refresh() {
  // One question about a busy archive per refresh, not one per list.
  if (LoadDevices() && LoadSubscribers()) LoadReadings();
}

std::vector<ReadingKey> ArchiveScreen::SelectedReadings() const {
  std::vector<ReadingKey> keys;
  if (ui_->Pages->currentWidget() != ui_->PageReadings) return keys;
  for (const QModelIndex& row :
       ui_->TableReadings->selectionModel()->selectedRows(kColumnReadTime)) {
    keys.push_back(model_->Row(row.row()).Key());
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
    const int at = combo.count() - 1;
    combo.setItemData(at, static_cast<int>(device.kind), kDeviceKindRole);
    combo.setItemData(at, QString::fromStdString(device.serial), kDeviceSerialRole);
    if (chosen == device.id) combo.setCurrentIndex(at);
  }
  return true;
}

bool ArchiveScreen::LoadSubscribers() {
  auto& combo = *ui_->ComboBoxSubscriber;
  const auto chosen = ChosenSubscriber();
  const QSignalBlocker quiet(combo);
  combo.clear();
  combo.addItem(texts_.Text(keys::kArchiveAllSubscribers, QStringLiteral("Все абоненты")));
  if (!EnsureArchive()) return false;
  std::vector<Subscriber> subscribers;
  if (const auto failure =
          RunOnArchive(this, texts_, [&] { subscribers = archive_->Subscribers(); })) {
    ShowMessage(FailureText(texts_, *failure));
    return false;
  }
  // The filter matches by name: namesakes are one entry.
  for (const auto& subscriber : subscribers) {
    const QString name = QString::fromStdString(subscriber.name);
    if (combo.findData(name) >= 0) continue;
    combo.addItem(name, name);
    if (chosen == subscriber.name) combo.setCurrentIndex(combo.count() - 1);
  }
  return true;
}

void ArchiveScreen::LoadReadings() {
  CancelDelete();
  // A device's caption is often wider than its list: the tip shows it whole.
  ui_->ComboBoxDevice->setToolTip(ui_->ComboBoxDevice->currentText());
  ui_->PanelButtonDelete->setEnabled(false);
  if (!EnsureArchive()) return;
  const ReadingFilter filter = Filter();
  const bool loaded = model_->Reset([this, filter](int64_t offset, int limit) {
    std::optional<ReadingPage> page;
    pageFailure_ =
        RunOnArchive(this, texts_, [&] { page = archive_->Page(filter, offset, limit); });
    if (!pageFailure_) return page;
    ui_->LabelStatus->setText(FailureText(texts_, *pageFailure_));
    return std::optional<ReadingPage>();
  });
  if (!loaded) {
    ShowMessage(FailureText(texts_, pageFailure_.value_or(ArchiveFailure::kFailed)));
    return;
  }
  if (model_->Total() == 0) {
    int64_t total = 0;
    RunOnArchive(this, texts_, [&] { total = archive_->ReadingCount(); });
    ShowMessage(total == 0 ? texts_.Text(keys::kArchiveEmpty,
                                         QStringLiteral("В архиве пока нет сохранённых показаний. "
                                                        "Показания сохраняются с рабочих экранов "
                                                        "приборов."))
                           : texts_.Text(keys::kArchiveEmptyFilter,
                                         QStringLiteral("Для выбранного фильтра показаний нет.")));
    return;
  }

  ShowColumnsFor(filter.kind);
  auto& table = *ui_->TableReadings;
  table.setColumnHidden(kColumnDevice, ChosenDevice().has_value());
  table.resizeColumnsToContents();
  table.scrollToTop();
  ui_->Pages->setCurrentWidget(ui_->PageReadings);
  ui_->PanelButtonExport->setEnabled(true);
  ui_->LabelStatus->setText(texts_.Format(keys::kArchiveCount, QStringLiteral("Показаний: %s"),
                                          QString::number(model_->Total())));
  ShowChart();
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

void ArchiveScreen::ShowChart() {
  const auto device = ChosenDevice();
  if (!device) {
    ui_->FrameChart->hide();
    return;
  }
  // Every reading of the device in the period, not only the listed ones.
  const auto kind =
      static_cast<DeviceKind>(ui_->ComboBoxDevice->currentData(kDeviceKindRole).toInt());
  const auto from = PeriodStart();
  const auto to = PeriodEnd();
  std::vector<Reading> history;
  if (RunOnArchive(this, texts_, [&] { history = archive_->History(kind, *device, from, to); })) {
    ui_->FrameChart->hide();
    return;
  }
  const Trend trend = MakeTrend(kind, history);
  // Readings without a counter or a temperature (errors only) leave nothing to draw.
  if (trend.Empty()) {
    ui_->FrameChart->hide();
    return;
  }
  ShowTrend(*chart_, texts_, kind, trend);
  ui_->FrameChart->show();
}

void ArchiveScreen::Export() {
  CancelDelete();
  if (!EnsureArchive()) return;
  const QString proposed = QDir::current().filePath(
      QStringLiteral("archive-") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
      QStringLiteral(".csv"));
  const QString caption =
      texts_.Text(keys::kArchiveExportCaption, QStringLiteral("Экспорт показаний"));
  const auto choice = platform::ChooseSaveFile(this, caption, proposed, {kCsvFilter, kJsonFilter});
  if (choice.path.isEmpty()) return;

  // The name's suffix decides; a name without one takes the chosen filter's.
  QString path = choice.path;
  const QString suffix = QFileInfo(path).suffix().toLower();
  ExportOptions options;
  options.format = choice.filter == kJsonFilter ? ExportFormat::kJson : ExportFormat::kCsv;
  if (suffix == QStringLiteral("json")) options.format = ExportFormat::kJson;
  if (suffix == QStringLiteral("csv")) options.format = ExportFormat::kCsv;
  if (suffix.isEmpty())
    path +=
        options.format == ExportFormat::kJson ? QStringLiteral(".json") : QStringLiteral(".csv");
  // Separators a spreadsheet in the user's language reads.
  options.csv = CsvStyleFor(Utf8(texts_.Text(keys::kArchiveCsvLanguage, QStringLiteral("ru"))));

  int64_t written = 0;
  bool unwritable = false;
  const auto failure = RunOnArchive(this, texts_, [&] {
    try {
      written = ExportReadings(*archive_, Filter(), options,
                               std::filesystem::path(path.toStdU16String()));
    } catch (const ExportError&) {
      unwritable = true;
    }
  });
  if (unwritable) {
    platform::ShowMessageBox(
        this,
        texts_.Format(keys::kArchiveExportFailed,
                      QStringLiteral("Не удалось записать файл %s. Проверьте, что папка "
                                     "существует и в неё можно писать; ничего не записано."),
                      QDir::toNativeSeparators(path)),
        caption, platform::kMbOk | platform::kMbIconError);
    return;
  }
  if (failure) {
    ui_->LabelStatus->setText(FailureText(texts_, *failure));
    return;
  }
  ui_->LabelStatus->setText(texts_.Format(keys::kArchiveExportDone,
                                          QStringLiteral("Записано показаний в файл: %s"),
                                          QString::number(written)) +
                            QStringLiteral(" — ") + QFileInfo(path).fileName());
}

}  // namespace admintools
