// Decodes the user data of a slave's long frame into a Telegram.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "frame_codec.h"
#include "telegram.h"

namespace keldar::bus {

enum class DecodeError {
  kNone,
  kNotAnAnswer,  // not a slave's RSP_UD
  kUnsupportedCi,
  kTruncatedHeader,
  kTruncatedRecord,
  kTooManyDifes,
  kTooManyVifes,
  kReservedCoding,  // a DIF or LVAR the standard reserves
};

const char* DescribeDecodeError(DecodeError error);

struct DecodeOutcome {
  std::optional<Telegram> telegram;
  DecodeError error = DecodeError::kNone;
};

DecodeOutcome DecodeAnswer(const LongFrame& frame);

// The records of a variable data structure.
DecodeError DecodeRecords(std::span<const std::uint8_t> data, std::vector<Record>& records,
                          bool& more_records_follow);

// Fills kind, number/text, unit and quantity of a record whose fields as sent
// are set; `plain_text` is the unit text of VIF 7C/FC, `lvar` the length byte
// of variable-length data.
void InterpretValue(Record& record, const std::string& plain_text,
                    std::optional<std::uint8_t> lvar);

// Text from a meter: Latin-1 read as UTF-8, NUL bytes dropped.
std::string MeterText(std::span<const std::uint8_t> bytes);

}  // namespace keldar::bus
