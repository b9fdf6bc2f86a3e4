// Saving one reading into the local archive through the administration
// library's data-store operations (main thread).
#pragma once

#include "core/device_flavour.h"
#include "core/meter_record.h"
#include "keldar/admin_tools_types.h"

namespace devicescreen {

enum class SaveOutcome {
  Saved,
  ComponentMissing,  // the library is not loaded or lacks an operation
  NothingToSave,
  StoreNotOpened,
  Refused
};

SaveOutcome SaveReading(const KeldarAdminToolsLibrary* lib, MeterKind kind,
                        const KeldarDeviceRecord& device, const MeterReading& reading);

}  // namespace devicescreen
