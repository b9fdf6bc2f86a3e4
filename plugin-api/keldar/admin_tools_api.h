/* The administration and archive library "AdminTools.so": the administration
 * and local-archive screens and the archive's data-store operations, which
 * device plug-ins use to save readings.
 *
 * The screen factories return a QWidget* (shell and plug-ins share one Qt);
 * they and every data-store operation run on the main thread. */
#pragma once

#include "keldar/plugin_abi.h"

#ifdef __cplusplus
extern "C" {
#endif

/* _CreateTProgramAdministration / _CreateTProgramReadLocalArhiv:
 * (owner: NULL, close flag, phrases object or NULL, language wrapper) → frame. */
typedef void *(*KeldarCreateAdminScreenFn)(void *owner, uint8_t *close_flag,
                                          void *phrases, const void *language_library);
typedef void (*KeldarDeleteAdminScreenFn)(void *frame);

#define KELDAR_ADMIN_TOOLS_EXPORTS(F, G, GA)     \
  F(CreateTProgramAdministration, 1)             \
  F(DeleteTProgramAdministration, 1)             \
  F(CreateTProgramReadLocalArhiv, 1)             \
  F(DeleteTProgramReadLocalArhiv, 1)             \
  F(CreateCSQLite3, 0)                           \
  F(DeleteCSQLite3, 0)                           \
  G(SQLite3AddDeviceHeatData, 0)                 \
  G(SQLite3AddDeviceWaterColdData, 0)            \
  G(SQLite3AddDeviceWaterHotData, 0)             \
  F(CreateCDataDeviceHeat, 0)                    \
  F(DeleteCDataDeviceHeat, 0)                    \
  F(CreateCArrayDataDeviceHeat, 0)               \
  F(DeleteCArrayDataDeviceHeat, 0)               \
  G(CArrayDataDeviceHeatSize, 0)                 \
  G(CArrayDataDeviceHeatEmpty, 0)                \
  G(CArrayDataDeviceHeatPushBack, 0)             \
  G(CArrayDataDeviceHeatClear, 0)                \
  G(CArrayDataDeviceHeatGetIndexData, 0)         \
  F(CreateCDataDeviceWaterCold, 0)               \
  F(DeleteCDataDeviceWaterCold, 0)               \
  F(CreateCArrayDataDeviceWaterCold, 0)          \
  F(DeleteCArrayDataDeviceWaterCold, 0)          \
  G(CArrayDataDeviceWaterColdSize, 0)            \
  G(CArrayDataDeviceWaterColdEmpty, 0)           \
  G(CArrayDataDeviceWaterColdPushBack, 0)        \
  G(CArrayDataDeviceWaterColdClear, 0)           \
  G(CArrayDataDeviceWaterColdGetIndexData, 0)    \
  F(CreateCDataDeviceWaterHot, 0)                \
  F(DeleteCDataDeviceWaterHot, 0)                \
  F(CreateCArrayDataDeviceWaterHot, 0)           \
  F(DeleteCArrayDataDeviceWaterHot, 0)           \
  G(CArrayDataDeviceWaterHotSize, 0)             \
  G(CArrayDataDeviceWaterHotEmpty, 0)            \
  G(CArrayDataDeviceWaterHotPushBack, 0)         \
  G(CArrayDataDeviceWaterHotClear, 0)            \
  G(CArrayDataDeviceWaterHotGetIndexData, 0)     \
  G(SQLite3GetDeviceHeatData, 0)                 \
  G(SQLite3GetDeviceWaterColdData, 0)            \
  G(SQLite3GetDeviceWaterHotData, 0)             \
  G(SQLite3GetDeviceHeatDataToAid, 0)            \
  G(SQLite3GetSubscriberData, 0)                 \
  G(SQLite3GetObjectData, 0)                     \
  G(SQLite3WriteHeatData, 0)                     \
  G(SQLite3WriteWaterColdData, 0)                \
  G(SQLite3WriteWaterHotData, 0)                 \
  G(SQLite3GetHeatData, 0)                       \
  F(CreateCDataSubscriber, 0)                    \
  F(DeleteCDataSubscriber, 0)                    \
  F(CreateCArrayDataSubscriber, 0)               \
  F(DeleteCArrayDataSubscriber, 0)               \
  G(CArrayDataSubscriberSize, 0)                 \
  G(CArrayDataSubscriberEmpty, 0)                \
  G(CArrayDataSubscriberPushBack, 0)             \
  G(CArrayDataSubscriberClear, 0)                \
  G(CArrayDataSubscriberGetIndexData, 0)         \
  F(CreateCDataObject, 0)                        \
  F(DeleteCDataObject, 0)                        \
  F(CreateCArrayDataObject, 0)                   \
  F(DeleteCArrayDataObject, 0)                   \
  G(CArrayDataObjectSize, 0)                     \
  G(CArrayDataObjectEmpty, 0)                    \
  G(CArrayDataObjectPushBack, 0)                 \
  G(CArrayDataObjectClear, 0)                    \
  G(CArrayDataObjectGetIndexData, 0)             \
  F(CreateCDataHeat, 0)                          \
  F(DeleteCDataHeat, 0)                          \
  F(CreateCArrayDataHeat, 0)                     \
  F(DeleteCArrayDataHeat, 0)                     \
  G(CArrayDataHeatSize, 0)                       \
  G(CArrayDataHeatEmpty, 0)                      \
  G(CArrayDataHeatPushBack, 0)                   \
  G(CArrayDataHeatClear, 0)                      \
  G(CArrayDataHeatGetIndexData, 0)               \
  F(CreateCDataWaterCold, 0)                     \
  F(DeleteCDataWaterCold, 0)                     \
  F(CreateCArrayDataWaterCold, 0)                \
  F(DeleteCArrayDataWaterCold, 0)                \
  G(CArrayDataWaterColdSize, 0)                  \
  G(CArrayDataWaterColdEmpty, 0)                 \
  G(CArrayDataWaterColdPushBack, 0)              \
  G(CArrayDataWaterColdClear, 0)                 \
  G(CArrayDataWaterColdGetIndexData, 0)          \
  F(CreateCDataWaterHot, 0)                      \
  F(DeleteCDataWaterHot, 0)                      \
  F(CreateCArrayDataWaterHot, 0)                 \
  F(DeleteCArrayDataWaterHot, 0)                 \
  G(CArrayDataWaterHotSize, 0)                   \
  G(CArrayDataWaterHotEmpty, 0)                  \
  G(CArrayDataWaterHotPushBack, 0)               \
  G(CArrayDataWaterHotClear, 0)                  \
  G(CArrayDataWaterHotGetIndexData, 0)

/* AdminToolsLibrary as device plug-ins receive it. */
typedef struct KeldarAdminToolsLibrary {
  void *module;
  KELDAR_ADMIN_TOOLS_EXPORTS(KELDAR_STRUCT_F, KELDAR_STRUCT_G, KELDAR_STRUCT_GA)
} KeldarAdminToolsLibrary;

#ifdef __cplusplus
}
#endif
