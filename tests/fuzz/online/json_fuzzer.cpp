// JsonParse on hostile answers. The first byte picks how the rest is read:
// even - answer bytes widened as the program widens them; odd - raw UTF-16 units.
// A parsed tree is written back out and parsed again: the second tree must
// equal the first (numbers by kind only: the parser's own arithmetic is not
// meant to round-trip every double).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "online/json.h"
#include "online/wide_text.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "json_fuzzer: %s\n", what);
    std::abort();
  }
}

void Write(const JSONValue& value, std::u16string& out, int depth, int& maxDepth) {
  static constexpr char16_t kHex[] = u"0123456789abcdef";
  const auto text = [&out](const std::u16string& s) {
    out += u'"';
    for (const char16_t c : s) {
      out += u"\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
    }
    out += u'"';
  };
  switch (value.Kind()) {
    case JsonKind::kNull:
      out += u"null";
      break;
    case JsonKind::kBoolean:
      out += value.AsBoolean() ? u"true" : u"false";
      break;
    case JsonKind::kNumber:
      out += u"0";
      break;
    case JsonKind::kString:
      text(value.AsString());
      break;
    case JsonKind::kArray: {
      if (depth + 1 > maxDepth) maxDepth = depth + 1;
      out += u'[';
      bool first = true;
      for (const auto& element : value.AsArray()) {
        if (!first) out += u',';
        first = false;
        Write(*element, out, depth + 1, maxDepth);
      }
      out += u']';
      break;
    }
    case JsonKind::kObject: {
      if (depth + 1 > maxDepth) maxDepth = depth + 1;
      out += u'{';
      bool first = true;
      for (const auto& [key, member] : value.AsObject()) {
        if (!first) out += u',';
        first = false;
        text(key);
        out += u':';
        Write(*member, out, depth + 1, maxDepth);
        // Narrowing never fails, whatever the member holds.
        (void)StringField(value.AsObject(), key);
      }
      out += u'}';
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::u16string text;
  if ((data[0] & 1) == 0) {
    text = WidenBytes(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  } else {
    for (std::size_t i = 1; i + 1 < size; i += 2) {
      text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
  }
  const auto root = JsonParse(text.c_str());
  if (!root) return 0;

  std::u16string written;
  int depth = 0;
  Write(*root, written, 0, depth);
  Check(depth <= kJsonMaxDepth, "a tree deeper than the limit was accepted");
  const auto again = JsonParse(written.c_str());
  Check(again != nullptr, "a written-out tree did not parse");
  std::u16string rewritten;
  int depthAgain = 0;
  Write(*again, rewritten, 0, depthAgain);
  Check(rewritten == written, "the tree changed through writing and parsing");
  return 0;
}
