// The export: CSV a spreadsheet of the user's language opens right, JSON with
// each reading's device and subscriber, the filter's readings only, and a file
// that is either whole or not there.
#include "store/archive_export.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <sstream>

#include "ordinary_user.h"
#include "store/archive.h"
#include "store/archive_error.h"
#include "test_support.h"

namespace {

using namespace admintools;

constexpr char kBom[] = "\xEF\xBB\xBF";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
  return lines;
}

class ArchiveExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const int64_t subscriber =
        archive_.AddSubscriber({0, "ООО \"Тепло; Свет\", филиал", "", "A-17", ""});
    const int64_t object = archive_.AddObject({0, subscriber, "Котельная", "ул. Мира, 1\nкорп. 2"});
    Device heat{0, DeviceKind::kHeat, "KRV", "00012345", "KM-5", "", 4, object};
    Reading first;
    first.readTime = 1'717'000'000;  // 2024-05-29T16:26:40Z
    first.meterTime = "2024-05-29 19:26";
    first[Quantity::kEnergy] = 123456789.5;
    first[Quantity::kVolume] = 1234.567;
    first[Quantity::kSupplyTemperature] = 71.25;
    first[Quantity::kOperatingHours] = 31000;
    archive_.SaveReading(heat, first);
    Reading second = first;
    second.readTime += 86'400;
    second[Quantity::kEnergy] = 1000;  // went back
    archive_.SaveReading(heat, second);
    Reading cold;
    cold.readTime = 1'717'000'100;
    cold[Quantity::kVolume] = 0.001;
    archive_.SaveReading({0, DeviceKind::kWaterCold, "MLD", "77", "", "", 22, {}}, cold);
  }

  std::string Export(const ExportOptions& options, const ReadingFilter& filter = {},
                     int64_t* count = nullptr) {
    std::ostringstream out;
    const int64_t written = ExportReadings(archive_, filter, options, out);
    if (count != nullptr) *count = written;
    return out.str();
  }

  ScopedWorkingDirectory folder_;
  Archive archive_;
};

TEST_F(ArchiveExportTest, RussianCsvSplitsAtSemicolonsWithDecimalCommas) {
  ExportOptions options;
  options.csv = CsvStyleFor("ru_RU.UTF-8");
  int64_t count = 0;
  const std::string csv = Export(options, {}, &count);
  EXPECT_EQ(count, 3);
  ASSERT_EQ(csv.rfind(kBom, 0), 0u) << "the BOM tells a spreadsheet it is UTF-8";
  const auto lines = Lines(csv.substr(3));
  // The object's address keeps its line break inside the quotes.
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].rfind("time (UTC);kind;serial;manufacturer;model;subscriber;", 0), 0u)
      << lines[0];
  EXPECT_NE(lines[0].find(";energy, Wh;volume, m³;"), std::string::npos) << lines[0];
  EXPECT_EQ(lines[1],
            "2024-05-29T16:26:40Z;heat;00012345;KRV;KM-5;"
            "\"ООО \"\"Тепло; Свет\"\", филиал\";A-17;Котельная;\"ул. Мира, 1\nкорп. 2\";"
            "2024-05-29 19:26;0;0;123456789,5;1234,567;;;71,25;;;;31000");
  EXPECT_EQ(lines[2], "2024-05-29T16:28:20Z;cold;77;MLD;;;;;;;0;0;;0,001;;;;;;;");
  EXPECT_EQ(lines[3].rfind("2024-05-30T16:26:40Z;heat;", 0), 0u) << "oldest first";
  EXPECT_NE(lines[3].find(";0;1;1000;"), std::string::npos) << "the mark of a counter gone back";
}

