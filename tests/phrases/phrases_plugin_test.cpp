// The language library's interface, against the phrase store built into the working folder.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "phrases_library.h"

namespace {

using Lib = KeldarLanguageLibrary;

const PhrasesLibrary& Library() {
  static const PhrasesLibrary library(BuiltLibrary());
  return library;
}

class PhrasesPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Library().loaded()) << BuiltLibrary();
    ASSERT_NE(phrases_.get(), nullptr);
  }
  const char* Find(const char* key) const { return Library().Phrase(phrases_.get(), key); }
  std::string Text() const { return Library().Record(phrases_.get())->text; }

  PhrasesLibrary::Phrases phrases_ = Library().Create();
  KeldarGetPhrasesFn get_phrases_ = Library().Operation<KeldarGetPhrasesFn>(&Lib::GetPhrases);
};

TEST(PhrasesExports, EveryExportResolvesAndGettersFillTheirSlot) {
  ASSERT_TRUE(Library().loaded());
  EXPECT_TRUE(Library().missing_exports().empty());
  const auto getter =
      reinterpret_cast<KeldarGetExport>(dlsym(Library().api().module, "_GetGetPhrases"));
  ASSERT_NE(getter, nullptr);
  int marker = 0;
  KeldarSlot slot{nullptr, &marker};  // both halves are overwritten
  getter(&slot);
  EXPECT_NE(slot.entry, nullptr);
  EXPECT_EQ(slot.entry, Library().api().GetPhrases.entry);
  EXPECT_EQ(slot.context, nullptr);
  getter(nullptr);
}

TEST_F(PhrasesPlugin, ListsTheThreeLanguagesInIdOrder) {
  Library().Languages(phrases_.get());
  const auto& list = Library().Languages(phrases_.get());  // refilled, not appended to
  const auto size = Library().Operation<KeldarLanguageListSizeFn>(&Lib::ArrayLanguageDataSize);
  const auto item =
      Library().Operation<KeldarLanguageListGetIndexDataFn>(&Lib::ArrayLanguageDataGetIndexData);
  auto* shared = const_cast<KeldarLanguageList*>(&list);

  ASSERT_EQ(size(&list), 3);
  const std::array<std::string, 3> names = {"English", "Русский", "Українська"};
  for (int32_t i = 0; i < 3; ++i) {
    ASSERT_NE(item(shared, i), nullptr);
    EXPECT_EQ(item(shared, i)->id, i + 1);
    EXPECT_EQ(names[i], item(shared, i)->name);
  }
  EXPECT_EQ(item(shared, 3), nullptr);
}

TEST_F(PhrasesPlugin, LooksUpInEachLanguageAndFollowsTheSelection) {
  const std::array<std::string, 3> expected = {"Go back", "Вернутся назад", "Повернутися назад"};
  const KeldarPhraseRecord* record = Library().Record(phrases_.get());
  ASSERT_NE(record, nullptr);
  for (const int32_t id : {2, 1, 3, 2}) {
    Library().Select(phrases_.get(), id);
    const char* text = Find("FRAME_PROGRAM_SETTING_GO_BACK");
    ASSERT_NE(text, nullptr) << "language " << id;
    EXPECT_EQ(expected[id - 1], text);
    EXPECT_EQ(record->language_id, id);
    EXPECT_EQ(Library().Record(phrases_.get()), record);  // the shell keeps this address
  }
}

TEST_F(PhrasesPlugin, UnknownKeysAndLanguagesGiveNoText) {
  Library().Select(phrases_.get(), 2);
  ASSERT_NE(Find("FRAME_PROGRAM_SETTING_APPLY"), nullptr);
  // A miss clears what the previous lookup left in the record.
  EXPECT_EQ(Find("FRAME_PROGRAM_NO_SUCH_TEXT"), nullptr);
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(Library().Record(phrases_.get())->language_id, 0);
  EXPECT_EQ(Find("frame_program_setting_apply"), nullptr);

  for (const int32_t id : {99, 0, -1}) {
    Library().Select(phrases_.get(), id);
    EXPECT_EQ(Find("FRAME_PROGRAM_SETTING_APPLY"), nullptr) << "language " << id;
  }
  Library().Select(phrases_.get(), 1);
  EXPECT_STREQ(Find("FRAME_PROGRAM_SETTING_APPLY"), "Apply");
}

