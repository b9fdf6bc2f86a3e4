// What every command that prints data shares: text or a table for people by
// default, one JSON document on standard output with --json.
#pragma once

#include <QJsonValue>
#include <iosfwd>

namespace keldar::cli {

inline constexpr char kJsonOption[] = "--json";

// `value`, an object or an array, as an indented JSON document ending in a
// newline.
void PrintJson(std::ostream& out, const QJsonValue& value);

}  // namespace keldar::cli
