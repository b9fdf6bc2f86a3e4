#include "name_lookup.h"

#include <cerrno>
#include <ctime>
#include <mutex>
#include <vector>

namespace keldar::bus {

namespace {

using Clock = std::chrono::steady_clock;

struct Lookup {
  std::string host;
  std::string service;
  addrinfo hints{};
  gaicb request{};
};

// Look-ups still running when their caller gave up. The resolver writes into
// them when it ends, so they live until then; each later look-up frees the
// ones that have ended.
class Abandoned {
 public:
  void Add(std::unique_ptr<Lookup> lookup) {
    const std::lock_guard lock(mutex_);
    Sweep();
    lookups_.push_back(std::move(lookup));
  }
  void Sweep() {
    std::erase_if(lookups_, [](const std::unique_ptr<Lookup>& l) {
      if (::gai_error(&l->request) == EAI_INPROGRESS) return false;
      ::freeaddrinfo(l->request.ar_result);
      return true;
    });
  }

 private:
  std::mutex mutex_;
  std::vector<std::unique_ptr<Lookup>> lookups_;
};

// Never destroyed: the resolver may still write into a look-up while the
// library is being unloaded.
Abandoned& AbandonedLookups() {
  static auto* abandoned = new Abandoned;
  return *abandoned;
}

timespec Remaining(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - Clock::now());
  timespec ts{};
  if (left.count() <= 0) return ts;
  ts.tv_sec = static_cast<time_t>(left.count() / 1'000'000'000);
  ts.tv_nsec = static_cast<long>(left.count() % 1'000'000'000);
  return ts;
}

}  // namespace

LookupResult LookUpHost(const std::string& host, int port, Clock::time_point deadline,
                        AddressInfo& found) {
  auto lookup = std::make_unique<Lookup>();
  lookup->host = host;
  lookup->service = std::to_string(port);
  lookup->hints.ai_family = AF_UNSPEC;
  lookup->hints.ai_socktype = SOCK_STREAM;
  lookup->hints.ai_flags = AI_NUMERICSERV;
  lookup->request.ar_name = lookup->host.c_str();
  lookup->request.ar_service = lookup->service.c_str();
  lookup->request.ar_request = &lookup->hints;
  gaicb* list[] = {&lookup->request};
  if (::getaddrinfo_a(GAI_NOWAIT, list, 1, nullptr) != 0) return LookupResult::kFailed;
  for (;;) {
    const timespec wait = Remaining(deadline);
    const int suspended = ::gai_suspend(list, 1, &wait);
    if (suspended == EAI_INTR && Clock::now() < deadline) continue;
    break;
  }
  int status = ::gai_error(&lookup->request);
  if (status == EAI_INPROGRESS) {
    if (::gai_cancel(&lookup->request) != EAI_ALLDONE) {
      AbandonedLookups().Add(std::move(lookup));
      return LookupResult::kTimedOut;
    }
    status = ::gai_error(&lookup->request);
  }
  found.reset(lookup->request.ar_result);
  switch (status) {
    case 0:
      return found ? LookupResult::kFound : LookupResult::kNoSuchHost;
    case EAI_NONAME:
    case EAI_AGAIN:
    case EAI_FAIL:
    case EAI_NODATA:
    case EAI_ADDRFAMILY:
      return LookupResult::kNoSuchHost;
    default:
      return LookupResult::kFailed;
  }
}

}  // namespace keldar::bus
