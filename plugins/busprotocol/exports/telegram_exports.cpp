// Exports of telegrams, short and long frames.
#include "abi_frames.h"
#include "abi_objects.h"
#include "abi_telegram.h"
#include "export_guard.h"
#include "frame_codec.h"

using keldar::bus::exports::Guarded;
namespace abi = keldar::bus::abi;
namespace bus = keldar::bus;

extern "C" {

KELDAR_PLUGIN_EXPORT KeldarBusTelegram* _CreateTelegramMbus() {
  return Guarded<KeldarBusTelegram*>(nullptr, [] { return abi::CreateTelegram(); });
}
KELDAR_PLUGIN_EXPORT void _DeleteTelegramMbus(KeldarBusTelegram* telegram) {
  Guarded([&] { abi::DeleteTelegram(telegram); });
}
KELDAR_PLUGIN_EXPORT KeldarBusLongFrame* _CreateCLongFrame() {
  return Guarded<KeldarBusLongFrame*>(nullptr, [] { return abi::CreateLongFrame(); });
}
KELDAR_PLUGIN_EXPORT void _DeleteCLongFrame(KeldarBusLongFrame* frame) {
  Guarded([&] { abi::DeleteLongFrame(frame); });
}

}  // extern "C"

namespace {

int32_t ParserTelegram(KeldarBusTelegram* t, const KeldarBusData* d) {
  return Guarded(KELDAR_BUS_RESULT_FAILED, [&] { return abi::ParseTelegram(t, d); });
}
int32_t CheckErrors(KeldarBusTelegram* t, const KeldarBusLongFrame* f) {
  return Guarded(KELDAR_BUS_RESULT_NO_USER_DATA, [&] { return abi::CheckErrors(t, f); });
}

uint8_t SndNke(const KeldarBusShortFrame*) { return bus::kSndNke; }
uint8_t ReqUd2(const KeldarBusShortFrame*) { return bus::kReqUd2; }
uint8_t SndUd(const KeldarBusLongFrame*) { return bus::kSndUd; }
void ShortClear(KeldarBusShortFrame* f) { abi::ShortFrameClear(f); }
void SetC(KeldarBusShortFrame* f, uint8_t c) { abi::ShortFrameSetC(f, c); }
void SetA(KeldarBusShortFrame* f, uint8_t a) { abi::ShortFrameSetA(f, a); }
int32_t ShortSerialize(KeldarBusShortFrame* f) {
  return Guarded(0, [&] { return abi::ShortFrameSerialize(f); });
}
void LongClear(KeldarBusLongFrame* f) { abi::LongFrameClear(f); }
int32_t LongSerialize(KeldarBusLongFrame* f) {
  return Guarded(0, [&] { return abi::LongFrameSerialize(f); });
}
int32_t GeneratePaket(KeldarBusLongFrame* f, uint8_t c, uint8_t a, uint8_t ci, const uint8_t* data,
                      int32_t size) {
  return Guarded(0, [&] { return abi::GeneratePacket(f, c, a, ci, data, size); });
}

}  // namespace

KELDAR_BUS_GETTER(ParserTelegram, KeldarBusParserTelegramFn, &ParserTelegram)
KELDAR_BUS_GETTER(CheckErrors, KeldarBusCheckErrorsFn, &CheckErrors)
KELDAR_BUS_GETTER(CFieldSND_NKE, KeldarBusShortFrameCFieldFn, &SndNke)
KELDAR_BUS_GETTER(getCFieldREQ_UD2, KeldarBusShortFrameCFieldFn, &ReqUd2)
KELDAR_BUS_GETTER(getCFieldSND_UD, KeldarBusLongFrameCFieldFn, &SndUd)
KELDAR_BUS_GETTER(ShortFrameClear, KeldarBusShortFrameClearFn, &ShortClear)
KELDAR_BUS_GETTER(SetCField, KeldarBusShortFrameSetFieldFn, &SetC)
KELDAR_BUS_GETTER(SetAField, KeldarBusShortFrameSetFieldFn, &SetA)
KELDAR_BUS_GETTER(ShortFrameSerialize, KeldarBusShortFrameSerializeFn, &ShortSerialize)
KELDAR_BUS_GETTER(LongFrameClear, KeldarBusLongFrameClearFn, &LongClear)
KELDAR_BUS_GETTER(CLongFrameSerialize, KeldarBusCLongFrameSerializeFn, &LongSerialize)
KELDAR_BUS_GETTER(GeneratePaket, KeldarBusGeneratePaketFn, &GeneratePaket)
