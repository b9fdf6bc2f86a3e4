#pragma once

#include <stdexcept>
#include <string>

namespace admintools {

// Why an archive operation was refused. Screens turn the kind into a message;
// the exports into a failure result.
enum class ArchiveFailure {
  kCannotOpen,    // the file cannot be opened or created
  kNotAnArchive,  // corrupt, or a database of something else
  kNewerVersion,  // written by a newer program; left untouched
  kInvalid,       // a required text is empty or a value is out of range
  kNotFound,      // the row referred to does not exist
  kInUse,         // still referred to (a subscriber with objects)
  kBusy,          // another program holds the file locked; trying again may work
  kFailed,        // any other database failure
};

class ArchiveError : public std::runtime_error {
 public:
  ArchiveError(ArchiveFailure failure, const std::string& what)
      : std::runtime_error(what), failure_(failure) {}
  ArchiveFailure failure() const { return failure_; }

 private:
  ArchiveFailure failure_;
};

}  // namespace admintools
