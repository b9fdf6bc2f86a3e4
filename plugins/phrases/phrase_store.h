#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace phrases {

struct Language {
  int32_t id;
  std::string name;
};

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const noexcept {
    return std::hash<std::string_view>{}(text);
  }
};

// Key to text, for one language; looked up by string_view without copying the key.
using PhraseMap = std::unordered_map<std::string, std::string, TextHash, std::equal_to<>>;

// Read-only view of one phrase store file (tables `languages` and `phrases`).
// Each read opens the file anew and closes it again; the file is never created or
// changed. A missing, unreadable or foreign file reads as empty.
class PhraseStore {
 public:
  explicit PhraseStore(std::string file) : file_(std::move(file)) {}

  std::vector<Language> Languages() const;  // ascending id
  PhraseMap Phrases(int32_t language_id) const;

 private:
  std::string file_;
};

}  // namespace phrases
