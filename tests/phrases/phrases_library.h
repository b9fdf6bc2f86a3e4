#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "keldar/phrases_api.h"

// One loaded copy of Phrases.so, resolved the way the shell resolves it: every export
// of KELDAR_PHRASES_EXPORTS looked up by name, each getter called once with its slot.
class PhrasesLibrary {
 public:
  explicit PhrasesLibrary(const std::filesystem::path& file);
  ~PhrasesLibrary();
  PhrasesLibrary(const PhrasesLibrary&) = delete;
  PhrasesLibrary& operator=(const PhrasesLibrary&) = delete;

  bool loaded() const { return api_.module != nullptr; }
  const std::vector<std::string>& missing_exports() const { return missing_; }
  const KeldarLanguageLibrary& api() const { return api_; }

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
    return reinterpret_cast<Fn>((api_.*slot).entry);
  }
  template <typename Fn>
  Fn Function(KeldarEntry KeldarLanguageLibrary::*entry) const {
    return reinterpret_cast<Fn>(api_.*entry);
  }

 private:
  KeldarLanguageLibrary api_{};
  std::vector<std::string> missing_;
};

// The built library in the working folder.
std::filesystem::path BuiltLibrary();
