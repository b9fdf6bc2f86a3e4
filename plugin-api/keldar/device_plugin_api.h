/* A device plug-in ("KRVHEATDLL.so", "MLDWATERCOLDDLL.so", …): one working
 * screen for one kind of meter.
 *
 * _CreateTMainFrame runs on the main thread and returns a QWidget* that the
 * shell names, aligns and parents. The screen sets *close_flag to a non-zero
 * value to be left; the shell then calls _DeleteTMainFrame on the main thread.
 * Every pointer handed over stays valid until _DeleteTMainFrame returns. */
#pragma once

#include "keldar/admin_tools_api.h"
#include "keldar/bus_protocol_api.h"
#include "keldar/device_record.h"
#include "keldar/phrases_api.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef void *(*KeldarCreateMainFrameFn)(void *owner, void *port,
                                         const KeldarBusProtocolLibrary *bus,
                                         void *firmware_catalogue, void *phrases,
                                         const KeldarLanguageLibrary *language,
                                         const KeldarAdminToolsLibrary *admin_tools,
                                         KeldarDeviceRecord *device,
                                         uint8_t *close_flag);
typedef void (*KeldarDeleteMainFrameFn)(void *frame);

#define KELDAR_DEVICE_PLUGIN_EXPORTS(F, G, GA) \
  F(CreateTMainFrame, 1)                       \
  F(DeleteTMainFrame, 1)

typedef struct KeldarDevicePluginLibrary {
  void *module;
  KELDAR_DEVICE_PLUGIN_EXPORTS(KELDAR_STRUCT_F, KELDAR_STRUCT_G, KELDAR_STRUCT_GA)
} KeldarDevicePluginLibrary;

#ifdef __cplusplus
}
#endif
