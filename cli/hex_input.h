// Telegrams given as hex text: blanks allowed, one telegram per line.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace keldar::cli {

struct HexTelegram {
  std::vector<std::uint8_t> bytes;
  int line = 0;       // its line in a file; 0 for arguments
  std::string error;  // "bad hex: …" for a line that is not hex (bytes then empty)
};

struct HexTelegrams {
  std::vector<HexTelegram> telegrams;
  std::string error;  // "argument 2: …" when the arguments are not hex
};

// One telegram per non-empty line; a line that is not hex is kept with its
// error, so the lines after it are still read.
HexTelegrams ReadHexLines(std::istream& in);
// The arguments read as one stream of hex bytes ("68 1B 1B 68 …" may arrive
// as many arguments), cut into telegrams by their length fields; a stream that
// does not cut cleanly stays one telegram, for the decoder to judge.
HexTelegrams ReadHexArguments(const std::vector<std::string>& args);

// Frames laid end to end, cut by their start and length bytes.
std::vector<std::vector<std::uint8_t>> CutIntoFrames(const std::vector<std::uint8_t>& stream);

}  // namespace keldar::cli
