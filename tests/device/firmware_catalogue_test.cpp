#include "device/firmware_catalogue.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include "ordinary_user.h"
#include "test_support.h"

namespace {

constexpr const char* kSchema =
    "CREATE TABLE FIRMWARE (ID INTEGER, MAN_ID TEXT, PRODUCT_CODE TEXT, DEVICE_TYPE INTEGER, "
    "SOFTWARE_VERSION TEXT, STORAGE_NUMBER_HOUR, DEPTH_HOUR, STORAGE_NUMBER_DAYS, DEPTH_DAYS, "
    "STORAGE_NUMBER_MONTH, DEPTH_MONTH, STORAGE_NUMBER_YEARS, DEPTH_YEARS, "
    "STORAGE_NUMBER_CHANGING_TIMES, DEPTH_CHANGING_TIMES, STORAGE_NUMBER_ERRORS, DEPTH_ERRORS, "
    "STORAGE_NUMBER_SETTINGS, DEPTH_SETTINGS, STORAGE_NUMBER_SETTINGS_CHANGES, "
    "DEPTH_SETTINGS_CHANGES, STORAGE_NUMBER_TARIFF, DEPTH_TARIFF, SUBUNIT, TARIFF, "
    "DEFAULT_DEVICE_MODEL TEXT, HASH TEXT);";

// A row with every number column set to `base` + its position.
std::string Row(int id, const char* man, const char* code, int type, const char* version, int base,
                const char* model, const char* hash) {
  std::string sql = "INSERT INTO FIRMWARE VALUES (" + std::to_string(id) + ",'" + man + "','" +
                    code + "'," + std::to_string(type) + ",'" + version + "'";
  for (int i = 0; i < 20; ++i) {
    sql += ',';
    sql += std::to_string(base + i);
  }
  return sql + ",'" + model + "','" + hash + "');";
}

void MakeCatalogue(const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open("program.db", &db), SQLITE_OK);
  char* error = nullptr;
  const int result = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  const std::string message = error != nullptr ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  ASSERT_EQ(result, SQLITE_OK) << message;
}

TEST(FirmwareCatalogue, ManufacturerLettersBecomeTheirEn13757Code) {
  EXPECT_EQ(FirmwareCatalogue::ManufacturerNumber("ABC"), 1091);
  EXPECT_EQ(FirmwareCatalogue::ManufacturerNumber("KRV"), 0x2E56);
  EXPECT_EQ(FirmwareCatalogue::ManufacturerNumber("AAA"), 0x0421);
  EXPECT_EQ(FirmwareCatalogue::ManufacturerNumber(""), static_cast<std::uint16_t>(-2112));
}

TEST(FirmwareCatalogue, FindsTheRowByHexManufacturerDecimalCodeAndExactVersion) {
  ScopedWorkingDirectory cwd;
  MakeCatalogue(std::string(kSchema) + Row(5, "443", "7", 4, "2.01", 100, "Model A", "abc") +
                Row(6, "443", "07", 4, "2.01", 200, "Model B", "def") +
                Row(7, "443", "7", 22, "", 300, "Empty version", "") +
                Row(8, "1091", "7", 4, "2.01", 400, "Decimal man", ""));
  FirmwareCatalogue catalogue;

  catalogue.Find("ABC", 7, "2.01");
  const auto& found = catalogue.Result();
  EXPECT_EQ(found.id, 5) << "'443' and '7' match, '07' and '1091' do not";
  EXPECT_EQ(found.man_id, 443) << "the hexadecimal text read as a decimal number";
  EXPECT_EQ(found.product_code, 7);
  EXPECT_EQ(found.device_type, 4);
  EXPECT_STREQ(found.software_version, "2.01");
  EXPECT_EQ(found.storage_number_hour, 100);
  EXPECT_EQ(found.depth_hour, 101);
  EXPECT_EQ(found.subunit, 118);
  EXPECT_EQ(found.tariff, 119);
  EXPECT_STREQ(found.model, "Model A");
  EXPECT_STREQ(found.hash, "abc");
  EXPECT_EQ(found.type_word, KELDAR_DEVICE_RECORD_TYPE_WORD);

  catalogue.Find("ABC", 7, "");
  EXPECT_EQ(catalogue.Result().id, 7) << "an unreported version matches only empty rows";
  catalogue.Find("ABC", 7, "2.0");
  EXPECT_EQ(catalogue.Result().id, 0) << "no row leaves the result reset";
  EXPECT_STREQ(catalogue.Result().model, "");
}

TEST(FirmwareCatalogue, AQuoteInTheVersionNeitherBreaksNorChangesTheQuery) {
  ScopedWorkingDirectory cwd;
  MakeCatalogue(std::string(kSchema) + Row(1, "443", "7", 4, "1.0", 0, "One", "") +
                Row(2, "443", "7", 4, "x'' OR ''1''=''1", 0, "Quoted", ""));
  FirmwareCatalogue catalogue;
  catalogue.Find("ABC", 7, "' OR '1'='1");
  EXPECT_EQ(catalogue.Result().id, 0) << "the text is compared, never executed";
  catalogue.Find("ABC", 7, "x' OR '1'='1");
  EXPECT_EQ(catalogue.Result().id, 2);
  catalogue.Find("ABC", 7, "1.0'; DROP TABLE FIRMWARE; --");
  catalogue.Find("ABC", 7, "1.0");
  EXPECT_EQ(catalogue.Result().id, 1) << "the table is still there";
}

