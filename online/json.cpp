#include "online/json.h"

#include <cmath>

namespace {

template <typename T>
const T& Empty() {
  static const T value{};
  return value;
}

bool IsWhitespace(char16_t c) { return c == u'\t' || c == u'\n' || c == u'\r' || c == u' '; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Recursive descent over NUL-terminated text. Every failure returns nullptr;
// what was built so far is owned by unique_ptrs and goes with the unwinding.
class Parser {
 public:
  explicit Parser(const char16_t* text) : p_(text) {}

  std::unique_ptr<JSONValue> Document() {
    if (!SkipWhitespace()) return nullptr;
    auto value = Value();
    if (!value || SkipWhitespace()) return nullptr;
    return value;
  }

 private:
  // Advances over whitespace; true when a character other than NUL follows.
  bool SkipWhitespace() {
    while (IsWhitespace(*p_)) ++p_;
    return *p_ != u'\0';
  }

  // True when the next characters spell `word` ignoring ASCII case. The NUL
  // terminator never matches a letter, so this never reads past the end.
  bool StartsWithIgnoringCase(std::u16string_view word) const {
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (p_[i] == u'\0' || LowerAscii(p_[i]) != word[i]) return false;
    }
    return true;
  }

  std::unique_ptr<JSONValue> Value() {
    const char16_t c = *p_;
    if (c == u'"') {
      ++p_;
      std::u16string text;
      if (!String(text)) return nullptr;
      return std::make_unique<JSONValue>(std::move(text));
    }
    if (StartsWithIgnoringCase(u"true") || StartsWithIgnoringCase(u"false")) {
      const bool flag = StartsWithIgnoringCase(u"true");
      p_ += flag ? 4 : 5;
      return std::make_unique<JSONValue>(flag);
    }
    if (StartsWithIgnoringCase(u"null")) {
      p_ += 4;
      return std::make_unique<JSONValue>();
    }
    if (c == u'-' || IsDigit(c)) return Number();
    if (c == u'{' || c == u'[') {
      if (depth_ == kJsonMaxDepth) return nullptr;
      ++depth_;
      ++p_;
      auto container = c == u'{' ? Object() : Array();
      --depth_;
      return container;
    }
    return nullptr;
  }

  // A run of digits as the integer part reads it: a lone 0, or 1-9 and more
  // digits. False when no digit starts it.
  bool IntegerPart(double& value) {
    if (*p_ == u'0') {
      ++p_;
      value = 0;
      return true;
    }
    if (*p_ < u'1' || *p_ > u'9') return false;
    value = 0;
    while (IsDigit(*p_)) value = value * 10 + (*p_++ - u'0');
    return true;
  }

  std::unique_ptr<JSONValue> Number() {
    const bool negative = *p_ == u'-';
    if (negative) ++p_;
    double value = 0;
    if (!IntegerPart(value)) return nullptr;

    if (*p_ == u'.') {
      ++p_;
      if (!IsDigit(*p_)) return nullptr;
      double factor = 0.1;
      while (IsDigit(*p_)) {
        value += (*p_++ - u'0') * factor;
        factor *= 0.1;
      }
    }

    if (*p_ == u'e' || *p_ == u'E') {
      ++p_;
      bool down = false;
      if (*p_ == u'+' || *p_ == u'-') down = *p_++ == u'-';
      double exponent = 0;
      if (!IntegerPart(exponent)) return nullptr;
      // One multiplication per unit of the exponent. Once the value is 0 or
      // infinite more steps cannot change it, which bounds a hostile "1e999999999".
      for (double step = 0; step < exponent && value != 0 && std::isfinite(value); ++step) {
        value *= down ? 0.1 : 10;
      }
    }

    if (negative) value *= -1;
    return std::make_unique<JSONValue>(value);
  }

  // The rest of a string after its opening quote, into `text`.
  bool String(std::u16string& text) {
    text.clear();
    for (;;) {
      char16_t c = *p_;
      if (c == u'\0') return false;
      if (c == u'"') {
        ++p_;
        return true;
      }
      if (c == u'\\') {
        ++p_;
        switch (*p_) {
          case u'"':
            c = u'"';
            break;
          case u'/':
            c = u'/';
            break;
          case u'\\':
            c = u'\\';
            break;
          case u'b':
            c = 0x08;
            break;
          case u'f':
            c = 0x0C;
            break;
          case u'n':
            c = 0x0A;
            break;
          case u'r':
            c = 0x0D;
            break;
          case u't':
            c = 0x09;
            break;
          case u'u': {
            // Four hex digits give one unit; a surrogate pair stays two escapes.
            unsigned unit = 0;
            for (int i = 1; i <= 4; ++i) {
              const int digit = p_[i] == u'\0' ? -1 : HexDigit(p_[i]);
              if (digit < 0) return false;
              unit = unit * 16 + static_cast<unsigned>(digit);
            }
            p_ += 4;
            c = static_cast<char16_t>(unit);
            break;
          }
          default:
            return false;  // NUL included
        }
      } else if (c < 0x20 && c != u'\t') {
        return false;
      }
      text.push_back(c);
      ++p_;
    }
  }

  std::unique_ptr<JSONValue> Object() {
    JSONObject members;
    while (*p_ != u'\0') {
      if (!SkipWhitespace()) return nullptr;
      if (members.empty() && *p_ == u'}') {
        ++p_;
        return std::make_unique<JSONValue>(std::move(members));
      }
      // The key's opening character is taken without looking at it.
      ++p_;
      std::u16string key;
      if (!String(key)) return nullptr;
      if (!SkipWhitespace() || *p_++ != u':') return nullptr;
      if (!SkipWhitespace()) return nullptr;
      auto value = Value();
      if (!value) return nullptr;
      members.insert_or_assign(std::move(key), std::move(value));  // the last duplicate wins
      if (!SkipWhitespace()) return nullptr;
      const char16_t next = *p_++;
      if (next == u'}') return std::make_unique<JSONValue>(std::move(members));
      if (next != u',') return nullptr;
    }
    return nullptr;
  }

  std::unique_ptr<JSONValue> Array() {
    JSONArray elements;
    while (*p_ != u'\0') {
      if (!SkipWhitespace()) return nullptr;
      if (elements.empty() && *p_ == u']') {
        ++p_;
        return std::make_unique<JSONValue>(std::move(elements));
      }
      auto value = Value();
      if (!value) return nullptr;
      elements.push_back(std::move(value));
      if (!SkipWhitespace()) return nullptr;
      const char16_t next = *p_++;
      if (next == u']') return std::make_unique<JSONValue>(std::move(elements));
      if (next != u',') return nullptr;
    }
    return nullptr;
  }

  const char16_t* p_;
  int depth_ = 0;
};

}  // namespace

