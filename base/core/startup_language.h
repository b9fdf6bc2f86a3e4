#pragma once

class IniFile;
class PhrasesLibrary;

// The language number stored on first start for a system locale:
// Russian 2, English 1, Ukrainian 3, anything else 1.
int LanguageForLcid(int lcid);

// Reads [LANGUAGE] LANG; when empty stores the locale's language number
// (which creates config.ini), then selects that language. Returns the id selected.
int SelectStartupLanguage(IniFile& settings, const PhrasesLibrary& library, void* phrases,
                          int systemLcid);
