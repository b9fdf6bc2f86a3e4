#include "online/remote_api.h"

#include "base/core/brand_profile.h"
#include "online/wide_text.h"

namespace {

// A value as "%s" would insert it: up to its first NUL.
std::string_view AsC(std::string_view value) { return value.substr(0, value.find('\0')); }

std::string Concat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const auto part : parts) text.append(part);
  return text;
}

}  // namespace

RemoteAccount RemoteAccount::FromProfile(const BrandProfile& profile) {
  return RemoteAccount{std::string(profile.DbHost()),
                       std::string(profile.DbUser()),
                       std::string(profile.DbPassword()),
                       std::string(profile.MainDatabase()),
                       std::string(profile.RestHost()),
                       std::string(profile.RestPath()),
                       profile.ProjectNumber()};
}

bool FormatProcedureBody(const RemoteAccount& account, std::string_view query, std::string& body) {
  std::string text = Concat({"host=", AsC(account.dbHost), "&username=", AsC(account.dbUser),
                             "&password=", AsC(account.dbPassword),
                             "&database=", AsC(account.mainDatabase), "&query=", AsC(query)});
  if (text.size() >= kProcedureBodyBytes) return false;
  body = std::move(text);
  return true;
}

ProcedureAnswer CallProcedure(const RemoteAccount& account, std::string_view query,
                              const HttpOptions& options) {
  ProcedureAnswer answer;
  std::string body;
  if (!FormatProcedureBody(account, query, body)) {
    answer.result = kHttpRequestTooLong;
    return answer;
  }
  const std::string host(AsC(account.restHost));
  const std::string path(AsC(account.restPath));
  HttpOptions call = options;
  call.defaultPort = kHttpDefaultPort;
  answer.result = HttpPost(host.c_str(), path.c_str(), body.c_str(), answer.bytes, call);
  return answer;
}

ProcedureAnswer CallProcedure(const BrandProfile& profile, std::string_view query) {
  return CallProcedure(RemoteAccount::FromProfile(profile), query);
}

std::string IdentifyQuery() { return "call identify();"; }

std::string ProjectInfoQuery(std::string_view id, std::string_view finger,
                             std::string_view databaseName) {
  return Concat({"call krv_main.get_project_info(", AsC(id), ", '", AsC(finger), "', '",
                 AsC(databaseName), "');"});
}

std::string FileListQuery(std::string_view mainDatabase, std::string_view id,
                          std::string_view finger, std::int32_t projectNumber,
                          std::string_view newVersion) {
  return Concat({"call ", AsC(mainDatabase), ".get_project_pack(", AsC(id), ", '", AsC(finger),
                 "', '", std::to_string(projectNumber), "', '", AsC(newVersion), "');"});
}

std::string FileChunkQuery(std::string_view mainDatabase, std::string_view id,
                           std::string_view finger, std::string_view fileId, std::int32_t position,
                           std::int32_t count) {
  return Concat({"call ", AsC(mainDatabase), ".fetch_file(", AsC(id), ", '", AsC(finger), "', ",
                 AsC(fileId), ", ", std::to_string(position), ", ", std::to_string(count), ");"});
}

RemoteRecords RemoteRecords::Parse(std::string_view answer) {
  RemoteRecords parsed;
  if (answer.empty()) return parsed;
  const std::u16string text = WidenBytes(answer);
  parsed.root_ = JsonParse(text.c_str());
  if (!parsed.Usable()) return parsed;
  for (const auto& element : parsed.root_->AsArray()) {
    if (element->IsObject()) parsed.records_.push_back(&element->AsObject());
  }
  return parsed;
}
