// Every telegram of the corpus in tests/data/mbus-frames against the values it
// is known to decode to (*.norm.xml beside it). A missing corpus fails.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "abi_objects.h"
#include "abi_telegram.h"
#include "hex.h"

namespace keldar::bus {
namespace {

namespace fs = std::filesystem;

const fs::path kFrames = KELDAR_FRAMES_DIR;

struct ExpectedRecord {
  std::map<QString, QString> fields;  // Function, StorageNumber, Tariff, Device, Unit, Value …
};
struct ExpectedTelegram {
  std::map<QString, QString> slave;  // Id, Manufacturer, Version, Medium, …, Error
  std::vector<ExpectedRecord> records;
};

ExpectedTelegram ReadExpected(const fs::path& path) {
  QFile file(QString::fromStdString(path.string()));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
  QXmlStreamReader xml(&file);
  ExpectedTelegram expected;
  std::map<QString, QString>* current = nullptr;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    const QString name = xml.name().toString();
    if (name == "SlaveInformation") {
      current = &expected.slave;
    } else if (name == "DataRecord") {
      expected.records.emplace_back();
      current = &expected.records.back().fields;
    } else if (current != nullptr && name != "MBusData") {
      // The files declare ISO-8859-1 but hold UTF-8 ("°C"): read them as such.
      (*current)[name] = QString::fromUtf8(xml.readElementText().toLatin1());
    }
  }
  EXPECT_FALSE(xml.hasError()) << path << ": " << xml.errorString().toStdString();
  return expected;
}

std::vector<std::uint8_t> ReadHex(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return test::FromHex(text.str());
}

// A decoded telegram held in the interface's objects.
struct Decoded {
  Decoded() = default;
  Decoded(const Decoded&) = delete;
  Decoded& operator=(const Decoded&) = delete;
  ~Decoded() {
    abi::DeleteTelegram(telegram);
    abi::DeleteData(buffer);
  }
  int Parse(const std::vector<std::uint8_t>& bytes) {
    abi::AssignData(*buffer, bytes);
    return abi::ParseTelegram(telegram, buffer);
  }
  const KeldarBusDataInfoBlock& Record(int i) const {
    return *abi::UserDataGetIndex(telegram->user_data, i);
  }
  KeldarBusTelegram* telegram = abi::CreateTelegram();
  KeldarBusData* buffer = abi::CreateData();
};

const char* FunctionName(const KeldarBusDataInfoBlock& r) {
  switch (r.function) {
    case KELDAR_BUS_FUNCTION_INSTANTANEOUS:
      return "Instantaneous value";
    case KELDAR_BUS_FUNCTION_MAXIMUM:
      return "Maximum value";
    case KELDAR_BUS_FUNCTION_MINIMUM:
      return "Minimum value";
    case KELDAR_BUS_FUNCTION_ERROR:
      return "Value during error state";
    default:
      return r.dif == 0x1F ? "More records follow" : "Manufacturer specific";
  }
}

std::string Hex(const std::uint8_t* bytes, std::uint32_t n) {
  return test::ToHex(std::vector<std::uint8_t>(bytes, bytes + n));
}

// Values the expected files print: "%f" numbers, ISO dates with "Z", texts,
// hex bytes for manufacturer data.
void ExpectValue(const KeldarBusDataInfoBlock& r, const QString& expected) {
  if (r.function == KELDAR_BUS_FUNCTION_MANUFACTURER) {
    EXPECT_EQ(Hex(r.data, r.data_size), expected.toStdString());
    return;
  }
  // The files print a date flagged invalid as "1900-01-00T00:00:00Z" and one
  // the meter left empty with its fields as sent ("2000-00-00"): no day, so no date.
  static const QRegularExpression kNoDay(R"(^\d{4}-(00-\d\d|\d\d-00))");
  if (kNoDay.match(expected).hasMatch()) {
    EXPECT_EQ(r.value_kind, KELDAR_BUS_VALUE_INVALID_DATE) << r.text;
    return;
  }
  if (r.value_kind == KELDAR_BUS_VALUE_DATE) {
    QString want = expected;
    want.remove('Z');
    QString got = r.text;
    if (got.size() == 16) got += ":00";  // type F has no seconds
    EXPECT_EQ(got.toStdString(), want.toStdString());
    return;
  }
  if (r.value_kind == KELDAR_BUS_VALUE_TEXT) {
    EXPECT_EQ(std::string(r.text), expected.toStdString());
    return;
  }
  bool is_number = false;
  const double want = expected.toDouble(&is_number);
  ASSERT_TRUE(is_number) << "expected " << expected.toStdString();
  ASSERT_EQ(r.value_kind, KELDAR_BUS_VALUE_NUMBER);
  EXPECT_NEAR(r.decoded, want, 5e-7 + std::fabs(want) * 1e-9);
}

// Units the expected files name, in ours; dimensionless ones are "".
std::string ExpectedUnit(const QString& unit) {
  static const std::set<QString> dimensionless = {"-", "", "Reserved", "Units for H.C.A."};
  if (dimensionless.count(unit) != 0) return "";
  if (unit == "kWh") return "Wh";
  if (unit == "l") return "m^3";
  return unit.toStdString();
}

// Values the expected file gives in another unit than ours: fixed-data
// counters in kWh and litres.
double ExpectedScale(const QString& unit) {
  if (unit == "kWh") return 1e3;
  if (unit == "l") return 1e-3;
  return 1.0;
}

// Records whose expected unit and value follow the VIF but pass over a VIFE
// that changes the quantity. Checked separately below, against EN 13757-3.
struct KnownDifference {
  const char* file;
  std::size_t record;
};
const KnownDifference kKnownDifferences[] = {
    // VIFE 50 / 58: duration of a lower / upper limit exceed, in seconds.
    {"SEN_Pollustat.hex", 12},
    {"SEN_Pollustat.hex", 13},
    // VIFE 6F: the time point (type F) of the last maximum, not a reading.
    {"landis+gyr_ultraheat_t230.hex", 19},
    {"landis+gyr_ultraheat_t230.hex", 20},
    {"landis+gyr_ultraheat_t230.hex", 21},
    {"landis+gyr_ultraheat_t230.hex", 22},
};

bool IsKnownDifference(const fs::path& file, std::size_t record) {
  for (const auto& known : kKnownDifferences) {
    if (file.filename() == known.file && record == known.record) return true;
  }
  return false;
}

// Records the expected files print as a date although a field is outside
// EN 13757-3's range, so they decode to no date.
const KnownDifference kNoDates[] = {
    // Type F 00 00 E1 F1: year bits 127 (years run 0-99), printed as 2027.
    {"landis+gyr_ultraheat_t230.hex", 32},
};

bool IsNoDate(const fs::path& file, std::size_t record) {
  for (const auto& known : kNoDates) {
    if (file.filename() == known.file && record == known.record) return true;
  }
  return false;
}

std::vector<fs::path> Telegrams(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".hex") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class Conformance : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::is_directory(kFrames)) << "the telegram corpus is missing: " << kFrames;
  }
};

