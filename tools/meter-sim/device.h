// One station on the simulated bus: a meter, or the sub-device hanging on one
// of its pulse inputs. Holds the link state (frame count, selection) and the
// values the configuration commands change.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "meter_file.h"
#include "record_coding.h"

namespace keldar::sim {

class Device {
 public:
  explicit Device(const MeterDescription& meter);                    // a meter
  Device(const MeterDescription& meter, Device* parent, int input);  // its sub-device

  bool Present() const;  // a sub-device exists while its input has a pulse weight
  int Speed() const;
  int ReplyDelayMs() const;
  bool Hears(std::uint8_t address) const;
  bool Selected() const { return selected_; }
  // A standard device leaves the selected state on SND_NKE to 253 and on a
  // deselection; one that keeps its selection ignores both.
  bool LeavesSelectionOnReset() const;
  void Deselect() { selected_ = false; }

  Bytes LinkReset();
  Bytes RequestUserData(bool count_valid, bool count_bit);
  Bytes SendUserData(std::uint8_t ci, const Bytes& data);
  // Secondary addressing: matches every field given; selects or deselects.
  bool ApplySelection(const Bytes& data);
  void ApplyPendingSpeed();
  // What the configuration commands can change, as "key = value" lines.
  std::string StateText() const;

 private:
  struct ReadoutItem {
    std::uint32_t subunit;
    std::uint64_t storage;
    Bytes vib;
  };

  Bytes Header();
  Bytes AnswerFrame(const Bytes& records);
  Bytes NextReadout();
  Bytes SelectedRecords() const;
  Bytes RecordsFor(const ReadoutItem& item) const;
  Bytes SubunitRecords(const ReadoutItem& item) const;
  bool ApplyWrite(const BlockHeader& block, const Bytes& data, bool commit);
  std::vector<Bytes> FileRecords() const;

  const MeterDescription* meter_;
  DeviceDescription device_;
  Device* parent_ = nullptr;
  int input_ = -1;
  Device* inputs_[2] = {nullptr, nullptr};
  friend class Bus;

  // What the configuration commands change.
  std::uint8_t address_ = 0;
  int speed_ = 0;
  std::uint32_t pulse_weight_[2] = {0, 0};
  std::vector<RecordDescription> records_;

  // Link state.
  std::uint8_t access_ = 0;
  bool selected_ = false;
  int pending_speed_ = 0;
  std::optional<bool> last_count_bit_;
  Bytes last_answer_;
  std::size_t next_part_ = 0;
  std::vector<ReadoutItem> readout_;
};

}  // namespace keldar::sim
