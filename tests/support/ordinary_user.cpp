#include "ordinary_user.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

// Only a folder the tests made may change hands.
bool IsTestFolder(const fs::path& folder) {
  const fs::path parent = folder.parent_path();
  return fs::equivalent(parent, fs::temp_directory_path()) &&
         folder.filename().string().rfind("keldar-test-", 0) == 0;
}

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

ScopedOrdinaryUser::ScopedOrdinaryUser() {
  if (::geteuid() != 0) return;
  const fs::path folder = fs::current_path();
  if (!IsTestFolder(folder)) {
    throw std::runtime_error("not a test's working folder: " + folder.string());
  }
  const passwd* nobody = ::getpwnam("nobody");
  const uid_t user = nobody != nullptr ? nobody->pw_uid : 65534;
  const gid_t group = nobody != nullptr ? nobody->pw_gid : 65534;
  if (::lchown(folder.c_str(), user, group) != 0) Fail("chown " + folder.string());
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (::lchown(entry.path().c_str(), user, group) != 0) Fail("chown " + entry.path().string());
  }
  group_ = ::getegid();
  // The saved user stays root, so the destructor can come back.
  if (::setegid(group) != 0) Fail("setegid");
  if (::seteuid(user) != 0) {
    ::setegid(group_);
    Fail("seteuid");
  }
  switched_ = true;
}

ScopedOrdinaryUser::~ScopedOrdinaryUser() {
  if (!switched_) return;
  // Coming back to root cannot fail while the saved user is root; the folder
  // is removed by root afterwards whoever owns it.
  if (::seteuid(0) == 0) (void)::setegid(group_);
}