TEST_F(Conformance, EveryTelegramDecodesToItsExpectedValues) {
  const auto files = Telegrams(kFrames);
  ASSERT_FALSE(files.empty());
  std::size_t known = 0;
  std::size_t no_dates = 0;
  for (const fs::path& hex : files) {
    SCOPED_TRACE(hex.filename().string());
    fs::path norm = hex;
    norm.replace_extension(".norm.xml");
    const ExpectedTelegram expected = ReadExpected(norm);
    Decoded decoded;
    ASSERT_EQ(decoded.Parse(ReadHex(hex)), KELDAR_BUS_RESULT_USER_DATA);
    const KeldarBusTelegram& t = *decoded.telegram;

    const auto slave = [&](const char* key) { return expected.slave.at(key); };
    char id[16];
    std::snprintf(id, sizeof id, "%08X", static_cast<unsigned>(t.identification));
    EXPECT_EQ(QString(id).toULongLong(), slave("Id").toULongLong());
    EXPECT_EQ(t.access_number, slave("AccessNumber").toInt());
    EXPECT_EQ(t.status, slave("Status").toInt(nullptr, 16));
    if (expected.slave.count("Manufacturer") != 0) {
      EXPECT_EQ(std::string(t.manufacturer_text), slave("Manufacturer").toStdString());
      EXPECT_EQ(t.version, slave("Version").toInt());
      EXPECT_EQ(t.signature, slave("Signature").toInt(nullptr, 16));
    }

    ASSERT_EQ(abi::UserDataSize(t.user_data), static_cast<int>(expected.records.size()));
    for (std::size_t i = 0; i < expected.records.size(); ++i) {
      SCOPED_TRACE("record " + std::to_string(i));
      const auto& want = expected.records[i].fields;
      const KeldarBusDataInfoBlock& r = decoded.Record(static_cast<int>(i));
      const auto has = [&](const char* key) { return want.count(key) != 0; };
      if (has("Function") && want.at("Function") != "Actual value") {
        EXPECT_EQ(FunctionName(r), want.at("Function").toStdString());
      }
      if (has("StorageNumber")) {
        EXPECT_EQ(r.storage, want.at("StorageNumber").toULongLong());
      }
      if (has("Tariff")) {
        EXPECT_EQ(r.tariff, want.at("Tariff").toUInt());
      }
      if (has("Device")) {
        EXPECT_EQ(r.unit, want.at("Device").toUInt());
      }
      const QString unit = has("Unit") ? want.at("Unit") : QString();
      if (IsKnownDifference(hex, i)) {
        // Still a difference: a list entry whose record now agrees is stale.
        EXPECT_NE(std::string(r.unit_text), ExpectedUnit(unit)) << "listed as a known difference";
        ++known;
        continue;
      }
      if (r.function != KELDAR_BUS_FUNCTION_MANUFACTURER) {
        EXPECT_EQ(std::string(r.unit_text), ExpectedUnit(unit)) << r.quantity;
      }
      if (IsNoDate(hex, i)) {
        EXPECT_EQ(r.value_kind, KELDAR_BUS_VALUE_INVALID_DATE) << r.text;
        ++no_dates;
        continue;
      }
      if (has("Value")) {
        const double scale = ExpectedScale(unit);
        if (scale != 1.0) {
          EXPECT_NEAR(r.decoded, want.at("Value").toDouble() * scale, 1e-9);
        } else {
          ExpectValue(r, want.at("Value"));
        }
      }
    }
  }
  EXPECT_EQ(known, std::size(kKnownDifferences)) << "every known difference names a record";
  EXPECT_EQ(no_dates, std::size(kNoDates)) << "every listed non-date names a record";
}

