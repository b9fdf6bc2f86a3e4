// The archive screen's subscriber and period filters: the list, its count, the
// export and the chart follow them.
#include <gtest/gtest.h>

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineSeries>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>

#include "base/kit/file_dialog.h"
#include "screens/archive_screen.h"
#include "test_support.h"
#include "widgets.h"

namespace {

using namespace admintools;
using Screen = ArchiveScreen;

// Local days: the period's bounds are the user's calendar days.
const QDate kDay0(2024, 5, 10);

int64_t At(int day, int64_t secondOfDay) {
  return kDay0.addDays(day).startOfDay().toSecsSinceEpoch() + secondOfDay;
}
constexpr int64_t kNoon = 12 * 3600;
constexpr int64_t kLastSecond = 24 * 3600 - 1;

Reading Counted(int64_t time, Quantity counter, double value) {
  Reading reading;
  reading.readTime = time;
  reading[counter] = value;
  return reading;
}

class ArchiveFilterTest : public ::testing::Test {
 protected:
  // Ivanov's heat meter: five readings over four days, one in the last second
  // of day 2. Petrov's cold meter: at the first second of day 1 and on day 3.
  // A heat meter of nobody's: day 2.
  void SetUp() override {
    Archive archive;
    const int64_t ivanov = archive.AddSubscriber({0, "Иванов", "", "", ""});
    const int64_t petrov = archive.AddSubscriber({0, "Петров", "", "", ""});
    Device heat{0, DeviceKind::kHeat, "KRV", "00012345", "KM-5", "", 4, {}};
    heat.objectId = archive.AddObject({0, ivanov, "Дом", "Садовая, 1"});
    Device cold{0, DeviceKind::kWaterCold, "MLD", "00000771", "ВСХ-15", "", 22, {}};
    cold.objectId = archive.AddObject({0, petrov, "Дача", "Лесная, 7"});
    const Device stray{0, DeviceKind::kHeat, "PTX", "10230077", "", "", 4, {}};
    double energy = 1'000'000;
    for (int64_t time :
         {At(0, kNoon), At(1, kNoon), At(2, kNoon), At(2, kLastSecond), At(3, kNoon)})
      archive.SaveReading(heat, Counted(time, Quantity::kEnergy, energy += 1000));
    archive.SaveReading(cold, Counted(At(1, 0), Quantity::kVolume, 10));
    archive.SaveReading(cold, Counted(At(3, kNoon), Quantity::kVolume, 11));
    archive.SaveReading(stray, Counted(At(2, kNoon), Quantity::kEnergy, 5000));
  }

  std::unique_ptr<Screen> Open() {
    auto screen = std::make_unique<Screen>(&flag_, ScreenTexts{});
    screen->resize(1200, 600);
    screen->show();
    return screen;
  }
  static int Rows(Screen& screen) {
    return Child<QTableView>(screen, "TableReadings").model()->rowCount();
  }
  static QString Status(Screen& screen) { return Child<QLabel>(screen, "LabelStatus").text(); }
  static void Choose(Screen& screen, const char* combo, const QString& caption) {
    auto& box = Child<QComboBox>(screen, combo);
    const int index = box.findText(caption, Qt::MatchEndsWith);
    ASSERT_GE(index, 0) << caption.toStdString();
    box.setCurrentIndex(index);
  }
  static void SetBound(Screen& screen, const char* check, const char* edit,
                       std::optional<int> day) {
    if (day) Child<QDateEdit>(screen, edit).setDate(kDay0.addDays(*day));
    Child<QCheckBox>(screen, check).setChecked(day.has_value());
  }
  static void SetPeriod(Screen& screen, std::optional<int> from, std::optional<int> to) {
    SetBound(screen, "CheckBoxFrom", "DateEditFrom", from);
    SetBound(screen, "CheckBoxTo", "DateEditTo", to);
  }
  // Exports what the screen shows as JSON; the serials of the exported readings.
  static QStringList ExportedSerials(Screen& screen, const QString& name) {
    platform::SaveFileRecorder dialogs;
    dialogs.answers.push_back({QDir::current().filePath(name), "JSON (*.json)"});
    QTest::mouseClick(&Child<QLabel>(screen, "PanelButtonExport"), Qt::LeftButton);
    const auto json =
        QJsonDocument::fromJson(QByteArray::fromStdString(ReadFile(name.toStdString())));
    QStringList serials;
    for (const auto& row : json.array())
      serials << row.toObject().value("device").toObject().value("serial").toString();
    return serials;
  }

