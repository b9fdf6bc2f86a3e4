#include "device/bus_protocol_library.h"

namespace {

#define KELDAR_ROWS_TYPE KeldarBusProtocolLibrary
constexpr KeldarExportRow kExports[] = {KELDAR_EXPORT_ROWS(KELDAR_BUS_PROTOCOL_EXPORTS)};
#undef KELDAR_ROWS_TYPE

}  // namespace

BusProtocolLibrary::BusProtocolLibrary() : PluginLibrary(kFileName, kExports) {}
