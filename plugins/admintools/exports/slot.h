#pragma once

#include "keldar/plugin_abi.h"

namespace admintools {

// Stores one operation in a slot. `Operation` is the interface's own function
// type, so an operation of the wrong signature does not compile.
template <typename Operation>
void FillSlot(KeldarSlot* slot, Operation operation) {
  if (slot == nullptr) return;
  slot->entry = reinterpret_cast<KeldarEntry>(operation);
  slot->context = nullptr;
}

}  // namespace admintools
