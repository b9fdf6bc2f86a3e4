#include "procedure_call.h"

#include <cctype>

namespace devserver {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  return text;
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool IsName(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (!IsNameChar(c)) return false;
  }
  return true;
}

// Splits "a, 'b, c', 3" at the commas outside single quotes.
std::optional<std::vector<std::string>> SplitArguments(std::string_view list) {
  std::vector<std::string> args;
  if (Trim(list).empty()) return args;
  for (;;) {
    list = Trim(list);
    std::string value;
    if (!list.empty() && list.front() == '\'') {
      const auto close = list.find('\'', 1);
      if (close == std::string_view::npos) return std::nullopt;
      value = std::string(list.substr(1, close - 1));
      list = Trim(list.substr(close + 1));
    } else {
      const auto comma = list.find(',');
      value = std::string(Trim(list.substr(0, comma)));
      list = comma == std::string_view::npos ? std::string_view() : list.substr(comma);
    }
    args.push_back(std::move(value));
    if (list.empty()) return args;
    if (list.front() != ',') return std::nullopt;
    list.remove_prefix(1);
  }
}

}  // namespace

std::optional<FormBody> ParseFormBody(std::string_view body) {
  static constexpr std::string_view kMarks[] = {
      "host=", "&username=", "&password=", "&database=", "&query="};
  if (!body.starts_with(kMarks[0])) return std::nullopt;
  std::string values[5];
  std::size_t at = kMarks[0].size();
  for (int field = 0; field < 5; ++field) {
    if (field == 4) {
      values[field] = std::string(body.substr(at));
      break;
    }
    const auto next = body.find(kMarks[field + 1], at);
    if (next == std::string_view::npos) return std::nullopt;
    values[field] = std::string(body.substr(at, next - at));
    at = next + kMarks[field + 1].size();
  }
  return FormBody{values[0], values[1], values[2], values[3], values[4]};
}

std::optional<ProcedureCall> ParseCall(std::string_view query) {
  query = Trim(query);
  if (!query.starts_with("call ")) return std::nullopt;
  query = Trim(query.substr(5));
  if (query.ends_with(';')) query = Trim(query.substr(0, query.size() - 1));
  const auto open = query.find('(');
  if (open == std::string_view::npos || !query.ends_with(')')) return std::nullopt;

  ProcedureCall call;
  const std::string_view qualified = Trim(query.substr(0, open));
  const auto dot = qualified.find('.');
  if (dot != std::string_view::npos) {
    call.database = std::string(qualified.substr(0, dot));
    call.name = std::string(qualified.substr(dot + 1));
    if (!IsName(call.database)) return std::nullopt;
  } else {
    call.name = std::string(qualified);
  }
  if (!IsName(call.name)) return std::nullopt;

  auto args = SplitArguments(query.substr(open + 1, query.size() - open - 2));
  if (!args) return std::nullopt;
  call.args = std::move(*args);
  return call;
}

}  // namespace devserver
