#include "abi_frames.h"

#include <algorithm>

#include "abi_objects.h"

namespace keldar::bus::abi {

void ShortFrameClear(KeldarBusShortFrame* frame) {
  if (frame != nullptr) *frame = KeldarBusShortFrame{};
}
void ShortFrameSetC(KeldarBusShortFrame* frame, std::uint8_t c) {
  if (frame != nullptr) frame->c_field = c;
}
void ShortFrameSetA(KeldarBusShortFrame* frame, std::uint8_t a) {
  if (frame != nullptr) frame->a_field = a;
}
int32_t ShortFrameSerialize(KeldarBusShortFrame* frame) {
  if (frame == nullptr) return 0;
  AssignData(frame->serialized, Encode(ShortFrame{frame->c_field, frame->a_field}));
  return static_cast<int32_t>(frame->serialized.size);
}

KeldarBusLongFrame* CreateLongFrame() { return new KeldarBusLongFrame{}; }
void DeleteLongFrame(KeldarBusLongFrame* frame) { delete frame; }
void LongFrameClear(KeldarBusLongFrame* frame) {
  if (frame != nullptr) *frame = KeldarBusLongFrame{};
}

std::optional<LongFrame> ReadLongFrame(const KeldarBusLongFrame& frame) {
  if (frame.data_size > KELDAR_BUS_LONG_DATA_CAPACITY) return std::nullopt;
  return LongFrame{frame.c_field, frame.a_field, frame.ci_field,
                   std::vector<std::uint8_t>(frame.data, frame.data + frame.data_size)};
}

void StoreLongFrame(KeldarBusLongFrame& frame, const LongFrame& value) {
  frame = KeldarBusLongFrame{};
  const auto bytes = Encode(value);
  if (!bytes) return;
  frame.c_field = value.c;
  frame.a_field = value.a;
  frame.ci_field = value.ci;
  frame.data_size = static_cast<std::uint32_t>(value.data.size());
  std::copy(value.data.begin(), value.data.end(), frame.data);
  AssignData(frame.serialized, *bytes);
}

int32_t LongFrameSerialize(KeldarBusLongFrame* frame) {
  if (frame == nullptr) return 0;
  const auto value = ReadLongFrame(*frame);
  const auto bytes = value ? Encode(*value) : std::nullopt;
  if (!bytes) {
    frame->serialized.size = 0;
    return 0;
  }
  AssignData(frame->serialized, *bytes);
  return static_cast<int32_t>(frame->serialized.size);
}

int32_t GeneratePacket(KeldarBusLongFrame* frame, std::uint8_t c, std::uint8_t a, std::uint8_t ci,
                       const std::uint8_t* data, int32_t size) {
  if (size < 0 || static_cast<std::uint32_t>(size) > KELDAR_BUS_LONG_DATA_CAPACITY ||
      (data == nullptr && size > 0)) {
    return StoreRequest(frame, std::nullopt);
  }
  LongFrame request{c, a, ci, {}};
  if (size > 0) request.data.assign(data, data + size);
  return StoreRequest(frame, request);
}

int32_t StoreRequest(KeldarBusLongFrame* frame, const std::optional<LongFrame>& request) {
  if (frame == nullptr) return 0;
  if (!request) {
    *frame = KeldarBusLongFrame{};
    return 0;
  }
  StoreLongFrame(*frame, *request);
  return frame->serialized.size > 0 ? 1 : 0;
}

const KeldarBusData* SerializedBytes(const void* frame) {
  return static_cast<const KeldarBusData*>(frame);
}

}  // namespace keldar::bus::abi
