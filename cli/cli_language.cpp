#include "cli_language.h"

#include <cstdlib>

#include "base/core/ini_file.h"
#include "base/core/startup_language.h"
#include "base/platform/locale.h"

namespace keldar::cli {

CliLanguage::CliLanguage() {
  if (!library_.IsLoaded()) return;
  phrases_ = library_.CreatePhrases();
  char value[3] = {};
  Settings().ReadValue("LANGUAGE", "LANG", value, sizeof value);
  const int id =
      value[0] != '\0' ? std::atoi(value) : LanguageForLcid(platform::SystemDefaultLcid());
  library_.SelectLanguage(phrases_, id);
}

CliLanguage::~CliLanguage() { library_.DeletePhrases(phrases_); }

std::string CliLanguage::Text(const char* key, const char* builtIn) const {
  return Source().Text(key, QString::fromUtf8(builtIn)).toStdString();
}

}  // namespace keldar::cli
