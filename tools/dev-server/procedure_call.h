#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace devserver {

// The fields of the program's form body. Nothing in it is encoded, so the
// fields are found by their fixed order and names; the query is the rest.
struct FormBody {
  std::string host;
  std::string username;
  std::string password;
  std::string database;
  std::string query;
};

std::optional<FormBody> ParseFormBody(std::string_view body);

// "call [database.]name(arg, 'arg', …);" with its arguments unquoted.
struct ProcedureCall {
  std::string database;  // empty when the name is not qualified
  std::string name;
  std::vector<std::string> args;
};

std::optional<ProcedureCall> ParseCall(std::string_view query);

}  // namespace devserver
