// The real M-Bus, language and archive libraries, loaded from the working
// folder as the shell loads them.
#pragma once

#include "keldar/admin_tools_types.h"
#include "keldar/bus_protocol_types.h"
#include "keldar/phrases_api.h"
#include "loaded_library.h"

namespace devicescreen::test {

#define DS_ROW_F(member, required) KELDAR_ROW_F(Api, member, required)
#define DS_ROW_G(member, required) KELDAR_ROW_G(Api, member, required)
#define DS_ROW_GA(member, exported, required) KELDAR_ROW_GA(Api, member, exported, required)

class BusLibrary : public LoadedLibrary<KeldarBusProtocolLibrary> {
  using Api = KeldarBusProtocolLibrary;
  static constexpr KeldarExportRow kRows[] = {
      KELDAR_BUS_PROTOCOL_EXPORTS(DS_ROW_F, DS_ROW_G, DS_ROW_GA)};

 public:
  BusLibrary() : LoadedLibrary("BusProtocol.so", kRows) {}
};

class LanguageLibrary : public LoadedLibrary<KeldarLanguageLibrary> {
  using Api = KeldarLanguageLibrary;
  static constexpr KeldarExportRow kRows[] = {
      KELDAR_PHRASES_EXPORTS(DS_ROW_F, DS_ROW_G, DS_ROW_GA)};

 public:
  LanguageLibrary() : LoadedLibrary("Phrases.so", kRows) {}
};

class AdminLibrary : public LoadedLibrary<KeldarAdminToolsLibrary> {
  using Api = KeldarAdminToolsLibrary;
  static constexpr KeldarExportRow kRows[] = {
      KELDAR_ADMIN_TOOLS_EXPORTS(DS_ROW_F, DS_ROW_G, DS_ROW_GA)};

 public:
  AdminLibrary() : LoadedLibrary("AdminTools.so", kRows) {}
};

#undef DS_ROW_F
#undef DS_ROW_G
#undef DS_ROW_GA

}  // namespace devicescreen::test
