// The request builders of the interface, each filling a long frame object:
// 1 when built, 0 when refused (the frame is then left empty).
#pragma once

#include <cstdint>

#include "keldar/bus_protocol_types.h"

namespace keldar::bus::abi {

int32_t BuildSetAddress(KeldarBusLongFrame* f, std::uint8_t a, std::uint64_t value,
                        int32_t secondary);
int32_t BuildSetSerialNumber(KeldarBusLongFrame* f, std::uint8_t a, std::int64_t serial);
int32_t BuildSetDeviceType(KeldarBusLongFrame* f, std::uint8_t a, std::uint8_t medium);
int32_t BuildSetDeviceSpeed(KeldarBusLongFrame* f, std::uint8_t a, int32_t baud);
int32_t BuildSetLocalTime(KeldarBusLongFrame* f, std::uint8_t a, const KeldarBusDateTime* time);
int32_t BuildSetSecondaryAddressing(KeldarBusLongFrame* f, std::int64_t id, int32_t reserved,
                                    const char* manufacturer, int32_t version, int32_t medium,
                                    const char* model);

// Selections for readout, for sub-unit `unit` of the meter at `a`.
int32_t BuildGetDeviceModel(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit);
int32_t BuildGetOtherSoftware(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit);
int32_t BuildGetSecondaryAddress(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit);
int32_t BuildGetPrimaryAddress(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit);
int32_t BuildGetDeviceType(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit);
int32_t BuildGetSerialNumber(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit);
int32_t BuildGetErrorFlags(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit);
int32_t BuildGetDateTime(KeldarBusLongFrame* f, std::uint8_t a);
int32_t BuildGetInputPulse(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit, int32_t input);
int32_t BuildGetOutputPulse(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit, int32_t output);
int32_t BuildSetInputPulse(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit, int32_t input,
                           std::uint32_t litres);
int32_t BuildSetOutputPulse(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit, int32_t output,
                            std::uint32_t litres);
int32_t BuildArchiveRecords(KeldarBusLongFrame* f, std::uint8_t a, std::uint32_t storage);
int32_t BuildGlobalReadout(KeldarBusLongFrame* f, std::uint8_t a);

// Requests this library does not build: the frame is emptied, 0 returned.
int32_t BuildNothing(KeldarBusLongFrame* f);

}  // namespace keldar::bus::abi
