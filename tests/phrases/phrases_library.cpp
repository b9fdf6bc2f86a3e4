#include "phrases_library.h"

#include <stdexcept>

namespace {

#define KELDAR_ROWS_TYPE KeldarLanguageLibrary
constexpr KeldarExportRow kExports[] = {KELDAR_EXPORT_ROWS(KELDAR_PHRASES_EXPORTS)};
#undef KELDAR_ROWS_TYPE

}  // namespace

// RTLD_LOCAL keeps two copies loaded from different folders apart.
PhrasesLibrary::PhrasesLibrary(const std::filesystem::path& file) : library_(file, kExports) {}

PhrasesLibrary::Phrases PhrasesLibrary::Create() const {
  const auto create =
      Function<KeldarPhrasesCreateFn>(&KeldarLanguageLibrary::CreateCSQLite3Phrases);
  const auto destroy =
      Function<KeldarPhrasesDeleteFn>(&KeldarLanguageLibrary::DeleteCSQLite3Phrases);
  if (create == nullptr || destroy == nullptr) return Phrases(nullptr, destroy);
  return Phrases(create(), destroy);
}

void PhrasesLibrary::Select(void* phrases, int32_t id) const {
  const auto select = Operation<KeldarSetSelectLangFn>(&KeldarLanguageLibrary::SetSelectLang);
  select(phrases, id);
}

const char* PhrasesLibrary::Phrase(void* phrases, const char* key) const {
  return keldar_phrase(&library_.api(), phrases, key);
}

KeldarPhraseRecord* PhrasesLibrary::Record(void* phrases) const {
  const auto record = Operation<KeldarGetPhrasesDataFn>(&KeldarLanguageLibrary::GetPhrasesData);
  return record(phrases);
}

const KeldarLanguageList& PhrasesLibrary::Languages(void* phrases) const {
  if (phrases == nullptr) throw std::invalid_argument("no phrases object");
  const auto load = Operation<KeldarGetLanguageFn>(&KeldarLanguageLibrary::GetLanguage);
  load(phrases);
  return *reinterpret_cast<const KeldarLanguageList*>(static_cast<unsigned char*>(phrases) +
                                                      KELDAR_PHRASES_LANGUAGE_LIST_OFFSET);
}

std::filesystem::path BuiltLibrary() {
  return std::filesystem::path(KELDAR_BIN_DIR) / "Phrases.so";
}
