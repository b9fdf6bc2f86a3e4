#include "desk.h"

#include <charconv>

#include "codec.h"

namespace devserver {

namespace {

std::optional<long long> WholeNumber(const std::string& text) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool KnownClient(const Clients& clients, const std::string& id, const std::string& finger) {
  const auto number = WholeNumber(id);
  return number && *number >= 1 && *number <= clients.records && finger == clients.finger;
}

}  // namespace

std::optional<std::string> Desk::Answer(const ProcedureCall& call, const Clients& clients,
                                        std::string_view peer, bool corruptChunk) const {
  return Answer(call, clients, peer, corruptChunk ? Twist::kCorruptChunk : Twist::kNone);
}

std::optional<std::string> Desk::Answer(const ProcedureCall& call, const Clients& clients,
                                        std::string_view peer, Twist twist,
                                        std::string_view unsafeName) const {
  const auto& args = call.args;
  if (call.name == "identify") {
    if (!args.empty()) return std::nullopt;
    return Identify(clients, peer);
  }
  if (call.name == "get_project_info") {
    if (args.size() != 3) return std::nullopt;
    return KnownClient(clients, args[0], args[1]) ? ProjectInfo(args[2]) : "[]";
  }
  if (call.name == "get_project_pack") {
    if (args.size() != 4) return std::nullopt;
    return KnownClient(clients, args[0], args[1])
               ? ProjectPack(args[2], args[3], twist == Twist::kUnsafeRecord ? unsafeName : "")
               : "[]";
  }
  if (call.name == "fetch_file") {
    if (args.size() != 5) return std::nullopt;
    return KnownClient(clients, args[0], args[1]) ? FetchFile(args[2], args[3], args[4], twist)
                                                  : "[]";
  }
  return std::nullopt;
}

std::string Desk::Identify(const Clients& clients, std::string_view peer) const {
  std::vector<JsonRecord> records;
  for (int id = 1; id <= clients.records; ++id) {
    records.push_back({{"id", std::to_string(id)},
                       {"finger", clients.finger},
                       {"name", "keldar development server"},
                       {"host", std::string(peer)}});
  }
  return JsonRecords(records);
}

std::string Desk::ProjectInfo(const std::string& database) const {
  std::vector<JsonRecord> records;
  for (const Project* project : releases_.ForDatabase(database)) {
    records.push_back({{"project_id", project->number},
                       {"project_name", project->name},
                       {"project_long_name", project->longName},
                       {"description", project->description},
                       {"project_version", project->current},
                       {"logo", project->logo}});
  }
  return JsonRecords(records);
}

std::string Desk::ProjectPack(const std::string& project, const std::string& version,
                              std::string_view unsafeName) const {
  const auto* files = releases_.Files(project, version);
  if (files == nullptr) return "[]";
  std::vector<JsonRecord> records;
  for (const ReleaseFile& file : *files) {
    const auto content = ReadWholeFile(file.path);
    if (!content) continue;
    records.push_back({{"id", file.id},
                       {"name", file.name},
                       {"dst", file.dst},
                       {"size", std::to_string(content->size())},
                       {"crc", std::to_string(Crc32(*content))}});
  }
  if (!unsafeName.empty())
    records.push_back({{"id", "999"},
                       {"name", std::string(unsafeName)},
                       {"dst", ""},
                       {"size", "1"},
                       {"crc", "0"}});
  return JsonRecords(records);
}

std::string Desk::FetchFile(const std::string& fileId, const std::string& position,
                            const std::string& count, Twist twist) const {
  const ReleaseFile* file = releases_.FileById(fileId);
  const auto first = WholeNumber(position);
  const auto length = WholeNumber(count);
  if (file == nullptr || !first || !length || *first < 1 || *length < 0) return "[]";
  // Positions count from 1; a chunk past the end is empty.
  auto bytes = ReadFileRange(file->path, static_cast<unsigned long long>(*first - 1),
                             static_cast<unsigned long long>(*length));
  if (!bytes) return "[]";
  if (twist == Twist::kCorruptChunk && !bytes->empty())
    (*bytes)[0] = static_cast<char>((*bytes)[0] ^ 0x5A);
  if (twist == Twist::kOversizeChunk) {
    const auto content = ReadWholeFile(file->path);
    if (content) *bytes += *content;
  }
  return JsonRecords({{{"file", Base64Encode(*bytes)}}});
}

}  // namespace devserver
