// The program's own files, read as a support engineer reads them.
#pragma once

#include <string>
#include <vector>

// One column of every row `sql` gives on the SQLite file `database`; a
// database that cannot be read gives no rows and sets `error`.
std::vector<std::string> QueryColumn(const std::string& database, const std::string& sql,
                                     std::string* error = nullptr);
// The phrase of `key` in language `language` (1 English, 2 Russian, 3 Ukrainian).
std::string Phrase(const std::string& workingFolder, const std::string& key, int language);
// config.ini as the program writes it (CR LF lines).
std::string SettingsFile(int language, int baud = 2400);