TEST(FirmwareCatalogue, TheLastRowWinsNullsReadAsZeroAndLongTextsAreCut) {
  ScopedWorkingDirectory cwd;
  const std::string longModel(60, 'x');
  std::string cyrillic;
  for (int i = 0; i < 60; ++i) cyrillic += "Ж";  // 120 bytes
  MakeCatalogue(std::string(kSchema) + Row(1, "443", "7", 4, "v", 0, "First", "") +
                Row(2, "443", "7", 4, "v", 0, cyrillic.c_str(), std::string(40, 'h').c_str()) +
                "INSERT INTO FIRMWARE (ID, MAN_ID, PRODUCT_CODE, SOFTWARE_VERSION) "
                "VALUES (NULL, '443', '9', NULL);" +
                "INSERT INTO FIRMWARE (ID, MAN_ID, PRODUCT_CODE, SOFTWARE_VERSION, DEPTH_HOUR) "
                "VALUES ('12abc', '443', '10', '', ' -5x');");
  FirmwareCatalogue catalogue;
  catalogue.Find("ABC", 7, "v");
  EXPECT_EQ(catalogue.Result().id, 2);
  EXPECT_EQ(std::string(catalogue.Result().model), cyrillic.substr(0, 98))
      << "cut to 99 bytes on a character boundary";
  EXPECT_EQ(std::string(catalogue.Result().hash), std::string(32, 'h'));

  catalogue.Find("ABC", 9, "");
  EXPECT_EQ(catalogue.Result().id, 0) << "NULL matches no version, not even the empty one";

  catalogue.Find("ABC", 10, "");
  EXPECT_EQ(catalogue.Result().id, 12) << "numbers are read from their leading digits";
  EXPECT_EQ(catalogue.Result().depth_hour, -5);
  EXPECT_EQ(catalogue.Result().subunit, 0) << "NULL reads as 0";
  EXPECT_STREQ(catalogue.Result().model, "") << "NULL reads as empty";
}

// A catalogue that cannot be consulted: no result, a problem naming the file,
// and the file exactly as it was (a missing one is not created).
void ExpectUnreadable(const char* why) {
  SCOPED_TRACE(why);
  const bool existed = std::filesystem::exists("program.db");
  const std::string before = existed ? ReadFile("program.db") : std::string();
  FirmwareCatalogue catalogue;
  catalogue.Find("KRV", 1, "");
  EXPECT_EQ(catalogue.Result().id, 0);
  ASSERT_TRUE(catalogue.Problem().has_value());
  EXPECT_NE(catalogue.Problem()->find("program.db"), std::string::npos) << *catalogue.Problem();
  EXPECT_EQ(std::filesystem::exists("program.db"), existed) << "never created";
  if (existed && std::filesystem::is_regular_file("program.db")) {
    EXPECT_EQ(ReadFile("program.db"), before) << "never changed";
  }
}

TEST(FirmwareCatalogueFaults, EveryDamagedCatalogueIsReportedAndLeftAsItIs) {
  ScopedWorkingDirectory cwd;
  ExpectUnreadable("missing");

  WriteFile("program.db", "");
  ExpectUnreadable("empty");

  WriteFile("program.db", "this is not a database, only text that looks nothing like one");
  ExpectUnreadable("not SQLite");

  std::filesystem::remove("program.db");
  MakeCatalogue("CREATE TABLE FIRMWARE (ID INTEGER, MAN_ID TEXT);");
  ExpectUnreadable("wrong schema");

  // A real catalogue cut after its header page.
  std::filesystem::remove("program.db");
  MakeCatalogue(std::string(kSchema) + Row(5, "2E56", "1", 4, "", 100, "Model A", "abc"));
  std::string whole = ReadFile("program.db");
  ASSERT_GT(whole.size(), 1000u);
  WriteFile("program.db", whole.substr(0, 100));
  ExpectUnreadable("truncated");

  std::filesystem::remove("program.db");
  std::filesystem::create_directory("program.db");
  ExpectUnreadable("a folder");
}

TEST(FirmwareCatalogueFaults, ALockedCatalogueIsReportedAndReadOnceFree) {
  ScopedWorkingDirectory cwd;
  MakeCatalogue(std::string(kSchema) + Row(5, "2E56", "1", 4, "", 100, "Model A", "abc"));
  sqlite3* holder = nullptr;
  ASSERT_EQ(sqlite3_open("program.db", &holder), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  ExpectUnreadable("locked");
  sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(holder);

  FirmwareCatalogue catalogue;
  catalogue.Find("KRV", 1, "");
  EXPECT_EQ(catalogue.Result().id, 5);
  EXPECT_FALSE(catalogue.Problem().has_value()) << *catalogue.Problem();
  catalogue.Find("KRV", 99, "");
  EXPECT_EQ(catalogue.Result().id, 0);
  EXPECT_FALSE(catalogue.Problem().has_value()) << "no row is not a fault";
}

TEST(FirmwareCatalogueFaults, ACatalogueWithoutReadPermissionIsReported) {
  ScopedWorkingDirectory cwd;
  const ScopedOrdinaryUser user;
  MakeCatalogue(std::string(kSchema) + Row(5, "2E56", "1", 4, "", 100, "Model A", "abc"));
  std::filesystem::permissions("program.db", std::filesystem::perms::none);
  ExpectUnreadable("unreadable");
  std::filesystem::permissions("program.db", std::filesystem::perms::owner_all);
}

}  // namespace
