// A fake plug-in exporting every name of one export list (FAKE_EXPORTS). Each
// plain function logs "call <name>"; each getter logs "get <name>" and fills
// its slot with an operation that logs "op <name>" when called.
// Compile with -D_<export>=<other> to leave one export out.
#include "fake_log.h"
#include "keldar/admin_tools_api.h"
#include "keldar/bus_protocol_api.h"
#include "keldar/device_plugin_api.h"

#define FAKE_F(member, required) \
  extern "C" KELDAR_PLUGIN_EXPORT void _##member() { FakeLog("call _" #member); }

#define FAKE_G(member, required)                                        \
  static void Op_##member() { FakeLog("op " #member); }                 \
  extern "C" KELDAR_PLUGIN_EXPORT void _Get##member(KeldarSlot* slot) { \
    FakeLog("get " #member);                                            \
    slot->entry = &Op_##member;                                         \
    slot->context = nullptr;                                            \
  }

// A slot filled twice by one getter needs no export of its own.
#define FAKE_GA(member, exported, required)

FAKE_EXPORTS(FAKE_F, FAKE_G, FAKE_GA)
