#include "releases.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace devserver {

namespace fs = std::filesystem;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool SafeName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\") == std::string::npos;
}

bool SafeDst(const std::string& dst) {
  if (dst.empty()) return true;
  if (dst.front() == '/' || dst.find('\\') != std::string::npos) return false;
  std::stringstream parts(dst);
  std::string part;
  while (std::getline(parts, part, '/')) {
    if (!SafeName(part)) return false;
  }
  return true;
}

bool IsWholeNumber(const std::string& text) {
  return !text.empty() && text.size() < 10 && std::all_of(text.begin(), text.end(), IsDigit);
}

std::vector<std::string> ContentLines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  std::string line;
  while (std::getline(stream, line)) {
    line = Trimmed(line);
    if (!line.empty() && line.front() != '#') lines.push_back(line);
  }
  return lines;
}

bool LoadProjectText(const fs::path& file, Project& project, std::string& error) {
  const auto text = ReadWholeFile(file);
  if (!text) {
    error = "cannot read " + file.string();
    return false;
  }
  for (const std::string& line : ContentLines(*text)) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) {
      error = file.string() + ": not key=value: " + line;
      return false;
    }
    const std::string key = Trimmed(line.substr(0, equals));
    const std::string value = Trimmed(line.substr(equals + 1));
    if (key == "database")
      project.database = value;
    else if (key == "name")
      project.name = value;
    else if (key == "long_name")
      project.longName = value;
    else if (key == "description")
      project.description = value;
    else if (key == "logo")
      project.logo = value;
    else if (key == "current")
      project.current = value;
    else {
      error = file.string() + ": unknown key " + key;
      return false;
    }
  }
  return true;
}

bool LoadManifest(const fs::path& folder, std::vector<ReleaseFile>& files, std::string& error) {
  const fs::path manifest = folder / "manifest.txt";
  const auto text = ReadWholeFile(manifest);
  if (!text) {
    error = "cannot read " + manifest.string();
    return false;
  }
  for (const std::string& line : ContentLines(*text)) {
    std::stringstream fields(line);
    ReleaseFile file;
    std::string extra;
    if (!(fields >> file.id >> file.dst >> file.name) || (fields >> extra)) {
      error = manifest.string() + ": expected \"<id> <dst> <name>\": " + line;
      return false;
    }
    if (file.dst == ".") file.dst.clear();
    if (!IsWholeNumber(file.id) || !SafeDst(file.dst) || !SafeName(file.name)) {
      error = manifest.string() + ": bad id, dst or name: " + line;
      return false;
    }
    file.path = folder / file.dst / file.name;
    if (!fs::is_regular_file(file.path)) {
      error = "missing release file " + file.path.string();
      return false;
    }
    files.push_back(std::move(file));
  }
  return true;
}

}  // namespace

bool VersionLess(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      const std::size_t iStart = i;
      const std::size_t jStart = j;
      while (i < a.size() && IsDigit(a[i])) ++i;
      while (j < b.size() && IsDigit(b[j])) ++j;
      // Compare the runs as numbers: without leading zeros, the longer is larger.
      std::string_view x(a.data() + iStart, i - iStart);
      std::string_view y(b.data() + jStart, j - jStart);
      while (x.size() > 1 && x.front() == '0') x.remove_prefix(1);
      while (y.size() > 1 && y.front() == '0') y.remove_prefix(1);
      if (x.size() != y.size()) return x.size() < y.size();
      if (x != y) return x < y;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return a.size() - i < b.size() - j;
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return content.str();
}

std::optional<std::string> ReadFileRange(const fs::path& path, unsigned long long start,
                                         unsigned long long length) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::error_code code;
  const auto size = fs::file_size(path, code);
  if (code) return std::nullopt;
  if (start >= size) return std::string();
  std::string bytes(static_cast<std::size_t>(std::min<unsigned long long>(length, size - start)),
                    '\0');
  file.seekg(static_cast<std::streamoff>(start));
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) return std::nullopt;
  return bytes;
}

std::optional<Releases> Releases::Load(const fs::path& root, std::string& error) {
  std::error_code code;
  if (!fs::is_directory(root, code)) {
    error = "no releases folder " + root.string();
    return std::nullopt;
  }
  Releases releases;
  for (const auto& entry : fs::directory_iterator(root, code)) {
    if (!entry.is_directory()) continue;
    Project project;
    project.number = entry.path().filename().string();
    if (!LoadProjectText(entry.path() / "project.txt", project, error)) return std::nullopt;
    for (const auto& version : fs::directory_iterator(entry.path(), code)) {
      if (!version.is_directory()) continue;
      std::vector<ReleaseFile> files;
      if (!LoadManifest(version.path(), files, error)) return std::nullopt;
      for (const ReleaseFile& file : files) {
        if (!releases.filesById_.emplace(file.id, file).second) {
          error = "file id " + file.id + " used twice";
          return std::nullopt;
        }
      }
      project.versions.emplace(version.path().filename().string(), std::move(files));
    }
    if (project.current.empty()) {
      for (const auto& [version, files] : project.versions) {
        if (project.current.empty() || VersionLess(project.current, version)) {
          project.current = version;
        }
      }
    } else if (!project.versions.contains(project.current)) {
      error = "project " + project.number + ": no folder for current version " + project.current;
      return std::nullopt;
    }
    releases.projects_.emplace(project.number, std::move(project));
  }
  if (code) {
    error = "cannot list " + root.string() + ": " + code.message();
    return std::nullopt;
  }
  return releases;
}

std::vector<const Project*> Releases::ForDatabase(const std::string& database) const {
  std::vector<const Project*> found;
  for (const auto& [number, project] : projects_) {
    if (project.database == database) found.push_back(&project);
  }
  return found;
}

const std::vector<ReleaseFile>* Releases::Files(const std::string& project,
                                                const std::string& version) const {
  const auto found = projects_.find(project);
  if (found == projects_.end()) return nullptr;
  const auto& versions = found->second.versions;
  if (const auto exact = versions.find(version); exact != versions.end()) return &exact->second;
  const auto lower = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  for (const auto& [name, files] : versions) {
    if (lower(name) == lower(version)) return &files;
  }
  return nullptr;
}

const ReleaseFile* Releases::FileById(const std::string& id) const {
  const auto found = filesById_.find(id);
  return found != filesById_.end() ? &found->second : nullptr;
}

}  // namespace devserver
