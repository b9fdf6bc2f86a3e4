#include "online/name_lookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <pthread.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "base/platform/threads.h"

namespace {

// Shared by the caller and the look-up thread; the last of the two frees it.
struct Pending {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  std::optional<in_addr> address;
};

}  // namespace

std::optional<in_addr> SystemLookup(const std::string& name) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
    return std::nullopt;
  }
  std::optional<in_addr> address;
  if (found->ai_addrlen >= sizeof(sockaddr_in))
    address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
  ::freeaddrinfo(found);
  return address;
}

std::optional<in_addr> LookUpBefore(const std::string& name,
                                    std::chrono::steady_clock::time_point deadline,
                                    const NameLookup& lookup) {
  if (name.empty()) return std::nullopt;
  if (!lookup) {
    in_addr numeric{};
    if (::inet_pton(AF_INET, name.c_str(), &numeric) == 1) return numeric;
  }
  auto pending = std::make_shared<Pending>();
  try {
    std::thread([pending, name, lookup = lookup ? lookup : NameLookup(SystemLookup)] {
      pthread_setname_np(pthread_self(), platform::thread_name::kNameLookup);
      std::optional<in_addr> address;
      try {
        address = lookup(name);
      } catch (...) {
        // A look-up that throws found nothing.
      }
      const std::lock_guard lock(pending->mutex);
      pending->address = address;
      pending->done = true;
      pending->finished.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    return std::nullopt;  // no thread to be had: the name is not looked up
  }
  std::unique_lock lock(pending->mutex);
  if (!pending->finished.wait_until(lock, deadline, [&] { return pending->done; }))
    return std::nullopt;
  return pending->address;
}
