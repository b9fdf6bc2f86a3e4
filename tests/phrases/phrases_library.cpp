#include "phrases_library.h"

#include <dlfcn.h>

#include <cstring>
#include <stdexcept>

namespace {

#define ROW_F(member, required) KELDAR_ROW_F(KeldarLanguageLibrary, member, required)
#define ROW_G(member, required) KELDAR_ROW_G(KeldarLanguageLibrary, member, required)
#define ROW_GA(member, exported, required) \
  KELDAR_ROW_GA(KeldarLanguageLibrary, member, exported, required)
constexpr KeldarExportRow kExports[] = {KELDAR_PHRASES_EXPORTS(ROW_F, ROW_G, ROW_GA)};
#undef ROW_F
#undef ROW_G
#undef ROW_GA

}  // namespace

PhrasesLibrary::PhrasesLibrary(const std::filesystem::path& file) {
  // RTLD_LOCAL keeps two copies loaded from different folders apart.
  api_.module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (api_.module == nullptr) return;
  auto* base = reinterpret_cast<unsigned char*>(&api_);
  for (const auto& row : kExports) {
    void* symbol = dlsym(api_.module, row.name);
    if (symbol == nullptr) {
      missing_.emplace_back(row.name);
      continue;
    }
    if (row.kind == KELDAR_EXPORT_FUNCTION) {
      const auto entry = reinterpret_cast<KeldarEntry>(symbol);
      std::memcpy(base + row.offset, &entry, sizeof entry);
    } else {
      reinterpret_cast<KeldarGetExport>(symbol)(reinterpret_cast<KeldarSlot*>(base + row.offset));
    }
  }
}

PhrasesLibrary::~PhrasesLibrary() {
  if (api_.module != nullptr) dlclose(api_.module);
}

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
  return keldar_phrase(&api_, phrases, key);
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
