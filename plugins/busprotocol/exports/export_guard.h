// Every export catches whatever the library throws: nothing but a result
// crosses the library boundary.
#pragma once

#include "keldar/plugin_abi.h"

namespace keldar::bus::exports {

template <typename R, typename Body>
R Guarded(R fallback, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return fallback;
  }
}

template <typename Body>
void Guarded(Body&& body) noexcept {
  try {
    body();
  } catch (...) {
  }
}

// Stores an operation in the slot a _Get export receives. `Fn` is the
// operation's declared type, so a signature that drifts fails to compile.
template <typename Fn>
void Fill(KeldarSlot* slot, Fn operation) noexcept {
  if (slot == nullptr) return;
  slot->entry = reinterpret_cast<KeldarEntry>(operation);
  slot->context = nullptr;
}

}  // namespace keldar::bus::exports

#define KELDAR_BUS_GETTER(Export, FnType, operation)                    \
  extern "C" KELDAR_PLUGIN_EXPORT void _Get##Export(KeldarSlot* slot) { \
    keldar::bus::exports::Fill<FnType>(slot, operation);                \
  }
