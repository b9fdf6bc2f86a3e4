#include "online/update_record.h"

#include <algorithm>
#include <limits>

#include "online/remote_api.h"

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Characters that end or escape a quoted path in either script flavour, or
// that name a drive; control characters would split a script line.
bool BreaksScript(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x20 || byte == 0x7F) return true;
  switch (c) {
    case '\'':
    case '"':
    case '%':
    case '`':
    case '$':
    case '\\':
    case ':':
      return true;
    default:
      return false;
  }
}

// What name and dst must both avoid.
RecordProblem PathProblem(std::string_view text) {
  if (text.starts_with('/')) return RecordProblem::kAbsolutePath;
  if (text.find("..") != std::string_view::npos) return RecordProblem::kParentLevel;
  for (const char c : text) {
    if (BreaksScript(c)) return RecordProblem::kScriptCharacters;
  }
  return RecordProblem::kNone;
}

bool SafeName(std::string_view name) {
  return !name.empty() && name != "." && name.find('/') == std::string_view::npos;
}

// Every level must be a name: no empty level from a doubled or trailing '/'.
bool SafeDst(std::string_view dst) {
  if (dst.empty()) return true;
  std::size_t start = 0;
  while (start <= dst.size()) {
    const std::size_t end = std::min(dst.find('/', start), dst.size());
    if (end == start) return false;
    start = end + 1;
  }
  return true;
}

bool PlainId(std::string_view id) {
  if (id.empty()) return false;
  for (const char c : id) {
    const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                       c == '_' || c == '-';
    if (!plain) return false;
  }
  return true;
}

}  // namespace

std::int64_t DecimalValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max();
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    if (value > (kLimit - digit) / 10) {
      value = kLimit;
      break;
    }
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

UpdateFileRecord ReadFileRecord(const JSONObject& object) {
  UpdateFileRecord record;
  record.id = StringField(object, u"id");
  record.name = StringField(object, u"name");
  record.dst = StringField(object, u"dst");
  record.size = DecimalValue(StringField(object, u"size"));
  record.crc = static_cast<std::uint32_t>(
      static_cast<std::uint64_t>(DecimalValue(StringField(object, u"crc"))) & 0xFFFFFFFFu);
  return record;
}

RecordProblem CheckRecord(const UpdateFileRecord& record, std::string_view mainDatabase,
                          std::string_view clientId, std::string_view finger,
                          std::string_view reserved) {
  for (const std::string_view text :
       {std::string_view(record.name), std::string_view(record.dst)}) {
    const RecordProblem problem = PathProblem(text);
    if (problem != RecordProblem::kNone) return problem;
  }
  if (record.dst.empty() && record.name == reserved) return RecordProblem::kInstallerName;
  if (!SafeName(record.name)) return RecordProblem::kUnsafeName;
  if (!SafeDst(record.dst)) return RecordProblem::kUnsafeDst;
  if (LocalPath(record).native().size() >= kLocalPathBytes ||
      TemporaryPath(record).native().size() >= kTemporaryNameBytes)
    return record.dst.size() > record.name.size() ? RecordProblem::kUnsafeDst
                                                  : RecordProblem::kUnsafeName;
  if (record.size < 0 || record.size > kMaxUpdateFileBytes) return RecordProblem::kBadSize;
  // The id goes into the query unquoted; the longest request of the file
  // (its last byte, the whole file at once) must fit the query's buffer.
  const auto widest = static_cast<std::int32_t>(kMaxUpdateFileBytes);
  if (!PlainId(record.id) ||
      FileChunkQuery(mainDatabase, clientId, finger, record.id, widest, widest).size() >=
          kChunkQueryBytes)
    return RecordProblem::kBadId;
  return RecordProblem::kNone;
}

std::filesystem::path LocalPath(const UpdateFileRecord& record) {
  return std::filesystem::path("./" + record.dst + "/" + record.name);
}

std::filesystem::path TemporaryPath(const UpdateFileRecord& record) {
  if (record.dst.empty()) return std::filesystem::path(record.name + "_u");
  return std::filesystem::path("./" + record.dst + "/" + record.name + "_u");
}
