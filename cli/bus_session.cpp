#include "bus_session.h"

#include <algorithm>
#include <iterator>

namespace keldar::cli {

namespace {

constexpr int kMaxTelegrams = 64;  // a meter that never says "last" is cut off

void CopyHeader(const KeldarBusTelegram& from, KeldarBusTelegram& to) {
  to.c_field = from.c_field;
  to.a_field = from.a_field;
  to.ci_field = from.ci_field;
  to.identification = from.identification;
  to.manufacturer = from.manufacturer;
  std::copy(std::begin(from.manufacturer_text), std::end(from.manufacturer_text),
            std::begin(to.manufacturer_text));
  to.version = from.version;
  to.medium = from.medium;
  to.access_number = from.access_number;
  to.status = from.status;
  to.signature = from.signature;
  to.application_error = from.application_error;
  std::copy(std::begin(from.error_text), std::end(from.error_text), std::begin(to.error_text));
}

}  // namespace

BusSession::BusSession(const KeldarBusProtocolLibrary* lib, const std::string& device_path,
                       int baud)
    : lib_(lib),
      port_(lib, keldar_bus_CreateCProcessComPort(lib, 0, KELDAR_BUS_ADDRESS_ANY,
                                                  device_path.c_str(), baud)),
      buffer_(NewBuffer(lib)) {}

bool BusSession::PortUsable() const {
  return port_.get() != nullptr && keldar_bus_CProcessComPortGetStatus(lib_, port_.get()) != 0;
}

int BusSession::Exchange(const void* frame, KeldarBusTelegram* answer) {
  if (keldar_bus_CProcessComPortWriteData(lib_, port_.get(), frame) == 0) {
    return KELDAR_BUS_RESULT_FAILED;
  }
  keldar_bus_DataMbusClear(lib_, buffer_.get());
  keldar_bus_CProcessComPortReadData(lib_, port_.get(), buffer_.get());
  return keldar_bus_ParserTelegram(lib_, answer, buffer_.get());
}

int BusSession::LinkReset(std::uint8_t address) {
  Telegram t = NewTelegram(lib_);
  keldar_bus_ShortFrameClear(lib_, t->short_frame);
  keldar_bus_SetCField(lib_, t->short_frame, keldar_bus_CFieldSND_NKE(lib_, t->short_frame));
  keldar_bus_SetAField(lib_, t->short_frame, address);
  keldar_bus_ShortFrameSerialize(lib_, t->short_frame);
  return Exchange(t->short_frame, t.get());
}

int BusSession::ReadUserData(std::uint8_t address, KeldarBusTelegram* target, int& telegrams) {
  telegrams = 0;
  while (telegrams < kMaxTelegrams) {
    Telegram fresh = NewTelegram(lib_);
    keldar_bus_ShortFrameClear(lib_, fresh->short_frame);
    keldar_bus_SetCField(lib_, fresh->short_frame,
                         keldar_bus_getCFieldREQ_UD2(lib_, fresh->short_frame));
    keldar_bus_SetAField(lib_, fresh->short_frame, address);
    keldar_bus_ShortFrameSerialize(lib_, fresh->short_frame);
    const int result = Exchange(fresh->short_frame, fresh.get());
    if (result != KELDAR_BUS_RESULT_USER_DATA) return result;
    ++telegrams;
    CopyHeader(*fresh.get(), *target);
    const int count = keldar_bus_UserDataSize(lib_, fresh->user_data);
    for (int i = 0; i < count; ++i) {
      const auto* record = keldar_bus_UserDataGetIndexData(lib_, fresh->user_data, i);
      if (auto* copy = keldar_bus_CopyDataInfoBlock(lib_, record)) {
        keldar_bus_UserDataPushBack(lib_, target->user_data, copy);
      }
    }
    if (keldar_bus_CheckErrors(lib_, target, fresh->long_frame) != KELDAR_BUS_RESULT_MORE_RECORDS) {
      return result;
    }
  }
  return KELDAR_BUS_RESULT_FAILED;
}

}  // namespace keldar::cli