TEST_F(ArchiveExportTest, EnglishCsvSplitsAtCommasAndQuotesThem) {
  ExportOptions options;
  options.csv = CsvStyleFor("en");
  const auto lines = Lines(Export(options).substr(3));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].rfind("time (UTC),kind,serial,manufacturer,model,subscriber,", 0), 0u);
  EXPECT_NE(lines[0].find(",\"energy, Wh\",\"volume, m³\","), std::string::npos)
      << "titles with the separator are quoted: " << lines[0];
  EXPECT_EQ(lines[1],
            "2024-05-29T16:26:40Z,heat,00012345,KRV,KM-5,"
            "\"ООО \"\"Тепло; Свет\"\", филиал\",A-17,Котельная,\"ул. Мира, 1\nкорп. 2\","
            "2024-05-29 19:26,0,0,123456789.5,1234.567,,,71.25,,,,31000");

  EXPECT_EQ(CsvStyleFor("uk").separator, ';');
  EXPECT_EQ(CsvStyleFor("uk_UA").decimalMark, ',');
  EXPECT_EQ(CsvStyleFor("de").separator, ',') << "others read as English";
}

TEST_F(ArchiveExportTest, TextsThatLookLikeFormulasStayText) {
  const int64_t subscriber =
      archive_.AddSubscriber({0, "=HYPERLINK(\"http://x\";\"Оплатить\")", "", "+7 900", ""});
  const int64_t object = archive_.AddObject({0, subscriber, "@SUM(A1)", "-2+3"});
  Reading reading;
  reading.readTime = 1'800'000'000;
  reading.meterTime = "=1+1";
  reading[Quantity::kVolume] = -0.5;  // numbers keep their sign
  archive_.SaveReading({0, DeviceKind::kWaterHot, "MLD", "99", "\tM", "", 22, object}, reading);
  ReadingFilter filter;
  filter.serial = "99";
  ExportOptions options;
  options.csv = CsvStyleFor("ru");
  const auto lines = Lines(Export(options, filter).substr(3));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1],
            "2027-01-15T08:00:00Z;hot;99;MLD;'\tM;"
            "\"'=HYPERLINK(\"\"http://x\"\";\"\"Оплатить\"\")\";'+7 900;'@SUM(A1);'-2+3;'=1+1;0;0;"
            ";-0,5;;;;;;;");

  // JSON is data, not a sheet: the texts are written as they are.
  options.format = ExportFormat::kJson;
  EXPECT_NE(Export(options, filter).find("\"=1+1\""), std::string::npos);
}

TEST_F(ArchiveExportTest, TheScreensTitlesReplaceTheBuiltInOnes) {
  ExportOptions options;
  options.csv = CsvStyleFor("ru");
  options.title = [](ExportColumn column) {
    return column == ExportColumn::kTime ? std::string("Время") : DefaultColumnTitle(column);
  };
  EXPECT_EQ(Lines(Export(options).substr(3))[0].rfind("Время;kind;", 0), 0u);
}

TEST_F(ArchiveExportTest, JsonCarriesEachReadingWithItsDeviceAndSubscriber) {
  ExportOptions options;
  options.format = ExportFormat::kJson;
  const std::string text = Export(options);
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << text;
  const QJsonArray readings = document.array();
  ASSERT_EQ(readings.size(), 3);

  const QJsonObject heat = readings[0].toObject();
  EXPECT_EQ(heat["kind"].toString(), "heat");
  EXPECT_EQ(heat["time"].toString(), "2024-05-29T16:26:40Z");
  EXPECT_EQ(heat["backwards"].toBool(true), false);
  EXPECT_EQ(heat["values"].toObject()["energy_wh"].toDouble(), 123456789.5);
  EXPECT_EQ(heat["values"].toObject()["supply_c"].toDouble(), 71.25);
  EXPECT_FALSE(heat["values"].toObject().contains("power_w")) << "not reported, not written";
  EXPECT_EQ(heat["device"].toObject()["serial"].toString(), "00012345");
  EXPECT_EQ(heat["device"].toObject()["model"].toString(), "KM-5");
  EXPECT_EQ(heat["subscriber"].toObject()["name"].toString(),
            QStringLiteral("ООО \"Тепло; Свет\", филиал"));
  EXPECT_EQ(heat["object"].toObject()["address"].toString(),
            QStringLiteral("ул. Мира, 1\nкорп. 2"));

  const QJsonObject cold = readings[1].toObject();
  EXPECT_EQ(cold["kind"].toString(), "cold");
  EXPECT_TRUE(cold["subscriber"].isNull());
  EXPECT_TRUE(cold["object"].isNull());
  EXPECT_TRUE(readings[2].toObject()["backwards"].toBool());

  ReadingFilter none;
  none.serial = "nobody";
  EXPECT_EQ(
      QJsonDocument::fromJson(QByteArray::fromStdString(Export(options, none))).array().size(), 0)
      << "an empty selection is an empty array";
}