TEST_F(Conformance, VifesTheExpectedFilesPassOver) {
  Decoded pollustat;
  ASSERT_EQ(pollustat.Parse(ReadHex(kFrames / "SEN_Pollustat.hex")), KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_STREQ(pollustat.Record(12).unit_text, "s");
  EXPECT_DOUBLE_EQ(pollustat.Record(12).decoded, 11582321);
  EXPECT_STREQ(pollustat.Record(13).unit_text, "s");
  EXPECT_DOUBLE_EQ(pollustat.Record(13).decoded, 756);

  Decoded ultraheat;
  ASSERT_EQ(ultraheat.Parse(ReadHex(kFrames / "landis+gyr_ultraheat_t230.hex")),
            KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_EQ(ultraheat.Record(21).value_kind, KELDAR_BUS_VALUE_DATE);
  EXPECT_STREQ(ultraheat.Record(21).text, "2011-08-26T20:50");
  EXPECT_STREQ(ultraheat.Record(22).text, "2011-08-09T11:43");
  EXPECT_EQ(ultraheat.Record(21).tariff, 1u);
  EXPECT_EQ(ultraheat.Record(21).function, KELDAR_BUS_FUNCTION_MAXIMUM);
}

// Error answers decode with their code; malformed frames are refused or
// decoded, never read past their end (the sanitizers watch this test).
TEST_F(Conformance, ErrorFramesAreRefusedOrDecoded) {
  const auto files = Telegrams(kFrames / "error-frames");
  ASSERT_FALSE(files.empty());
  for (const fs::path& hex : files) {
    SCOPED_TRACE(hex.filename().string());
    fs::path xml = hex;
    xml.replace_extension(".xml");
    Decoded decoded;
    const int result = decoded.Parse(ReadHex(hex));
    if (!fs::exists(xml)) {
      EXPECT_EQ(result, KELDAR_BUS_RESULT_FAILED);
      continue;
    }
    const ExpectedTelegram expected = ReadExpected(xml);
    ASSERT_EQ(result, KELDAR_BUS_RESULT_USER_DATA);
    EXPECT_EQ(decoded.telegram->ci_field, 0x70);
    QString text = expected.slave.at("Error");
    text.remove(QChar(0xB4));  // the files write "DIFE´s"
    EXPECT_EQ(std::string(decoded.telegram->error_text), text.toStdString());
  }
}

}  // namespace
}  // namespace keldar::bus
