// Exports of the request builders.
#include "abi_builders.h"
#include "export_guard.h"

using keldar::bus::exports::Guarded;
namespace abi = keldar::bus::abi;

namespace {

int32_t SetAddress(KeldarBusLongFrame* f, uint8_t a, uint64_t value, int32_t secondary) {
  return Guarded(0, [&] { return abi::BuildSetAddress(f, a, value, secondary); });
}
int32_t SetSerialNumber(KeldarBusLongFrame* f, uint8_t a, int64_t serial) {
  return Guarded(0, [&] { return abi::BuildSetSerialNumber(f, a, serial); });
}
int32_t SetDeviceType(KeldarBusLongFrame* f, uint8_t a, uint8_t medium) {
  return Guarded(0, [&] { return abi::BuildSetDeviceType(f, a, medium); });
}
int32_t SetDeviceSpeed(KeldarBusLongFrame* f, uint8_t a, int32_t baud) {
  return Guarded(0, [&] { return abi::BuildSetDeviceSpeed(f, a, baud); });
}
int32_t SetLocalTime(KeldarBusLongFrame* f, uint8_t a, const KeldarBusDateTime* time) {
  return Guarded(0, [&] { return abi::BuildSetLocalTime(f, a, time); });
}
int32_t SetSecondaryAddressing(KeldarBusLongFrame* f, int64_t id, int32_t reserved,
                               const char* manufacturer, int32_t version, int32_t medium,
                               const char* model) {
  return Guarded(0, [&] {
    return abi::BuildSetSecondaryAddressing(f, id, reserved, manufacturer, version, medium, model);
  });
}

template <int32_t (*Build)(KeldarBusLongFrame*, uint8_t, int32_t)>
int32_t ForUnit(KeldarBusLongFrame* f, uint8_t a, int32_t unit) {
  return Guarded(0, [&] { return Build(f, a, unit); });
}
template <int32_t (*Build)(KeldarBusLongFrame*, uint8_t, int32_t, int32_t)>
int32_t ForChannel(KeldarBusLongFrame* f, uint8_t a, int32_t unit, int32_t channel) {
  return Guarded(0, [&] { return Build(f, a, unit, channel); });
}
template <int32_t (*Build)(KeldarBusLongFrame*, uint8_t, int32_t, int32_t, uint32_t)>
int32_t SetChannel(KeldarBusLongFrame* f, uint8_t a, int32_t unit, int32_t channel,
                   uint32_t litres) {
  return Guarded(0, [&] { return Build(f, a, unit, channel, litres); });
}

int32_t GetDateTime(KeldarBusLongFrame* f, uint8_t a) {
  return Guarded(0, [&] { return abi::BuildGetDateTime(f, a); });
}
int32_t GlobalReadout(KeldarBusLongFrame* f, uint8_t a) {
  return Guarded(0, [&] { return abi::BuildGlobalReadout(f, a); });
}
int32_t ArchivRecords(KeldarBusLongFrame* f, uint8_t a, uint32_t storage) {
  return Guarded(0, [&] { return abi::BuildArchiveRecords(f, a, storage); });
}
// Requests whose meaning EN 13757-3 does not settle: refused, frame emptied.
int32_t Unsupported(KeldarBusLongFrame* f, uint8_t) {
  return Guarded(0, [&] { return abi::BuildNothing(f); });
}

}  // namespace

KELDAR_BUS_GETTER(SetAddress, KeldarBusSetAddressFn, &SetAddress)
KELDAR_BUS_GETTER(SetSerialNumber, KeldarBusSetSerialNumberFn, &SetSerialNumber)
KELDAR_BUS_GETTER(SetDeviceType, KeldarBusSetDeviceTypeFn, &SetDeviceType)
KELDAR_BUS_GETTER(SetDeviceSpeed, KeldarBusSetDeviceSpeedFn, &SetDeviceSpeed)
KELDAR_BUS_GETTER(SetLocalTime, KeldarBusSetLocalTimeFn, &SetLocalTime)
KELDAR_BUS_GETTER(SetSecondaryAddressing, KeldarBusSetSecondaryAddressingFn,
                  &SetSecondaryAddressing)
KELDAR_BUS_GETTER(GetDeviceModel, KeldarBusBuildForUnitFn, &ForUnit<abi::BuildGetDeviceModel>)
KELDAR_BUS_GETTER(GetDeviceOtherSoftware, KeldarBusBuildForUnitFn,
                  &ForUnit<abi::BuildGetOtherSoftware>)
KELDAR_BUS_GETTER(GetSecondaryAddress, KeldarBusBuildForUnitFn,
                  &ForUnit<abi::BuildGetSecondaryAddress>)
KELDAR_BUS_GETTER(GetPrimaryAddress, KeldarBusBuildForUnitFn, &ForUnit<abi::BuildGetPrimaryAddress>)
KELDAR_BUS_GETTER(GetDeviceType, KeldarBusBuildForUnitFn, &ForUnit<abi::BuildGetDeviceType>)
KELDAR_BUS_GETTER(GetSerialNumber, KeldarBusBuildForUnitFn, &ForUnit<abi::BuildGetSerialNumber>)
KELDAR_BUS_GETTER(GetErrorFlagBinary, KeldarBusBuildForUnitFn, &ForUnit<abi::BuildGetErrorFlags>)
KELDAR_BUS_GETTER(GetIncrementInputPulse, KeldarBusGetIncrementPulseFn,
                  &ForChannel<abi::BuildGetInputPulse>)
KELDAR_BUS_GETTER(GetIncrementOutputPulse, KeldarBusGetIncrementPulseFn,
                  &ForChannel<abi::BuildGetOutputPulse>)
KELDAR_BUS_GETTER(SetIncrementInputPulse, KeldarBusSetIncrementPulseFn,
                  &SetChannel<abi::BuildSetInputPulse>)
KELDAR_BUS_GETTER(SetIncrementOutputPulse, KeldarBusSetIncrementPulseFn,
                  &SetChannel<abi::BuildSetOutputPulse>)
KELDAR_BUS_GETTER(GetDataTypeI, KeldarBusBuildFn, &GetDateTime)
KELDAR_BUS_GETTER(GlobalReadout, KeldarBusBuildFn, &GlobalReadout)
KELDAR_BUS_GETTER(ArchivRecords, KeldarBusArchivRecordsFn, &ArchivRecords)
KELDAR_BUS_GETTER(GetShiftTime, KeldarBusBuildFn, &Unsupported)
KELDAR_BUS_GETTER(SetShiftTime, KeldarBusBuildFn, &Unsupported)
KELDAR_BUS_GETTER(GetDataTypeK, KeldarBusBuildFn, &Unsupported)
KELDAR_BUS_GETTER(EngelmannSensostar2, KeldarBusBuildFn, &Unsupported)
KELDAR_BUS_GETTER(GetQMax, KeldarBusBuildFn, &Unsupported)
KELDAR_BUS_GETTER(GetQn, KeldarBusBuildFn, &Unsupported)
KELDAR_BUS_GETTER(GetQMin, KeldarBusBuildFn, &Unsupported)
KELDAR_BUS_GETTER(SetQMin, KeldarBusBuildFn, &Unsupported)
KELDAR_BUS_GETTER(SetImpulseVolume, KeldarBusBuildFn, &Unsupported)
KELDAR_BUS_GETTER(GetSpecificallyData, KeldarBusBuildFn, &Unsupported)
