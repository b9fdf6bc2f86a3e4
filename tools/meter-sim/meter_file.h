// What a meter description file says (INI): one meter in a [meter] section,
// with optional [input0] / [input1] sections for pulse-input sub-devices; or
// several meters on one bus, each in a [meter NAME] section with its inputs in
// [NAME input0] / [NAME input1] (NAME without blanks, once per file). Both
// kinds may share a file. A meter's keys:
//
//   [meter]
//   address = 1                 ; primary address
//   speed = 2400                ; the only speed it hears
//   identification = 41000001   ; 8 digits, the serial number
//   manufacturer = KRV
//   version = 3
//   medium = 4
//   access = 1                  ; access number of the first answer
//   status = 0
//   signature = 0
//   model = TV-7 heat           ; FD 0C
//   software = 2.04             ; FD 0F (other software version)
//   secondary = 41000001        ; 0C 79 record, defaults to the identification
//   reply_delay_ms = 20
//   records_per_telegram = 0    ; >0 splits the readout into telegrams joined by DIF 1F
//   answers_user_data = yes     ; "no": acknowledges SND_NKE, never answers REQ_UD2
//   secondary_address = writable ; "read-only": refuses a new one; "none": reports no 0C 79 record
//   manufacturer_data = 01 02   ; trailing DIF 0F block of the last telegram
//   pulse_weight_0 = 10         ; litres per pulse on input 0 (0: no sub-device)
//   pulse_weight_1 = 0
//   record = 04 06 : 12345      ; DIF/DIFEs VIF/VIFEs : value in the DIF's coding
//   replay = 68 … 16            ; answer REQ_UD2 with these frames instead
//
// Faults of real lines and meters:
//   noise = 12                  ; the file describes interference, not a meter: after
//                               ; every request, this many random bytes, an E5 among them
//   ignores_writes = yes        ; SND_UD is neither acknowledged nor applied
//   answer_address = 7          ; RSP_UD carries this address instead of its own
//   echo = yes                  ; the line echoes every request (a converter that does)
//   selection = standard        ; leaves the selected state on SND_NKE to 253 (after
//                               ; acknowledging it) and on a CI 56 deselection, as
//                               ; EN 13757-3 has it; "kept" (default) keeps it through both
// (reply_delay_ms beyond the answer window makes a meter that answers late.)
//
// An [inputN] section describes the sub-device on input N: identification,
// version, medium, model, software, secondary and record lines.
//
// A mistake names its section and line: "[meter h07] line 42: unknown key: foo".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "wire.h"

namespace keldar::sim {

struct RecordDescription {
  Bytes header;  // DIF … VIFEs as written
  Bytes data;    // coded value
};

struct DeviceDescription {
  std::uint32_t identification = 0;  // BCD digits as sent (0x41000001 for "41000001")
  std::uint8_t version = 0;
  std::uint8_t medium = 0;
  std::string model;
  std::string software;
  std::uint32_t secondary = 0;
  std::vector<RecordDescription> records;
};

struct MeterDescription {
  std::string name;
  DeviceDescription device;
  std::uint8_t address = 0;
  int speed = 2400;
  std::uint16_t manufacturer = 0;
  std::uint8_t access = 0;
  std::uint8_t status = 0;
  std::uint16_t signature = 0;
  int reply_delay_ms = 20;
  std::size_t records_per_telegram = 0;
  bool answers_user_data = true;
  enum class Secondary { Writable, ReadOnly, None } secondary_address = Secondary::Writable;
  Bytes manufacturer_data;
  std::uint32_t pulse_weight[2] = {0, 0};
  std::optional<DeviceDescription> inputs[2];
  std::vector<Bytes> replay;
  std::size_t noise = 0;
  bool ignores_writes = false;
  std::optional<std::uint8_t> answer_address;
  bool echo = false;
  bool standard_selection = false;
};

// Reads a meter file's meters in file order; on failure returns nothing and
// says why in `error`. A meter's name is the file's path, with ":NAME" for a
// named one.
std::optional<std::vector<MeterDescription>> LoadMeterFile(const std::string& path,
                                                           std::string& error);
std::optional<std::vector<MeterDescription>> ParseMeterText(const std::string& text,
                                                            std::string& error);

// Hex digits with or without blanks.
std::optional<Bytes> ParseHex(const std::string& text);

}  // namespace keldar::sim
