#include "device.h"

#include <cstdio>

namespace keldar::sim {

namespace {

constexpr std::uint8_t kSelectedAddress = 253;
constexpr std::uint8_t kAnyAddress = 254;
constexpr std::uint8_t kBroadcast = 255;
constexpr std::uint8_t kRspUd = 0x08;
constexpr std::uint8_t kVariableData = 0x72;
constexpr std::uint8_t kDataSend = 0x51;
constexpr std::uint8_t kReadoutField = 0x08;

const Bytes kModelVib{0xFD, 0x0C};
const Bytes kSoftwareVib{0xFD, 0x0F};
const Bytes kMediumVib{0xFD, 0x09};
const Bytes kSecondaryVib{0x79};
const Bytes kAddressVib{0x7A};
const Bytes kFabricationVib{0x78};
const Bytes kDateTimeVib{0x6D};
const Bytes kAnyVib{0x7E};

std::optional<int> SpeedOfCi(std::uint8_t ci) {
  static constexpr int kSpeeds[] = {300, 600, 1200, 2400, 4800, 9600, 19200, 38400};
  if (ci < 0xB8 || ci > 0xBF) return std::nullopt;
  return kSpeeds[ci - 0xB8];
}

Bytes Join(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::uint32_t Le32(const Bytes& b) {
  return static_cast<std::uint32_t>(b[0] | b[1] << 8 | b[2] << 16) | std::uint32_t{b[3]} << 24;
}

std::optional<Bytes> PulseVib(const Bytes& vib) {
  if (vib.size() == 2 && (vib[0] & 0x7F) == 0x13 && (vib[1] == 0x28 || vib[1] == 0x29)) {
    return vib;
  }
  return std::nullopt;
}

}  // namespace

Device::Device(const MeterDescription& meter)
    : meter_(&meter),
      device_(meter.device),
      address_(meter.address),
      speed_(meter.speed),
      records_(meter.device.records),
      access_(meter.access) {
  pulse_weight_[0] = meter.pulse_weight[0];
  pulse_weight_[1] = meter.pulse_weight[1];
}

Device::Device(const MeterDescription& meter, Device* parent, int input)
    : meter_(&meter),
      device_(*meter.inputs[input]),
      parent_(parent),
      input_(input),
      records_(meter.inputs[input]->records) {}

bool Device::Present() const { return parent_ == nullptr || parent_->pulse_weight_[input_] != 0; }
int Device::Speed() const { return parent_ != nullptr ? parent_->speed_ : speed_; }
bool Device::LeavesSelectionOnReset() const { return meter_->standard_selection; }

int Device::ReplyDelayMs() const { return meter_->reply_delay_ms; }

bool Device::Hears(std::uint8_t address) const {
  if (address == kSelectedAddress) return selected_;
  if (parent_ != nullptr) return false;  // sub-devices have no primary address
  return address == kAnyAddress || address == kBroadcast || address == address_;
}

Bytes Device::LinkReset() {
  last_count_bit_.reset();
  last_answer_.clear();
  next_part_ = 0;
  readout_.clear();
  return {kAck};
}

Bytes Device::Header() {
  const std::uint16_t maker = meter_->manufacturer;
  Bytes h = LittleEndian(device_.identification, 4);
  h.push_back(static_cast<std::uint8_t>(maker));
  h.push_back(static_cast<std::uint8_t>(maker >> 8));
  h.push_back(device_.version);
  h.push_back(device_.medium);
  h.push_back(access_);
  h.push_back(parent_ != nullptr ? std::uint8_t{0} : meter_->status);
  const std::uint16_t signature = parent_ != nullptr ? 0 : meter_->signature;
  h.push_back(static_cast<std::uint8_t>(signature));
  h.push_back(static_cast<std::uint8_t>(signature >> 8));
  return h;
}

Bytes Device::AnswerFrame(const Bytes& records) {
  std::uint8_t a = parent_ != nullptr ? kSelectedAddress : address_;
  if (parent_ == nullptr && meter_->answer_address) a = *meter_->answer_address;
  return LongFrame(kRspUd, a, kVariableData, Join(Header(), records));
}

std::vector<Bytes> Device::FileRecords() const {
  std::vector<Bytes> out;
  for (const auto& r : records_) out.push_back(Join(r.header, r.data));
  return out;
}

Bytes Device::NextReadout() {
  if (parent_ == nullptr && !meter_->replay.empty()) {
    return meter_->replay[next_part_++ % meter_->replay.size()];
  }
  const std::vector<Bytes> all = FileRecords();
  const std::size_t per = parent_ == nullptr && meter_->records_per_telegram > 0
                              ? meter_->records_per_telegram
                              : all.size() + 1;
  const std::size_t parts = all.empty() ? 1 : (all.size() + per - 1) / per;
  const std::size_t part = next_part_ % parts;
  next_part_ = part + 1;
  Bytes records;
  for (std::size_t i = part * per; i < all.size() && i < (part + 1) * per; ++i) {
    records.insert(records.end(), all[i].begin(), all[i].end());
  }
  if (part + 1 < parts) {
    records.push_back(0x1F);  // more records follow
  } else if (parent_ == nullptr && !meter_->manufacturer_data.empty()) {
    records.push_back(0x0F);
    records.insert(records.end(), meter_->manufacturer_data.begin(),
                   meter_->manufacturer_data.end());
  }
  return AnswerFrame(records);
}

Bytes Device::RequestUserData(bool count_valid, bool count_bit) {
  if (!meter_->answers_user_data) return {};
  // The master did not toggle the frame-count bit: it missed our answer.
  if (count_valid && last_count_bit_ == count_bit && !last_answer_.empty()) return last_answer_;
  ++access_;
  Bytes answer;
  if (!readout_.empty()) {
    answer = AnswerFrame(SelectedRecords());
    readout_.clear();
  } else {
    answer = NextReadout();
  }
  last_answer_ = answer;
  last_count_bit_ = count_valid ? std::optional<bool>(count_bit) : std::nullopt;
  return answer;
}

Bytes Device::SelectedRecords() const {
  Bytes records;
  for (const auto& item : readout_) {
    const Bytes found = item.subunit == 0 ? RecordsFor(item) : SubunitRecords(item);
    records.insert(records.end(), found.begin(), found.end());
  }
  return records;
}

Bytes Device::RecordsFor(const ReadoutItem& item) const {
  const Bytes& vib = item.vib;
  const bool meter = parent_ == nullptr;
  if (SameVib(vib, kModelVib)) return TextRecord({0x0D}, kModelVib, device_.model);
  if (SameVib(vib, kSoftwareVib)) return TextRecord({0x0D}, kSoftwareVib, device_.software);
  if (SameVib(vib, kSecondaryVib)) {
    if (meter && meter_->secondary_address == MeterDescription::Secondary::None) return {};
    return Join({0x0C, 0x79}, LittleEndian(device_.secondary, 4));
  }
  if (SameVib(vib, kFabricationVib)) {
    return Join({0x0C, 0x78}, LittleEndian(device_.identification, 4));
  }
  if (SameVib(vib, kMediumVib)) return {0x01, 0xFD, 0x09, device_.medium};
  if (meter && SameVib(vib, kAddressVib)) return {0x01, 0x7A, address_};
  if (meter && PulseVib(vib)) {
    return Join({0x04, 0x93, vib[1]}, LittleEndian(pulse_weight_[vib[1] - 0x28], 4));
  }
  Bytes found;
  for (const auto& r : records_) {
    std::size_t pos = 0;
    const auto block = ReadBlockHeader(r.header, pos);
    if (!block || block->subunit != 0 || block->storage != item.storage) continue;
    if (SameVib(vib, kAnyVib) || SameVib(vib, block->vib)) {
      found.insert(found.end(), r.header.begin(), r.header.end());
      found.insert(found.end(), r.data.begin(), r.data.end());
    }
  }
  return found;
}

Bytes Device::SubunitRecords(const ReadoutItem& item) const {
  // Sub-unit s is the sub-device on input s - 1.
  if (parent_ != nullptr || item.subunit > 2) return {};
  const int input = static_cast<int>(item.subunit) - 1;
  const Device* sub = inputs_[input];
  if (sub == nullptr || pulse_weight_[input] == 0) return {};
  if (PulseVib(item.vib) && item.vib[1] == 0x28) {
    return Join(Join(DataInformation(0x04, item.subunit), {0x93, 0x28}),
                LittleEndian(pulse_weight_[input], 4));
  }
  if (SameVib(item.vib, kSecondaryVib)) {
    return Join(Join(DataInformation(0x0C, item.subunit), kSecondaryVib),
                LittleEndian(sub->device_.secondary, 4));
  }
  if (SameVib(item.vib, kModelVib)) {
    return TextRecord(DataInformation(0x0D, item.subunit), kModelVib, sub->device_.model);
  }
  return {};
}

bool Device::ApplyWrite(const BlockHeader& block, const Bytes& data, bool commit) {
  const bool meter = parent_ == nullptr;
  const std::uint8_t field = block.dif & 0x0F;
  if (block.subunit != 0) return false;
  if (meter && field == 0x01 && SameVib(block.vib, kAddressVib)) {
    if (data[0] > 250) return false;
    if (commit) address_ = data[0];
    return true;
  }
  if (field == 0x0C && SameVib(block.vib, kSecondaryVib)) {
    if (meter && meter_->secondary_address != MeterDescription::Secondary::Writable) return false;
    if (commit) device_.secondary = Le32(data);
    return true;
  }
  if (field == 0x0C && SameVib(block.vib, kFabricationVib)) {
    if (commit) device_.identification = Le32(data);
    return true;
  }
  if (field == 0x01 && SameVib(block.vib, kMediumVib)) {
    if (commit) device_.medium = data[0];
    return true;
  }
  if (meter && field == 0x04 && PulseVib(block.vib)) {
    if (commit) pulse_weight_[block.vib[1] - 0x28] = Le32(data);
    return true;
  }
  if (field == 0x04 && SameVib(block.vib, kDateTimeVib)) {
    if (commit) {
      for (auto& r : records_) {
        std::size_t pos = 0;
        const auto held = ReadBlockHeader(r.header, pos);
        if (held && SameVib(held->vib, kDateTimeVib) && r.data.size() == 4) r.data = data;
      }
    }
    return true;
  }
  return false;
}

Bytes Device::SendUserData(std::uint8_t ci, const Bytes& data) {
  if (parent_ == nullptr && meter_->ignores_writes) return {};
  if (const auto speed = SpeedOfCi(ci)) {
    if (parent_ != nullptr || !data.empty()) return {};
    pending_speed_ = *speed;  // after the acknowledgement, at the old speed
    return {kAck};
  }
  if (ci != kDataSend) return {};
  // Walk the records twice: check all, then change the state only if every
  // one is understood.
  std::vector<ReadoutItem> readout;
  bool global = false;
  for (bool commit : {false, true}) {
    std::size_t pos = 0;
    while (pos < data.size()) {
      if (data[pos] == 0x7F) {  // global readout request
        global = true;
        ++pos;
        continue;
      }
      const auto block = ReadBlockHeader(data, pos);
      if (!block) return {};
      const int length = DataLength(block->dif);
      if ((block->dif & 0x0F) == kReadoutField) {
        if (!commit) readout.push_back({block->subunit, block->storage, block->vib});
        continue;
      }
      if (length <= 0 || pos + static_cast<std::size_t>(length) > data.size()) return {};
      const Bytes value(data.begin() + static_cast<std::ptrdiff_t>(pos),
                        data.begin() + static_cast<std::ptrdiff_t>(pos) + length);
      pos += static_cast<std::size_t>(length);
      if (!ApplyWrite(*block, value, commit)) return {};
    }
  }
  if (global) {
    readout_.clear();
  } else if (!readout.empty()) {
    readout_ = readout;
  }
  return {kAck};
}

bool Device::ApplySelection(const Bytes& data) {
  selected_ = false;
  if (data.size() < 8) return false;
  for (int nibble = 0; nibble < 8; ++nibble) {
    const int sent = (data[static_cast<std::size_t>(nibble / 2)] >> (nibble % 2 * 4)) & 0x0F;
    const int held = static_cast<int>(device_.secondary >> (nibble * 4)) & 0x0F;
    if (sent != 0x0F && sent != held) return false;
  }
  const std::uint16_t maker = static_cast<std::uint16_t>(data[4] | data[5] << 8);
  if (maker != 0xFFFF && maker != meter_->manufacturer) return false;
  if (data[6] != 0xFF && data[6] != device_.version) return false;
  if (data[7] != 0xFF && data[7] != device_.medium) return false;
  if (data.size() > 8) {
    // One more record: the model, "0D FD 0C" + LVAR + text last character first.
    std::size_t pos = 8;
    const auto block = ReadBlockHeader(data, pos);
    if (!block || block->dif != 0x0D || !SameVib(block->vib, kModelVib) || pos >= data.size()) {
      return false;
    }
    const std::size_t length = data[pos++];
    if (pos + length != data.size()) return false;
    const std::string model(data.rbegin(), data.rbegin() + static_cast<std::ptrdiff_t>(length));
    if (model != device_.model) return false;
  }
  selected_ = true;
  last_count_bit_.reset();
  return true;
}

void Device::ApplyPendingSpeed() {
  if (pending_speed_ != 0) speed_ = pending_speed_;
  pending_speed_ = 0;
}

std::string Device::StateText() const {
  // The identification numbers are BCD: their hex digits are the decimal ones.
  char secondary[9];
  char fabrication[9];
  std::snprintf(secondary, sizeof secondary, "%08X", static_cast<unsigned>(device_.secondary));
  std::snprintf(fabrication, sizeof fabrication, "%08X",
                static_cast<unsigned>(device_.identification));
  const unsigned address = parent_ == nullptr ? address_ : 253U;
  return "model = " + device_.model + "\nprimary_address = " + std::to_string(address) +
         "\nspeed = " + std::to_string(Speed()) + "\nsecondary_address = " + secondary +
         "\nfabrication_number = " + fabrication + "\nmedium = " + std::to_string(device_.medium) +
         "\n";
}

}  // namespace keldar::sim
