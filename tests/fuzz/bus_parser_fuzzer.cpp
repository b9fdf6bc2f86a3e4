// Arbitrary bytes through everything that reads bytes from the bus: the frame
// scanner, the sorting of a read into one answer, the parse into a telegram
// object, the record decoder behind every CI-field, and the more-records check.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "abi_objects.h"
#include "abi_telegram.h"
#include "answer_assembler.h"
#include "frame_codec.h"
#include "telegram_decoder.h"

namespace bus = keldar::bus;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);

  // As a stream off the line: scan frame after frame.
  for (std::size_t offset = 0; offset < bytes.size();) {
    const bus::ScanResult scan = bus::ScanFrame(bytes.subspan(offset));
    if (scan.outcome != bus::ScanOutcome::kFound) break;
    offset += scan.start + scan.length;
  }

  // As what came back for a request, in reads of the sizes the first bytes
  // say, some before the request could have been heard.
  if (bytes.size() > 5) {
    bus::AnswerAssembler answer(bytes.first(5));
    for (std::size_t offset = 5, read = 0; offset < bytes.size(); ++read) {
      const std::size_t length =
          std::min<std::size_t>(1 + bytes[read % 5] % 16, bytes.size() - offset);
      answer.Feed(bytes.subspan(offset, length), (bytes[read % 5] & 0x80) != 0);
      (void)answer.Current();
      offset += length;
    }
  }

  // As one received frame, parsed into a telegram the way the shell does.
  KeldarBusTelegram* telegram = bus::abi::CreateTelegram();
  KeldarBusData buffer{};
  if (bus::abi::AssignData(buffer, bytes)) {
    bus::abi::ParseTelegram(telegram, &buffer);
    bus::abi::CheckErrors(telegram, telegram->long_frame);
  }
  bus::abi::DeleteTelegram(telegram);

  // As the user data of a valid frame: the first byte picks the CI-field,
  // so the record decoder is reached without a matching check sum.
  if (!bytes.empty() && bytes.size() <= 1 + bus::kMaxLongData) {
    const bus::LongFrame frame{0x08, 0x01, bytes[0],
                               std::vector<std::uint8_t>(bytes.begin() + 1, bytes.end())};
    const bus::DecodeOutcome outcome = bus::DecodeAnswer(frame);
    if (outcome.telegram) {
      for (const auto& record : outcome.telegram->records) {
        bus::abi::DeleteRecord(bus::abi::ToAbiRecord(record).release());
      }
    }
  }
  return 0;
}
