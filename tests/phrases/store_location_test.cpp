// The library reads phrases.db from its own folder, read-only, whatever that file holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "phrases_library.h"
#include "sqlbuild_support.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

// A copy of the built library alone in a folder of its own, with whatever store a test
// puts beside it.
class LibraryCopy : public ::testing::Test {
 protected:
  void SetUp() override { fs::copy_file(BuiltLibrary(), folder_ / "Phrases.so"); }

  // Builds the store beside the copy from SQL text.
  void BuildStore(const std::string& sql) const {
    WriteFile(folder_ / "store.sql", sql);
    const auto run =
        RunSqlBuild({(folder_ / "phrases.db").string(), (folder_ / "store.sql").string()});
    ASSERT_EQ(run.exit_code, 0) << run.errors;
  }

  TempFolder folder_;
};

void ExpectNothingFound(const PhrasesLibrary& library, void* phrases) {
  EXPECT_EQ(library.Languages(phrases).count, 0);
  for (const int32_t id : {1, 2, 3}) {
    library.Select(phrases, id);
    EXPECT_EQ(library.Phrase(phrases, "FRAME_PROGRAM_SETTING_APPLY"), nullptr);
    EXPECT_STREQ(library.Record(phrases)->text, "");
  }
}

TEST_F(LibraryCopy, WithoutAStoreWorksEmptyAndCreatesNoFile) {
  const PhrasesLibrary library(folder_ / "Phrases.so");
  ASSERT_TRUE(library.loaded());
  const auto phrases = library.Create();
  ASSERT_NE(phrases.get(), nullptr);
  ExpectNothingFound(library, phrases.get());
  const auto size =
      library.Operation<KeldarLanguageListSizeFn>(&KeldarLanguageLibrary::ArrayLanguageDataSize);
  EXPECT_EQ(size(&library.Languages(phrases.get())), 0);
  EXPECT_FALSE(fs::exists(folder_ / "phrases.db"));
}

TEST_F(LibraryCopy, UnreadableStoreWorksEmptyAndStaysUntouched) {
  const std::string garbage = "this is not a database\n";
  WriteFile(folder_ / "phrases.db", garbage);
  const PhrasesLibrary library(folder_ / "Phrases.so");
  const auto phrases = library.Create();
  ASSERT_NE(phrases.get(), nullptr);
  ExpectNothingFound(library, phrases.get());
  EXPECT_EQ(ReadFile(folder_ / "phrases.db"), garbage);

  // A database of another shape reads as empty too.
  BuildStore("CREATE TABLE languages (code TEXT); CREATE TABLE words (w TEXT);");
  ExpectNothingFound(library, phrases.get());
}

TEST_F(LibraryCopy, ReadsTheStoreBesideItselfAndCutsWhatDoesNotFit) {
  // Forty-one languages inserted out of order (one with a name longer than a record holds,
  // one without a name); texts of 2047 and 2048 ASCII bytes and of 1500 two-byte letters.
  BuildStore(R"sql(
    CREATE TABLE languages (id INTEGER PRIMARY KEY, name TEXT);
    CREATE TABLE phrases (key TEXT, language_id INTEGER, text TEXT);
    INSERT INTO languages VALUES (3, 'Three'), (1, 'One'), (5, NULL),
      (2, replace(hex(zeroblob(40)), '00', 'Ж'));
    WITH RECURSIVE n(i) AS (SELECT 6 UNION ALL SELECT i + 1 FROM n WHERE i < 41)
      INSERT INTO languages SELECT i, 'L' || i FROM n;
    INSERT INTO languages VALUES (4, 'Four');
    INSERT INTO phrases VALUES
      ('FIT', 1, substr(replace(hex(zeroblob(1024)), '0', 'a'), 1, 2047)),
      ('OVER', 1, replace(hex(zeroblob(1024)), '0', 'a')),
      ('LONG', 1, replace(hex(zeroblob(1500)), '00', 'Ж')),
      ('ONLY_TWO', 2, 'Two');
  )sql");
  const PhrasesLibrary library(folder_ / "Phrases.so");
  const auto phrases = library.Create();
  ASSERT_NE(phrases.get(), nullptr);

  const auto& list = library.Languages(phrases.get());
  ASSERT_EQ(list.count, KELDAR_LANGUAGE_LIST_CAPACITY);
  for (int i = 0; i < KELDAR_LANGUAGE_LIST_CAPACITY; ++i) EXPECT_EQ(list.items[i].id, i + 1);
  EXPECT_STREQ(list.items[0].name, "One");
  EXPECT_STREQ(list.items[4].name, "");
  std::string letters;
  for (int i = 0; i < 31; ++i) letters += "Ж";  // 62 bytes: the 32nd letter would not fit
  EXPECT_EQ(std::string(list.items[1].name), letters);

  library.Select(phrases.get(), 1);
  ASSERT_NE(library.Phrase(phrases.get(), "FIT"), nullptr);
  EXPECT_EQ(std::string(library.Record(phrases.get())->text), std::string(2047, 'a'));
  ASSERT_NE(library.Phrase(phrases.get(), "OVER"), nullptr);
  EXPECT_EQ(std::string(library.Record(phrases.get())->text), std::string(2047, 'a'));
  ASSERT_NE(library.Phrase(phrases.get(), "LONG"), nullptr);
  std::string cut;
  for (int i = 0; i < 1023; ++i) cut += "Ж";  // 2046 bytes
  EXPECT_EQ(std::string(library.Record(phrases.get())->text), cut);
  EXPECT_EQ(library.Phrase(phrases.get(), "ONLY_TWO"), nullptr);

  library.Select(phrases.get(), 2);
  EXPECT_EQ(library.Phrase(phrases.get(), "LONG"), nullptr);
  ASSERT_NE(library.Phrase(phrases.get(), "ONLY_TWO"), nullptr);
  EXPECT_STREQ(library.Record(phrases.get())->text, "Two");
}

}  // namespace
