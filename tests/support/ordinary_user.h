#pragma once

#include <sys/types.h>

// For its life, file permissions hold for this process as they hold for a
// technician's account. Root, as CI runs the tests, passes every permission:
// there the working folder (a test's temporary one) and everything in it are
// handed to the unprivileged user "nobody", and the process acts as that user
// until the object ends. For anyone else it changes nothing. Throws when the
// switch fails or the working folder is not a test's.
class ScopedOrdinaryUser {
 public:
  ScopedOrdinaryUser();
  ~ScopedOrdinaryUser();
  ScopedOrdinaryUser(const ScopedOrdinaryUser&) = delete;
  ScopedOrdinaryUser& operator=(const ScopedOrdinaryUser&) = delete;

 private:
  bool switched_ = false;
  gid_t group_ = 0;
};
