#pragma once

#include <filesystem>
#include <string>

// A fresh temporary folder that is the working directory for the object's
// life; the previous working directory comes back and the folder is removed.
class WorkingFolder {
 public:
  WorkingFolder();
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
// Runs SQL against an SQLite file outside the archive's own code.
void RunSql(const std::filesystem::path& file, const char* sql);
