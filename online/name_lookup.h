#pragma once

#include <netinet/in.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

// A blocking look-up of a host name: its IPv4 address, or nullopt. Tests put
// one in that never answers, as a dead name server would.
using NameLookup = std::function<std::optional<in_addr>(const std::string& name)>;

// The system's resolver: the first IPv4 address, as the name service ordered them.
std::optional<in_addr> SystemLookup(const std::string& name);

// Looks `name` up with `lookup` (the system's when empty) and gives up at
// `deadline`. A numeric address of the system's look-up needs no name service
// and is answered at once. Otherwise the look-up runs on a thread of its own
// that the caller abandons at the deadline; that thread owns all it touches,
// so it may finish any time later, when the caller is long gone.
std::optional<in_addr> LookUpBefore(const std::string& name,
                                    std::chrono::steady_clock::time_point deadline,
                                    const NameLookup& lookup = {});