const std::u16string& JSONValue::AsString() const {
  const auto* text = std::get_if<std::u16string>(&payload_);
  return text != nullptr ? *text : Empty<std::u16string>();
}

bool JSONValue::AsBoolean() const {
  const auto* flag = std::get_if<bool>(&payload_);
  return flag != nullptr && *flag;
}

double JSONValue::AsNumber() const {
  const auto* number = std::get_if<double>(&payload_);
  return number != nullptr ? *number : 0.0;
}

const JSONArray& JSONValue::AsArray() const {
  const auto* elements = std::get_if<JSONArray>(&payload_);
  return elements != nullptr ? *elements : Empty<JSONArray>();
}

const JSONObject& JSONValue::AsObject() const {
  const auto* members = std::get_if<JSONObject>(&payload_);
  return members != nullptr ? *members : Empty<JSONObject>();
}

std::unique_ptr<JSONValue> JsonParse(const char16_t* text) {
  if (text == nullptr) return nullptr;
  return Parser(text).Document();
}

std::string StringField(const JSONObject& object, std::u16string_view key) {
  const auto member = object.find(key);
  if (member == object.end() || !member->second || !member->second->IsString()) return {};
  const std::u16string& text = member->second->AsString();
  std::string bytes(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<char>(text[i] & 0xFF);
  return bytes;
}
