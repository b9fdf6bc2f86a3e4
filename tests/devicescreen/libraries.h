// The real M-Bus, language and archive libraries, loaded from the working
// folder by the shell's own loader.
#pragma once

#include "keldar/admin_tools_types.h"
#include "keldar/bus_protocol_types.h"
#include "keldar/phrases_api.h"
#include "plugin_loader.h"

namespace devicescreen::test {

#define KELDAR_ROWS_TYPE Api

class BusLibrary : public LoadedPlugin<KeldarBusProtocolLibrary> {
  using Api = KeldarBusProtocolLibrary;
  static constexpr KeldarExportRow kRows[] = {KELDAR_EXPORT_ROWS(KELDAR_BUS_PROTOCOL_EXPORTS)};

 public:
  BusLibrary() : LoadedPlugin(testing_support::BuiltPlugin("BusProtocol.so"), kRows) {}
};

class LanguageLibrary : public LoadedPlugin<KeldarLanguageLibrary> {
  using Api = KeldarLanguageLibrary;
  static constexpr KeldarExportRow kRows[] = {KELDAR_EXPORT_ROWS(KELDAR_PHRASES_EXPORTS)};

 public:
  LanguageLibrary() : LoadedPlugin(testing_support::BuiltPlugin("Phrases.so"), kRows) {}
};

class AdminLibrary : public LoadedPlugin<KeldarAdminToolsLibrary> {
  using Api = KeldarAdminToolsLibrary;
  static constexpr KeldarExportRow kRows[] = {KELDAR_EXPORT_ROWS(KELDAR_ADMIN_TOOLS_EXPORTS)};

 public:
  AdminLibrary() : LoadedPlugin(testing_support::BuiltPlugin("AdminTools.so"), kRows) {}
};

#undef KELDAR_ROWS_TYPE

}  // namespace devicescreen::test
