#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "keldar/phrases_api.h"
#include "plugin_loader.h"

// One loaded copy of Phrases.so, resolved by the shell's own loader: every export
// of KELDAR_PHRASES_EXPORTS looked up by name, each getter called once with its slot.
class PhrasesLibrary {
 public:
  explicit PhrasesLibrary(const std::filesystem::path& file);
  PhrasesLibrary(const PhrasesLibrary&) = delete;
  PhrasesLibrary& operator=(const PhrasesLibrary&) = delete;

  bool loaded() const { return library_.Loaded(); }
  std::vector<std::string> missing_exports() const { return library_.Missing(); }
  const KeldarLanguageLibrary& api() const { return library_.api(); }

  // A phrases object released through the library's own _Delete export.
  using Phrases = std::unique_ptr<void, KeldarPhrasesDeleteFn>;
  Phrases Create() const;

  // Typed calls of the resolved operations.
  void Select(void* phrases, int32_t id) const;
  const char* Phrase(void* phrases, const char* key) const;  // keldar_phrase()
  KeldarPhraseRecord* Record(void* phrases) const;
  // Loads the languages and reads the list that lies in the phrases object.
  const KeldarLanguageList& Languages(void* phrases) const;

  template <typename Fn>
  Fn Operation(KeldarSlot KeldarLanguageLibrary::*slot) const {
    return library_.Operation<Fn>(slot);
  }
  template <typename Fn>
  Fn Function(KeldarEntry KeldarLanguageLibrary::*entry) const {
    return library_.Function<Fn>(entry);
  }

 private:
  LoadedPlugin<KeldarLanguageLibrary> library_;
};

// The built library in the working folder.
std::filesystem::path BuiltLibrary();
