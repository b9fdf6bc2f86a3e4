// The exchanges the shell makes, written against the library's interface
// objects, for the round-trip tests.
#pragma once

#include <functional>
#include <string>

#include "abi_builders.h"
#include "abi_frames.h"
#include "abi_objects.h"
#include "abi_port.h"
#include "abi_telegram.h"

namespace keldar::bus::test {

class TelegramHolder {
 public:
  TelegramHolder() = default;
  TelegramHolder(const TelegramHolder&) = delete;
  TelegramHolder& operator=(const TelegramHolder&) = delete;
  ~TelegramHolder() { abi::DeleteTelegram(telegram_); }
  KeldarBusTelegram* operator->() const { return telegram_; }
  KeldarBusTelegram* get() const { return telegram_; }
  int Size() const { return abi::UserDataSize(telegram_->user_data); }
  const KeldarBusDataInfoBlock& Record(int i) const {
    return *abi::UserDataGetIndex(telegram_->user_data, i);
  }
  // The first record with this VIF (without extension bit) and first VIFE
  // (-1: none), or nullptr.
  const KeldarBusDataInfoBlock* Find(int vif, int vife = -1) const {
    for (int i = 0; i < Size(); ++i) {
      const auto& r = Record(i);
      if (r.vif == vif && (vife < 0 || abi::VifeGetIndex(&r.vife, 0) == vife)) return &r;
    }
    return nullptr;
  }

 private:
  KeldarBusTelegram* telegram_ = abi::CreateTelegram();
};

class BusMaster {
 public:
  BusMaster(const std::string& path, int baud)
      : port_(abi::CreatePort(0, 254, path.c_str(), baud)) {}
  BusMaster(const BusMaster&) = delete;
  BusMaster& operator=(const BusMaster&) = delete;
  ~BusMaster() {
    abi::DeletePort(port_);
    abi::DeleteData(buffer_);
  }

  KeldarBusPort* Port() const { return port_; }
  bool Usable() const { return abi::PortGetStatus(port_) == 1; }
  bool SetSpeed(int baud) { return abi::PortSetSpeed(port_, baud) == 1; }

  int Ping(std::uint8_t address) {
    KeldarBusShortFrame frame{};
    abi::ShortFrameSetC(&frame, 0x40);
    abi::ShortFrameSetA(&frame, address);
    abi::ShortFrameSerialize(&frame);
    TelegramHolder answer;
    return Exchange(&frame, answer.get());
  }

  // SND_UD built by `build` into a long frame; the parse result of the answer.
  int Send(const std::function<int32_t(KeldarBusLongFrame*)>& build,
           KeldarBusTelegram* answer = nullptr) {
    KeldarBusLongFrame frame{};
    if (build(&frame) != 1) return -1;
    abi::LongFrameSerialize(&frame);
    TelegramHolder own;
    return Exchange(&frame, answer != nullptr ? answer : own.get());
  }

  // REQ_UD2 until the last telegram; records appended to `target`.
  int ReadUserData(std::uint8_t address, KeldarBusTelegram* target) {
    for (int telegrams = 0; telegrams < 16; ++telegrams) {
      KeldarBusShortFrame frame{};
      abi::ShortFrameSetC(&frame, 0x5B);
      abi::ShortFrameSetA(&frame, address);
      abi::ShortFrameSerialize(&frame);
      TelegramHolder fresh;
      const int result = Exchange(&frame, fresh.get());
      if (result != KELDAR_BUS_RESULT_USER_DATA) return result;
      CopyHeader(*fresh.get(), *target);
      for (int i = 0; i < fresh.Size(); ++i) {
        abi::UserDataPushBack(target->user_data, abi::CopyRecord(&fresh.Record(i)));
      }
      if (abi::CheckErrors(target, fresh->long_frame) != KELDAR_BUS_RESULT_MORE_RECORDS) {
        return result;
      }
    }
    return KELDAR_BUS_RESULT_FAILED;
  }

  // A selection for readout, then the answer it selects.
  int Query(std::uint8_t address, const std::function<int32_t(KeldarBusLongFrame*)>& build,
            KeldarBusTelegram* target) {
    const int ack = Send(build);
    if (ack != KELDAR_BUS_RESULT_ACK) return ack;
    return ReadUserData(address, target);
  }

 private:
  int Exchange(const void* frame, KeldarBusTelegram* answer) {
    if (abi::PortWrite(port_, frame) != 1) return KELDAR_BUS_RESULT_FAILED;
    abi::PortRead(port_, buffer_);
    return abi::ParseTelegram(answer, buffer_);
  }

  static void CopyHeader(const KeldarBusTelegram& from, KeldarBusTelegram& to) {
    to.ci_field = from.ci_field;
    to.a_field = from.a_field;
    to.identification = from.identification;
    to.manufacturer = from.manufacturer;
    abi::CopyText(to.manufacturer_text, from.manufacturer_text);
    to.version = from.version;
    to.medium = from.medium;
    to.access_number = from.access_number;
    to.status = from.status;
    to.signature = from.signature;
  }

  KeldarBusPort* port_;
  KeldarBusData* buffer_ = abi::CreateData();
};

}  // namespace keldar::bus::test
