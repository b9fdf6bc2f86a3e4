// Why a connect-and-identify run ended with nothing to show, and what to tell
// the user about it: the same words in the window and in keldar-cli.
#pragma once

#include <string>
#include <vector>

enum class IdentifyReason {
  None,               // devices were found, or the run was stopped
  NoAnswer,           // silence at every speed tried
  Collision,          // bytes that make no frame: several meters at once, or noise
  NotVariableData,    // the meter answered, but not with variable data
  MakerNotSupported,  // a maker the program does not work with
  PortLost,           // the port went away during the search
};

// What the message names.
struct IdentifyExplanation {
  IdentifyReason reason = IdentifyReason::None;
  int address = 0;
  std::vector<int> speedsTried;
  int speed = 0;  // the speed the meter answered at
  std::string maker;
  std::string port;
};

struct ReasonMessage {
  const char* code;     // keldar-cli's "reason": "no_answer", "collision", …
  const char* key;      // phrase key
  const char* builtIn;  // Russian, used when the phrase library lacks the key
  const char* english;  // the command line's text without a phrase library
};

// The message of `reason`; null for IdentifyReason::None.
const ReasonMessage* MessageOf(IdentifyReason reason);
// `text` with {address}, {speeds}, {speed}, {maker} and {port} filled in.
std::string Explained(const std::string& text, const IdentifyExplanation& explanation);
// The value of keldar-cli's "reason" field: "no_answer", "collision", …; empty for None.
const char* ReasonCode(IdentifyReason reason);
