// Shows one screen of the built AdminTools.so in a window of the main window's
// size, for checking its look by eye (or a screenshot):
//   admintools_screen_preview administration|archive ru|en|uk [sample] [steps…]
// `sample` fills archive.db in the working folder with a few subscribers,
// objects and readings first. Steps act on the screen before it is shown:
// select-subscriber, select-object, edit-subscriber, edit-object, delete-object,
// select-reading, delete-reading, archive-kind=<n>, archive-device=<n> (its
// chart), archive-subscriber=<n>,
// archive-from=<yyyy-MM-dd>, archive-to=<yyyy-MM-dd>; shot=<file.png> saves
// the window as it then looks and ends the preview.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFont>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>
#include <iostream>
#include <string>

#include "admin_tools_loader.h"
#include "keldar/phrases_api.h"
#include "plugin_loader.h"
#include "store/archive.h"

namespace {

using namespace admintools;

void FillSample() {
  Archive archive;
  if (!archive.Subscribers().empty()) return;
  const int64_t ivanov =
      archive.AddSubscriber({0, "Иванов Пётр Сергеевич", "+7 912 345-67-89", "40817-0012", ""});
  const int64_t company = archive.AddSubscriber(
      {0, "ООО «Тепловые сети Заречья»", "dispatch@zarechye.example", "7701-22", "по договору"});
  archive.AddSubscriber({0, "Сидорова Анна Викторовна", "+7 903 111-22-33", "40817-0057", ""});
  const int64_t flat = archive.AddObject({0, ivanov, "Квартира 12", "ул. Ленина, 14, кв. 12"});
  archive.AddObject({0, ivanov, "Гараж", "ГСК «Мотор», бокс 7"});
  const int64_t point = archive.AddObject({0, company, "ИТП-3", "пр. Мира, 5, подвал"});

  const int64_t base = 1'717'000'000;
  Device heat{0, DeviceKind::kHeat, "KRV", "00012345", "KM-5 Ду20", "2.01", 4, point};
  for (int i = 0; i < 4; ++i) {
    Reading r;
    r.readTime = base + i * 86'400;
    r.meterTime = "2024-05-29T10:0" + std::to_string(i) + ":00";
    r[Quantity::kEnergy] = 18'734'500.0 + i * 125'300.0;
    r[Quantity::kVolume] = 1'254.318 + i * 3.75;
    r[Quantity::kPower] = 15'320.0 - i * 410.0;
    r[Quantity::kFlow] = 0.742 - i * 0.01;
    r[Quantity::kSupplyTemperature] = 71.3 - i * 0.4;
    r[Quantity::kReturnTemperature] = 43.8 + i * 0.2;
    r[Quantity::kTemperatureDifference] = 27.5 - i * 0.6;
    r[Quantity::kOperatingHours] = 31'204 + i * 24;
    r.errorFlags = i == 2 ? 0x14 : 0;
    archive.SaveReading(heat, r);
  }
  Device cold{0, DeviceKind::kWaterCold, "MLD", "00000771", "ВСХ-15", "", 22, flat};
  Device hot{0, DeviceKind::kWaterHot, "KRV", "00000772", "ВСГ-15", "", 23, flat};
  for (int i = 0; i < 3; ++i) {
    Reading c;
    c.readTime = base + 3'600 + i * 86'400;
    c[Quantity::kVolume] = 87.115 + i * 0.412;
    c[Quantity::kFlow] = i == 1 ? std::optional<double>() : 0.012;
    archive.SaveReading(cold, c);
    Reading h;
    h.readTime = base + 3'700 + i * 86'400;
    h.meterTime = "2024-05-29";
    h[Quantity::kVolume] = 45.502 + i * 0.287;
    h[Quantity::kFlow] = 0.008;
    h[Quantity::kTemperature] = 58.4;
    archive.SaveReading(hot, h);
  }
  archive.SaveReading({0, DeviceKind::kHeat, "PTX", "10230077", "", "", 4, std::nullopt},
                      Reading{0, 0, base + 7 * 86'400, "", 0, {}});
}

#define KELDAR_ROWS_TYPE KeldarLanguageLibrary
constexpr KeldarExportRow kLanguageRows[] = {KELDAR_EXPORT_ROWS(KELDAR_PHRASES_EXPORTS)};
#undef KELDAR_ROWS_TYPE

// Phrases.so beside the library, with a language selected (1 English, 3 Ukrainian).
struct Language {
  explicit Language(int id) {
    if (!language.Loaded()) return;
    phrases =
        language.Function<KeldarPhrasesCreateFn>(&KeldarLanguageLibrary::CreateCSQLite3Phrases)();
    language.Operation<KeldarSetSelectLangFn> (&KeldarLanguageLibrary::SetSelectLang)(phrases, id);
  }
  LoadedPlugin<KeldarLanguageLibrary> language{testing_support::BuiltPlugin("Phrases.so"),
                                               kLanguageRows};
  void* phrases = nullptr;
};

void Click(QWidget* screen, const char* name) {
  if (auto* widget = screen->findChild<QWidget*>(name)) QTest::mouseClick(widget, Qt::LeftButton);
}

void SelectRow(QWidget* screen, const char* table, int row) {
  if (auto* widget = screen->findChild<QTableView*>(table)) widget->selectRow(row);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
  if (argc < 3) {
    std::cerr << "usage: admintools_screen_preview administration|archive ru|en|uk [sample] "
                 "[steps]\n";
    return 2;
  }
  const std::string which = argv[1];
  int next = 3;
  if (argc > next && std::string(argv[next]) == "sample") {
    FillSample();
    ++next;
  }
  const std::string tag = argv[2];
  Language language(tag == "en" ? 1 : 3);
  const bool translated = tag == "en" || tag == "uk";
  AdminToolsLoader tools;
  uint8_t closeFlag = 0;
  const auto create = which == "archive" ? tools.CreateArchive() : tools.CreateAdministration();
  auto* screen =
      static_cast<QWidget*>(create(nullptr, &closeFlag, translated ? language.phrases : nullptr,
                                   translated ? language.language.get() : nullptr));
  if (screen == nullptr) return 1;

  QWidget window;
  window.setWindowTitle(QStringLiteral("KELDAR"));
  window.resize(891, 580);
  auto* layout = new QVBoxLayout(&window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(screen);
  window.show();
  QString shot;
  for (; next < argc; ++next) {
    const std::string step = argv[next];
    if (step == "select-subscriber") SelectRow(screen, "TableSubscribers", 0);
    if (step == "select-object") SelectRow(screen, "TableObjects", 0);
    if (step == "edit-subscriber") Click(screen, "PanelButtonEditSubscriber");
    if (step == "edit-object") Click(screen, "PanelButtonEditObject");
    if (step == "delete-object") Click(screen, "PanelButtonDeleteObject");
    if (step == "select-reading") SelectRow(screen, "TableReadings", 0);
    if (step == "delete-reading") Click(screen, "PanelButtonDelete");
    if (step.rfind("archive-kind=", 0) == 0) {
      screen->findChild<QComboBox*>("ComboBoxDeviceKind")
          ->setCurrentIndex(std::stoi(step.substr(13)));
    }
    if (step.rfind("archive-device=", 0) == 0) {
      screen->findChild<QComboBox*>("ComboBoxDevice")->setCurrentIndex(std::stoi(step.substr(15)));
    }
    if (step.rfind("archive-subscriber=", 0) == 0) {
      screen->findChild<QComboBox*>("ComboBoxSubscriber")
          ->setCurrentIndex(std::stoi(step.substr(19)));
    }
    for (const char* bound : {"from", "to"}) {
      const std::string prefix = std::string("archive-") + bound + "=";
      if (step.rfind(prefix, 0) != 0) continue;
      const QString suffix = bound == std::string("from") ? "From" : "To";
      screen->findChild<QDateEdit*>("DateEdit" + suffix)
          ->setDate(
              QDate::fromString(QString::fromStdString(step.substr(prefix.size())), Qt::ISODate));
      screen->findChild<QCheckBox*>("CheckBox" + suffix)->setChecked(true);
    }
    if (step.rfind("shot=", 0) == 0) shot = QString::fromStdString(step.substr(5));
  }
  // Closing the window or the back strip ends the preview.
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (keldar_flag_get(&closeFlag) != 0) application.quit();
  });
  closer.start(200);
  int result = 0;
  if (shot.isEmpty()) {
    result = application.exec();
  } else {
    QApplication::processEvents();
    result = window.grab().save(shot) ? 0 : 1;
  }
  tools.DeleteArchive()(screen);
  tools.DeleteAdministration()(screen);
  return result;
}
