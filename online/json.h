#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The tree the server's answers are parsed into. A node owns its payload; the
// caller of JsonParse owns the root.
class JSONValue;

// Elements in document order.
using JSONArray = std::vector<std::unique_ptr<JSONValue>>;
// Members sorted by key, ordinal over UTF-16 code units; keys are unique.
using JSONObject = std::map<std::u16string, std::unique_ptr<JSONValue>, std::less<>>;

enum class JsonKind : std::int32_t {
  kNull = 0,
  kString = 1,
  kBoolean = 2,
  kNumber = 3,
  kArray = 4,
  kObject = 5,
};

class JSONValue {
 public:
  JSONValue() = default;  // null
  explicit JSONValue(std::u16string text) : payload_(std::move(text)) {}
  explicit JSONValue(bool flag) : payload_(flag) {}
  explicit JSONValue(double number) : payload_(number) {}
  explicit JSONValue(JSONArray elements) : payload_(std::move(elements)) {}
  explicit JSONValue(JSONObject members) : payload_(std::move(members)) {}

  JsonKind Kind() const { return static_cast<JsonKind>(payload_.index()); }
  bool IsNull() const { return Kind() == JsonKind::kNull; }
  bool IsString() const { return Kind() == JsonKind::kString; }
  bool IsBoolean() const { return Kind() == JsonKind::kBoolean; }
  bool IsNumber() const { return Kind() == JsonKind::kNumber; }
  bool IsArray() const { return Kind() == JsonKind::kArray; }
  bool IsObject() const { return Kind() == JsonKind::kObject; }

  // Each accessor is meant for its own kind; on another kind it gives an
  // empty text, false, 0, an empty sequence or an empty map.
  const std::u16string& AsString() const;
  bool AsBoolean() const;
  double AsNumber() const;
  const JSONArray& AsArray() const;
  const JSONObject& AsObject() const;

 private:
  // Alternatives in the order of JsonKind.
  std::variant<std::monostate, std::u16string, bool, double, JSONArray, JSONObject> payload_;
};

// Documents nested deeper than this are refused, so a hostile answer cannot
// exhaust the stack; real answers are two levels deep.
inline constexpr int kJsonMaxDepth = 512;

// Parses NUL-terminated UTF-16 text. None on any syntax error, on empty or blank
// text, when anything but whitespace follows the value, and above kJsonMaxDepth.
std::unique_ptr<JSONValue> JsonParse(const char16_t* text);

// The member `key` of `object` as bytes (the low byte of each UTF-16 unit) when
// it is a string; empty when missing or of another kind.
std::string StringField(const JSONObject& object, std::u16string_view key);
