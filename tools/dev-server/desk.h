#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "procedure_call.h"
#include "releases.h"

namespace devserver {

// Who the server says the caller is: identify hands out ids 1..records, all
// with the same finger; the later procedures answer only a known id and finger.
struct Clients {
  int records = 1;
  std::string finger = "5f3c9e1a";
};

// How an answer is bent for tests of the program's failure paths.
enum class Twist {
  kNone,
  kCorruptChunk,   // one byte of a fetch_file chunk flipped
  kOversizeChunk,  // a fetch_file chunk longer than the whole file
  kUnsafeRecord,   // the file list gains a record named `unsafeName`
};

// The four procedures over a releases folder; answers are JSON arrays of flat
// objects with string members. nullopt for a procedure it does not know or a
// call with the wrong number of arguments.
class Desk {
 public:
  explicit Desk(const Releases& releases) : releases_(releases) {}

  // `corruptChunk` damages the bytes of a fetch_file answer (one byte flipped).
  std::optional<std::string> Answer(const ProcedureCall& call, const Clients& clients,
                                    std::string_view peer, bool corruptChunk) const;
  std::optional<std::string> Answer(const ProcedureCall& call, const Clients& clients,
                                    std::string_view peer, Twist twist,
                                    std::string_view unsafeName = {}) const;

 private:
  std::string Identify(const Clients& clients, std::string_view peer) const;
  std::string ProjectInfo(const std::string& database) const;
  std::string ProjectPack(const std::string& project, const std::string& version,
                          std::string_view unsafeName) const;
  std::string FetchFile(const std::string& fileId, const std::string& position,
                        const std::string& count, Twist twist) const;

  const Releases& releases_;
};

}  // namespace devserver
