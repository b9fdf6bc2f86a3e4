// Short and long frame objects: fields, serialization, and the request
// builders of the interface.
#pragma once

#include <cstdint>
#include <optional>

#include "frame_codec.h"
#include "keldar/bus_protocol_types.h"

namespace keldar::bus::abi {

void ShortFrameClear(KeldarBusShortFrame* frame);
void ShortFrameSetC(KeldarBusShortFrame* frame, std::uint8_t c);
void ShortFrameSetA(KeldarBusShortFrame* frame, std::uint8_t a);
int32_t ShortFrameSerialize(KeldarBusShortFrame* frame);

KeldarBusLongFrame* CreateLongFrame();
void DeleteLongFrame(KeldarBusLongFrame* frame);
void LongFrameClear(KeldarBusLongFrame* frame);
int32_t LongFrameSerialize(KeldarBusLongFrame* frame);
int32_t GeneratePacket(KeldarBusLongFrame* frame, std::uint8_t c, std::uint8_t a, std::uint8_t ci,
                       const std::uint8_t* data, int32_t size);

// The fields of a long frame object as a frame, and back (serialized too).
std::optional<LongFrame> ReadLongFrame(const KeldarBusLongFrame& frame);
void StoreLongFrame(KeldarBusLongFrame& frame, const LongFrame& value);

// Puts a built request into `frame`, or leaves it empty: 1 built, 0 refused.
int32_t StoreRequest(KeldarBusLongFrame* frame, const std::optional<LongFrame>& request);

// The bytes that WriteData sends: the serialized prefix of either frame.
const KeldarBusData* SerializedBytes(const void* frame);

}  // namespace keldar::bus::abi
