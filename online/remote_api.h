#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "online/http_client.h"
#include "online/json.h"

class BrandProfile;

// The remote account and endpoint of every call, copied from the brand
// profile. Tests point restHost at a server on the loopback.
struct RemoteAccount {
  std::string dbHost;
  std::string dbUser;
  std::string dbPassword;
  std::string mainDatabase;
  std::string restHost;  // "name" or "name:port"
  std::string restPath;
  std::int32_t projectNumber = 0;

  static RemoteAccount FromProfile(const BrandProfile& profile);
};

// The form body of one call, NUL included, must fit this buffer.
inline constexpr std::size_t kProcedureBodyBytes = 1500;

struct ProcedureAnswer {
  int result = 0;     // HttpPost's result; kHttpRequestTooLong when the body did not fit
  std::string bytes;  // the answer body; empty means no answer
};

// "host=…&username=…&password=…&database=…&query=…", nothing encoded or
// escaped. False (and `body` untouched) when it would not fit kProcedureBodyBytes.
bool FormatProcedureBody(const RemoteAccount& account, std::string_view query, std::string& body);

// Sends one query to the REST endpoint. A body that would not fit is not sent.
// `options` may bound the call by a deadline; their port is not used.
ProcedureAnswer CallProcedure(const RemoteAccount& account, std::string_view query,
                              const HttpOptions& options = {});
ProcedureAnswer CallProcedure(const BrandProfile& profile, std::string_view query);

// The four query texts. Values go in as they are: quotes inside them are not
// escaped, and, as in a C format, a value ends at its first NUL byte.
std::string IdentifyQuery();
std::string ProjectInfoQuery(std::string_view id, std::string_view finger,
                             std::string_view databaseName);
std::string FileListQuery(std::string_view mainDatabase, std::string_view id,
                          std::string_view finger, std::int32_t projectNumber,
                          std::string_view newVersion);
std::string FileChunkQuery(std::string_view mainDatabase, std::string_view id,
                           std::string_view finger, std::string_view fileId, std::int32_t position,
                           std::int32_t count);

// An answer parsed for its records: usable when it is a JSON array; each
// element that is an object is one record, other elements are skipped.
class RemoteRecords {
 public:
  static RemoteRecords Parse(std::string_view answer);

  bool Usable() const { return root_ != nullptr && root_->IsArray(); }
  const std::vector<const JSONObject*>& Records() const { return records_; }

 private:
  std::unique_ptr<JSONValue> root_;
  std::vector<const JSONObject*> records_;  // into root_'s heap nodes
};
