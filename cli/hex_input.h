// Telegrams given as hex text: blanks allowed, one telegram per line.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace keldar::cli {

struct HexTelegrams {
  std::vector<std::vector<std::uint8_t>> telegrams;
  std::string error;  // "line 2: …" when the text is not hex
};

// One telegram per non-empty line.
HexTelegrams ReadHexLines(std::istream& in);
// The arguments read as one stream of hex bytes ("68 1B 1B 68 …" may arrive
// as many arguments), cut into telegrams by their length fields; a stream that
// does not cut cleanly stays one telegram, for the decoder to judge.
HexTelegrams ReadHexArguments(const std::vector<std::string>& args);

// Frames laid end to end, cut by their start and length bytes.
std::vector<std::vector<std::uint8_t>> CutIntoFrames(const std::vector<std::uint8_t>& stream);

}  // namespace keldar::cli