TEST_F(PhrasesPlugin, RefusesNullForeignAndOverlongArguments) {
  const auto get_language = Library().Operation<KeldarGetLanguageFn>(&Lib::GetLanguage);
  Library().Select(phrases_.get(), 1);
  ASSERT_NE(Find("FRAME_PROGRAM_SETTING_APPLY"), nullptr);

  Library().Select(nullptr, 1);
  get_phrases_(nullptr, "FRAME_PROGRAM_SETTING_APPLY");
  get_language(nullptr);
  EXPECT_EQ(Library().Record(nullptr), nullptr);
  reinterpret_cast<KeldarPhrasesDeleteFn>(Library().api().DeleteCSQLite3Phrases)(nullptr);

  get_phrases_(phrases_.get(), nullptr);
  EXPECT_EQ(Text(), "");
  // A key with no terminator within the longest key length is read no further.
  std::array<char, KELDAR_PHRASE_KEY_MAX + 1> unterminated;
  unterminated.fill('A');
  get_phrases_(phrases_.get(), unterminated.data());
  EXPECT_EQ(Text(), "");

  // Memory that is not a phrases object is left alone.
  alignas(8) std::array<unsigned char, 4096> foreign{};
  Library().Select(foreign.data(), 2);
  get_phrases_(foreign.data(), "FRAME_PROGRAM_SETTING_APPLY");
  get_language(foreign.data());
  EXPECT_EQ(Library().Record(foreign.data()), nullptr);
  EXPECT_TRUE(std::all_of(foreign.begin(), foreign.end(), [](unsigned char b) { return b == 0; }));
}

// A list of the library's own making, worked through the list operations.
class LanguageList : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Library().loaded());
    list_ = static_cast<KeldarLanguageList*>(
        reinterpret_cast<KeldarCreateObjectFn>(Library().api().CreateCArrayLanguageData)());
    ASSERT_NE(list_, nullptr);
  }
  void TearDown() override {
    if (list_ != nullptr) {
      reinterpret_cast<KeldarDeleteObjectFn>(Library().api().DeleteCArrayLanguageData)(list_);
    }
  }
  template <typename Fn>
  static Fn Op(KeldarSlot Lib::*slot) {
    return Library().Operation<Fn>(slot);
  }
  void Push(int32_t id, const void* name, std::size_t bytes) const {
    KeldarLanguageRecord record{};
    record.id = id;
    std::memcpy(record.name, name, std::min(bytes, sizeof record.name));
    push(list_, &record);
  }

  KeldarLanguageList* list_ = nullptr;
  KeldarLanguageListSizeFn size = Op<KeldarLanguageListSizeFn>(&Lib::ArrayLanguageDataSize);
  KeldarLanguageListEmptyFn empty = Op<KeldarLanguageListEmptyFn>(&Lib::ArrayLanguageDataEmpty);
  KeldarLanguageListPushBackFn push =
      Op<KeldarLanguageListPushBackFn>(&Lib::ArrayLanguageDataPushBack);
  KeldarLanguageListGetIndexDataFn item =
      Op<KeldarLanguageListGetIndexDataFn>(&Lib::ArrayLanguageDataGetIndexData);
  KeldarLanguageListClearFn clear = Op<KeldarLanguageListClearFn>(&Lib::ArrayLanguageDataClear);
};

TEST_F(LanguageList, PushBackStopsAtCapacityAndIndexIsBounded) {
  EXPECT_EQ(empty(list_), 1);
  for (int32_t id = 1; id <= KELDAR_LANGUAGE_LIST_CAPACITY + 1; ++id) Push(id, "name", 5);
  EXPECT_EQ(size(list_), KELDAR_LANGUAGE_LIST_CAPACITY);
  EXPECT_EQ(empty(list_), 0);
  ASSERT_NE(item(list_, KELDAR_LANGUAGE_LIST_CAPACITY - 1), nullptr);
  EXPECT_EQ(item(list_, KELDAR_LANGUAGE_LIST_CAPACITY - 1)->id, KELDAR_LANGUAGE_LIST_CAPACITY);
  EXPECT_EQ(item(list_, KELDAR_LANGUAGE_LIST_CAPACITY), nullptr);
  EXPECT_EQ(item(list_, -1), nullptr);

  clear(list_);
  EXPECT_EQ(size(list_), 0);
  EXPECT_EQ(empty(list_), 1);
  EXPECT_EQ(item(list_, 0), nullptr);
}

TEST_F(LanguageList, UnterminatedNameIsCutOnACharacterBoundary) {
  std::string letters;
  while (letters.size() < KELDAR_LANGUAGE_NAME_SIZE) letters += "Ж";  // fills the field
  Push(7, letters.data(), letters.size());
  ASSERT_EQ(size(list_), 1);
  // 63 bytes would split the 32nd letter: 31 letters stay.
  EXPECT_EQ(std::string(item(list_, 0)->name), letters.substr(0, KELDAR_LANGUAGE_NAME_SIZE - 2));
}

TEST_F(LanguageList, CorruptCountAndNullArgumentsAreHarmless) {
  Push(1, "one", 4);
  list_->count = 1000;
  EXPECT_EQ(size(list_), KELDAR_LANGUAGE_LIST_CAPACITY);
  EXPECT_EQ(item(list_, 40), nullptr);
  Push(2, "two", 4);  // full as far as the list can tell
  EXPECT_EQ(size(list_), KELDAR_LANGUAGE_LIST_CAPACITY);
  list_->count = -5;
  EXPECT_EQ(empty(list_), 1);

  EXPECT_EQ(size(nullptr), 0);
  EXPECT_EQ(empty(nullptr), 1);
  EXPECT_EQ(item(nullptr, 0), nullptr);
  push(nullptr, nullptr);
  push(list_, nullptr);
  clear(nullptr);
}

}  // namespace
