/* The M-Bus protocol library "BusProtocol.so": framing, parsing, request
 * building and serial I/O (EN 13757-2/-3).
 *
 * This header fixes the export list and the wrapper layout the shell hands to
 * device plug-ins. The object layouts and operation types are declared in
 * "keldar/bus_protocol_types.h".
 *
 * Threading: one port object is used by one thread at a time; objects are
 * not shared between threads. */
#pragma once

#include "keldar/plugin_abi.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Exports in the order the shell resolves them. The port status getter is
 * resolved twice; its second slot is CProcessComPortGetStatusAgain. Exports
 * added later stand at the end, so the earlier slots keep their places.
 * The second argument marks the exports the shell itself calls. */
#define KELDAR_BUS_PROTOCOL_EXPORTS(F, G, GA)                       \
  F(CreateDataMbus, 1)                                              \
  F(DeleteDataMbus, 1)                                              \
  G(DataMbusSize, 0)                                                \
  G(DataMbusPushBack, 0)                                            \
  G(DataMbusGetIndexData, 0)                                        \
  G(DataMbusEmpty, 0)                                               \
  G(DataMbusClear, 1)                                               \
  F(CreateCProcessComPort, 1)                                       \
  F(DeleteCProcessComPort, 1)                                       \
  G(CProcessComPortWriteData, 1)                                    \
  G(CProcessComPortReadData, 1)                                     \
  G(CProcessComPortSetSpeed, 1)                                     \
  G(CProcessComPortGetSpeed, 0)                                     \
  G(CProcessComPortGetStatus, 1)                                    \
  GA(CProcessComPortGetStatusAgain, CProcessComPortGetStatus, 1)    \
  G(CProcessComPortSetAdress, 1)                                    \
  F(CreateCDataTypeK, 0)                                            \
  F(DeleteCDataTypeK, 0)                                            \
  F(CreateCDataTypeI, 0)                                            \
  F(DeleteCDataTypeI, 0)                                            \
  F(CreateCDataTypeF, 0)                                            \
  F(DeleteCDataTypeF, 0)                                            \
  F(CreateCDataTypeG, 0)                                            \
  F(DeleteCDataTypeG, 0)                                            \
  F(CreateTelegramMbus, 1)                                          \
  F(DeleteTelegramMbus, 1)                                          \
  G(CheckErrors, 1)                                                 \
  G(getDataTypeK, 0)                                                \
  G(getDataTypeI, 0)                                                \
  G(getDataTypeF, 0)                                                \
  G(getDataTypeG, 0)                                                \
  F(CreateDataInfoBlock, 0)                                         \
  F(CopyDataInfoBlock, 1)                                           \
  F(DeleteDataInfoBlock, 1)                                         \
  F(CreateUserData, 0)                                              \
  F(DeleteUserData, 0)                                              \
  G(UserDataSize, 1)                                                \
  G(UserDataEmpty, 0)                                               \
  G(UserDataPushBack, 1)                                            \
  G(UserDataClear, 1)                                               \
  G(UserDataGetIndexData, 1)                                        \
  F(CreateCArrayDataInfoFieldExtension, 0)                          \
  F(DeleteCArrayDataInfoFieldExtension, 0)                          \
  G(DIFESize, 0)                                                    \
  G(DIFEEmpty, 0)                                                   \
  G(DIFEPushBack, 0)                                                \
  G(DIFEGetIndexData, 0)                                            \
  G(DIFEClear, 0)                                                   \
  F(CreateCValueInfoField, 0)                                       \
  F(CopyCValueInfoField, 0)                                         \
  F(DeleteCValueInfoField, 0)                                       \
  F(CreateCValueInfoFieldExtension, 0)                              \
  F(CopyCValueInfoFieldExtension, 0)                                \
  F(DeleteCValueInfoFieldExtension, 0)                              \
  F(CreateCArrayValueInfoFieldExtension, 0)                         \
  F(DeleteCArrayValueInfoFieldExtension, 0)                         \
  G(VIFESize, 1)                                                    \
  G(VIFEEmpty, 0)                                                   \
  G(VIFEPushBack, 0)                                                \
  G(VIFEGetIndexData, 1)                                            \
  G(VIFEClear, 0)                                                   \
  G(CFieldSND_NKE, 1)                                               \
  G(ShortFrameSerialize, 1)                                         \
  G(GeneratePaket, 0)                                               \
  G(SetCField, 1)                                                   \
  G(SetAField, 1)                                                   \
  G(getCFieldREQ_UD2, 1)                                            \
  G(ParserTelegram, 1)                                              \
  G(ShortFrameClear, 1)                                             \
  F(CreateCLongFrame, 0)                                            \
  F(DeleteCLongFrame, 0)                                            \
  G(SetAddress, 1)                                                  \
  G(GetShiftTime, 0)                                                \
  G(SetShiftTime, 0)                                                \
  G(GetDataTypeK, 0)                                                \
  G(GetDeviceModel, 1)                                              \
  G(GetDeviceOtherSoftware, 1)                                      \
  G(GetDataTypeI, 0)                                                \
  G(GetErrorFlagBinary, 0)                                          \
  G(SetLocalTime, 0)                                                \
  G(SetSecondaryAddressing, 1)                                      \
  G(SetDeviceSpeed, 1)                                              \
  G(SetIncrementInputPulse, 0)                                      \
  G(GetIncrementInputPulse, 1)                                      \
  G(SetIncrementOutputPulse, 0)                                     \
  G(GetIncrementOutputPulse, 0)                                     \
  G(ArchivRecords, 0)                                               \
  G(GetPrimaryAddress, 1)                                           \
  G(GetSecondaryAddress, 1)                                         \
  G(GlobalReadout, 0)                                               \
  G(CLongFrameSerialize, 1)                                         \
  G(LongFrameClear, 1)                                              \
  G(getCFieldSND_UD, 0)                                             \
  G(EngelmannSensostar2, 0)                                         \
  G(GetDeviceType, 0)                                               \
  G(SetDeviceType, 1)                                               \
  G(GetSerialNumber, 0)                                             \
  G(SetSerialNumber, 1)                                             \
  G(GetQMax, 0)                                                     \
  G(GetQn, 0)                                                       \
  G(GetQMin, 0)                                                     \
  G(SetQMin, 0)                                                     \
  G(SetImpulseVolume, 0)                                            \
  G(GetSpecificallyData, 0)                                         \
  G(CProcessComPortGetOpenError, 0)                                 \
  G(CProcessComPortSetTrace, 0)                                     \
  G(CProcessComPortSetLateAnswerGuard, 0)                           \
  G(CProcessComPortSetNetworkAllowance, 0)

/* BusProtocolLibrary as device plug-ins receive it: the module handle
 * (non-null when loaded), then one member per export in the order above. */
typedef struct KeldarBusProtocolLibrary {
  void *module;
  KELDAR_BUS_PROTOCOL_EXPORTS(KELDAR_STRUCT_F, KELDAR_STRUCT_G, KELDAR_STRUCT_GA)
} KeldarBusProtocolLibrary;

#ifdef __cplusplus
}
#endif