TEST_F(ArchiveExportTest, OnlyTheFiltersReadingsAreWritten) {
  ExportOptions options;
  ReadingFilter filter;
  filter.kind = DeviceKind::kHeat;
  filter.to = 1'717'000'000;
  int64_t count = 0;
  const auto lines = Lines(Export(options, filter, &count).substr(3));
  EXPECT_EQ(count, 1);
  EXPECT_EQ(lines.size(), 2u);

  filter = {};
  filter.subscriber = "nobody";
  EXPECT_EQ(Lines(Export(options, filter, &count).substr(3)).size(), 1u);
  EXPECT_EQ(count, 0);
}

TEST_F(ArchiveExportTest, AFileIsWrittenWholeAndReplacesAnOlderOne) {
  WriteFile("out/readings.csv", "an older export");
  const int64_t count =
      ExportReadings(archive_, {}, ExportOptions{}, std::filesystem::path("out/readings.csv"));
  EXPECT_EQ(count, 3);
  std::ostringstream expected;
  ExportReadings(archive_, {}, ExportOptions{}, expected);
  EXPECT_EQ(ReadFile("out/readings.csv"), expected.str());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("out"), {}), 1)
      << "nothing is left beside it";
}

TEST_F(ArchiveExportTest, AFolderThatCannotBeWrittenGivesAnErrorAndNoFile) {
  WriteFile("plain-file", "not a folder");
  const std::filesystem::path targets[] = {"plain-file/readings.csv", "missing/readings.csv"};
  for (const auto& target : targets) {
    try {
      ExportReadings(archive_, {}, ExportOptions{}, target);
      ADD_FAILURE() << "exported into " << target;
    } catch (const ExportError& error) {
      EXPECT_EQ(error.target(), target);
      EXPECT_NE(std::string(error.what()).find(target.parent_path().string()), std::string::npos)
          << "names the folder: " << error.what();
    }
  }
  EXPECT_FALSE(std::filesystem::exists("missing"));
  EXPECT_EQ(ReadFile("plain-file"), "not a folder");

  // A folder in the place of the file: the rename fails, nothing is left over.
  std::filesystem::create_directories("taken/readings.csv");
  EXPECT_THROW(
      ExportReadings(archive_, {}, ExportOptions{}, std::filesystem::path("taken/readings.csv")),
      ExportError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("taken"), {}), 1);
}

TEST_F(ArchiveExportTest, AReadOnlyFolderGivesAnErrorAndKeepsItsOlderFile) {
  const ScopedOrdinaryUser user;
  WriteFile("ro/readings.csv", "an older export");
  std::filesystem::permissions(
      "ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  try {
    ExportReadings(archive_, {}, ExportOptions{}, std::filesystem::path("ro/readings.csv"));
    ADD_FAILURE() << "exported into a read-only folder";
  } catch (const ExportError& error) {
    EXPECT_NE(std::string(error.what()).find("Permission denied"), std::string::npos)
        << error.what();
  }
  std::filesystem::permissions("ro", std::filesystem::perms::owner_all);
  EXPECT_EQ(ReadFile("ro/readings.csv"), "an older export");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("ro"), {}), 1);
}

TEST_F(ArchiveExportTest, AFailingStreamIsAnErrorNotAShortExport) {
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  EXPECT_THROW(ExportReadings(archive_, {}, ExportOptions{}, out), ExportError);
}

}  // namespace
