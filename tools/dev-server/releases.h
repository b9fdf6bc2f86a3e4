#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

// A folder of releases the development server answers from:
//
//   <root>/<project number>/project.txt      key=value lines: database, name,
//                                            long_name, description, logo, current
//   <root>/<project number>/<version>/manifest.txt
//                                            one line per file: <id> <dst> <name>
//                                            ("." as dst for the program folder)
//   <root>/<project number>/<version>/<dst>/<name>
//
// The project's current version is "current" when given, else the highest
// version folder (digit runs compared as numbers, so v.0.9 < v.0.10). File ids
// are whole numbers unique in the whole folder, because fetch_file names a file
// by its id alone. Lines starting with '#' and blank lines are skipped.
namespace devserver {

struct ReleaseFile {
  std::string id;
  std::string dst;  // empty for the program folder
  std::string name;
  std::filesystem::path path;
};

struct Project {
  std::string number;  // the folder name
  std::string database;
  std::string name;
  std::string longName;
  std::string description;
  std::string logo;
  std::string current;
  std::map<std::string, std::vector<ReleaseFile>> versions;  // by version text
};

class Releases {
 public:
  // Reads and checks the folder; nullopt with `error` set when it is not well formed.
  static std::optional<Releases> Load(const std::filesystem::path& root, std::string& error);

  const std::map<std::string, Project>& Projects() const { return projects_; }
  // The projects whose database is `database`.
  std::vector<const Project*> ForDatabase(const std::string& database) const;
  // The files of one version; the version matched exactly, else ignoring case.
  const std::vector<ReleaseFile>* Files(const std::string& project,
                                        const std::string& version) const;
  const ReleaseFile* FileById(const std::string& id) const;

 private:
  std::map<std::string, Project> projects_;
  std::map<std::string, ReleaseFile> filesById_;
};

// Orders version texts by their digit runs as numbers, the rest as text.
bool VersionLess(const std::string& a, const std::string& b);

// The whole content of a file, or nullopt.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);
// At most `length` bytes of `path` from byte `start` (empty past the end):
// a chunk costs its own size, not the file's.
std::optional<std::string> ReadFileRange(const std::filesystem::path& path,
                                         unsigned long long start, unsigned long long length);

}  // namespace devserver
