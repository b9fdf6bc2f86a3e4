#include "base/bus/exchange.h"

#include "base/bus/constants.h"
#include "base/bus/objects.h"

namespace mbus {

namespace {

// Writes `frame` for `address`, then reads and parses the answer into `telegram`.
int Transact(const Link& link, const void* frame, std::uint8_t address,
             KeldarBusTelegram* telegram) {
  const auto* lib = link.lib;
  Buffer buffer = NewBuffer(lib);
  if (!buffer) return KELDAR_BUS_RESULT_FAILED;
  // A request the library would not send is never waited for.
  if (keldar_bus_CProcessComPortWriteData(lib, link.port, frame) == 0) {
    return KELDAR_BUS_RESULT_FAILED;
  }
  // A line lost while writing answers nothing: do not wait for it.
  if (!link.PortUsable()) return KELDAR_BUS_RESULT_FAILED;
  if (keldar_bus_CProcessComPortReadData(lib, link.port, buffer.get()) == 0) {
    return buffer->size > 0 ? kResultGarbage : KELDAR_BUS_RESULT_FAILED;
  }
  const int result = keldar_bus_ParserTelegram(lib, telegram, buffer.get());
  if (result == KELDAR_BUS_RESULT_USER_DATA && !AnswersFor(address, telegram->a_field)) {
    return kResultOtherAddress;
  }
  return result;
}

}  // namespace

int SendShortFrame(const Link& link, std::uint8_t cField, std::uint8_t address,
                   KeldarBusTelegram* telegram) {
  if (link.Stopping()) return KELDAR_BUS_RESULT_FAILED;
  return ExchangeShortFrame(link, cField, address, telegram);
}

int ExchangeShortFrame(const Link& link, std::uint8_t cField, std::uint8_t address,
                       KeldarBusTelegram* telegram) {
  if (telegram == nullptr) return KELDAR_BUS_RESULT_FAILED;
  const auto* lib = link.lib;
  KeldarBusShortFrame* frame = telegram->short_frame;
  keldar_bus_ShortFrameClear(lib, frame);
  keldar_bus_SetCField(lib, frame, cField);
  keldar_bus_SetAField(lib, frame, address);
  keldar_bus_ShortFrameSerialize(lib, frame);
  return Transact(link, frame, address, telegram);
}

int Ping(const Link& link, std::uint8_t address) {
  Telegram telegram = NewTelegram(link.lib);
  if (!telegram) return KELDAR_BUS_RESULT_FAILED;
  const std::uint8_t sndNke = keldar_bus_CFieldSND_NKE(link.lib, telegram->short_frame);
  return SendShortFrame(link, sndNke, address, telegram.get());
}

bool ResetLink(const Link& link, std::uint8_t address) {
  if (address == kAddressSelected) return !link.Stopping() && link.PortUsable();
  return Ping(link, address) == KELDAR_BUS_RESULT_ACK;
}

int SendLongFrame(const Link& link, KeldarBusTelegram* telegram) {
  if (link.Stopping() || telegram == nullptr) return KELDAR_BUS_RESULT_FAILED;
  keldar_bus_CLongFrameSerialize(link.lib, telegram->long_frame);
  return Transact(link, telegram->long_frame, telegram->long_frame->a_field, telegram);
}

}  // namespace mbus