  ScopedWorkingDirectory folder_;
  uint8_t flag_ = 0;
};

TEST_F(ArchiveFilterTest, TheSubscriberNarrowsTheListTheCountAndTheExport) {
  auto screen = Open();
  auto& subscribers = Child<QComboBox>(*screen, "ComboBoxSubscriber");
  ASSERT_EQ(subscribers.count(), 3);
  EXPECT_EQ(subscribers.itemText(0), "Все абоненты");
  EXPECT_EQ(subscribers.itemText(1), "Иванов");
  EXPECT_EQ(Status(*screen), "Показаний: 8");

  Choose(*screen, "ComboBoxSubscriber", "Петров");
  EXPECT_EQ(Rows(*screen), 2);
  EXPECT_EQ(Status(*screen), "Показаний: 2");
  EXPECT_EQ(ExportedSerials(*screen, "petrov.json"), (QStringList{"00000771", "00000771"}));

  Choose(*screen, "ComboBoxSubscriber", "Иванов");
  EXPECT_EQ(Rows(*screen), 5);
  EXPECT_EQ(ExportedSerials(*screen, "ivanov.json"), QStringList(5, "00012345"));

  // Together with the kind: Ivanov has no cold water.
  Child<QComboBox>(*screen, "ComboBoxDeviceKind").setCurrentIndex(2);
  EXPECT_EQ(Child<QStackedWidget>(*screen, "Pages").currentWidget(),
            &Child<QWidget>(*screen, "PageEmpty"));
  EXPECT_EQ(Child<QLabel>(*screen, "LabelEmpty").text(), "Для выбранного фильтра показаний нет.");
  EXPECT_EQ(subscribers.currentText(), "Иванов") << "kept while the kind changes";

  // A subscriber added meanwhile appears on refresh; the chosen one stays.
  Archive().AddSubscriber({0, "Андреев", "", "", ""});
  QTest::mouseClick(&Child<QLabel>(*screen, "PanelButtonRefresh"), Qt::LeftButton);
  EXPECT_EQ(subscribers.count(), 4);
  EXPECT_EQ(subscribers.itemText(1), "Андреев") << "by name";
  EXPECT_EQ(subscribers.currentText(), "Иванов");
  subscribers.setCurrentIndex(0);
  Child<QComboBox>(*screen, "ComboBoxDeviceKind").setCurrentIndex(0);
  EXPECT_EQ(Status(*screen), "Показаний: 8");
}

TEST_F(ArchiveFilterTest, ThePeriodTakesWholeDaysAndNarrowsTheListTheCountAndTheExport) {
  auto screen = Open();
  EXPECT_FALSE(Child<QDateEdit>(*screen, "DateEditFrom").isEnabled()) << "whole period at first";
  EXPECT_FALSE(Child<QDateEdit>(*screen, "DateEditTo").isEnabled());
  EXPECT_TRUE(Child<QDateEdit>(*screen, "DateEditFrom").calendarPopup());

  SetPeriod(*screen, 1, std::nullopt);
  EXPECT_TRUE(Child<QDateEdit>(*screen, "DateEditFrom").isEnabled());
  EXPECT_EQ(Rows(*screen), 7) << "all but day 0; the first second of day 1 counts";
  EXPECT_EQ(Status(*screen), "Показаний: 7");

  SetPeriod(*screen, 1, 2);
  EXPECT_EQ(Rows(*screen), 5) << "the last second of day 2 counts";
  EXPECT_EQ(Status(*screen), "Показаний: 5");
  EXPECT_EQ(ExportedSerials(*screen, "days.json"),
            (QStringList{"00000771", "00012345", "00012345", "10230077", "00012345"}))
      << "oldest first";

  // Moving a ticked bound reloads; an unticked one is ignored.
  Child<QDateEdit>(*screen, "DateEditTo").setDate(kDay0.addDays(1));
  EXPECT_EQ(Rows(*screen), 2);
  SetPeriod(*screen, std::nullopt, 2);
  EXPECT_EQ(Rows(*screen), 6) << "all but day 3";
  Child<QDateEdit>(*screen, "DateEditFrom").setDate(kDay0.addDays(3));
  EXPECT_EQ(Rows(*screen), 6);

  // With the subscriber too.
  SetPeriod(*screen, 1, 2);
  Choose(*screen, "ComboBoxSubscriber", "Иванов");
  EXPECT_EQ(Status(*screen), "Показаний: 3");
  EXPECT_EQ(ExportedSerials(*screen, "both.json"), QStringList(3, "00012345"));

  // A period with nothing in it.
  SetPeriod(*screen, 5, std::nullopt);
  EXPECT_EQ(Child<QStackedWidget>(*screen, "Pages").currentWidget(),
            &Child<QWidget>(*screen, "PageEmpty"));
}

TEST_F(ArchiveFilterTest, TheChartKeepsTheChosenMeterWithinThePeriod) {
  auto screen = Open();
  Choose(*screen, "ComboBoxDevice", "KRV 00012345 · KM-5");
  auto counter = [&] {
    return Child<QChartView>(*screen, "ChartTrend")
        .chart()
        ->findChild<QLineSeries*>(QStringLiteral("SeriesCounter"));
  };
  ASSERT_NE(counter(), nullptr);
  EXPECT_EQ(counter()->count(), 5);
  SetPeriod(*screen, 1, 2);
  ASSERT_NE(counter(), nullptr);
  EXPECT_EQ(counter()->count(), 3);
  EXPECT_TRUE(Child<QFrame>(*screen, "FrameChart").isVisible());
}

}  // namespace
