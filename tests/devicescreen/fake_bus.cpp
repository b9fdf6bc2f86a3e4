#include "fake_bus.h"

#include <cassert>
#include <condition_variable>
#include <memory>
#include <thread>

namespace devicescreen::test {

struct FakeBus::State {
  mutable std::mutex mutex;
  std::condition_variable released;
  bool held = false;
  std::deque<Answer> queue;
  Answer fallback;
  std::vector<Answer> delivered;  // a buffer carries the index of its answer
  std::vector<SentRequest> sent;
  std::function<void()> hook;
  bool usable = true;
  int live = 0;
};

namespace {

FakeBus::State* gState = nullptr;

// A telegram with its frames and record list in one allocation.
struct FakeTelegram {
  KeldarBusTelegram telegram{};
  KeldarBusShortFrame shortFrame{};
  KeldarBusLongFrame longFrame{};
  KeldarBusUserData userData{};
  std::vector<std::unique_ptr<KeldarBusDataInfoBlock>> owned;
  std::vector<KeldarBusDataInfoBlock*> items;
};
static_assert(offsetof(FakeTelegram, telegram) == 0);

FakeBus::State& S() { return FakeBus::Current(); }

KeldarBusData* CreateData() {
  std::lock_guard lock(S().mutex);
  ++S().live;
  return new KeldarBusData{};
}
void DeleteData(KeldarBusData* data) {
  std::lock_guard lock(S().mutex);
  --S().live;
  delete data;
}
KeldarBusTelegram* CreateTelegram() {
  std::lock_guard lock(S().mutex);
  ++S().live;
  auto* fake = new FakeTelegram;
  fake->telegram.short_frame = &fake->shortFrame;
  fake->telegram.long_frame = &fake->longFrame;
  fake->telegram.user_data = &fake->userData;
  return &fake->telegram;
}
void DeleteTelegram(KeldarBusTelegram* telegram) {
  std::lock_guard lock(S().mutex);
  --S().live;
  delete reinterpret_cast<FakeTelegram*>(telegram);
}

uint8_t SndNke(const KeldarBusShortFrame*) { return 0x40; }
uint8_t ReqUd2(const KeldarBusShortFrame*) { return 0x5B; }
void ShortClear(KeldarBusShortFrame* frame) { *frame = KeldarBusShortFrame{}; }
void SetC(KeldarBusShortFrame* frame, uint8_t c) { frame->c_field = c; }
void SetA(KeldarBusShortFrame* frame, uint8_t a) { frame->a_field = a; }
int32_t Serialize(KeldarBusShortFrame* frame) {
  const uint8_t bytes[] = {0x10, frame->c_field, frame->a_field,
                           static_cast<uint8_t>(frame->c_field + frame->a_field), 0x16};
  frame->serialized.size = sizeof bytes;
  std::copy(std::begin(bytes), std::end(bytes), frame->serialized.bytes);
  return sizeof bytes;
}

int32_t Write(KeldarBusPort*, const void* frame) {
  const auto* data = static_cast<const KeldarBusData*>(frame);
  std::lock_guard lock(S().mutex);
  if (data->size == 5) S().sent.push_back({data->bytes[1], data->bytes[2]});
  return static_cast<int32_t>(data->size);
}

int32_t Read(KeldarBusPort*, KeldarBusData* buffer) {
  std::function<void()> hook;
  {
    std::lock_guard lock(S().mutex);
    hook = S().hook;
  }
  if (hook) hook();
  Answer answer;
  {
    std::unique_lock lock(S().mutex);
    S().released.wait_for(lock, std::chrono::seconds(5), [] { return !S().held; });
    if (S().queue.empty()) {
      answer = S().fallback;
    } else {
      answer = std::move(S().queue.front());
      S().queue.pop_front();
    }
  }
  std::this_thread::sleep_for(answer.delay);
  std::lock_guard lock(S().mutex);
  *buffer = KeldarBusData{};
  if (answer.kind == Answer::Kind::Silence) return 0;
  S().delivered.push_back(std::move(answer));
  buffer->size = 1;
  buffer->bytes[0] = static_cast<uint8_t>(S().delivered.size() - 1);
  return 1;
}

int32_t Status(const KeldarBusPort*) {
  std::lock_guard lock(S().mutex);
  return S().usable ? 1 : 0;
}

int32_t Parse(KeldarBusTelegram* telegram, const KeldarBusData* buffer) {
  if (buffer->size == 0) return KELDAR_BUS_RESULT_FAILED;
  Answer answer;
  {
    std::lock_guard lock(S().mutex);
    answer = S().delivered.at(buffer->bytes[0]);
  }
  if (answer.kind == Answer::Kind::Ack) return KELDAR_BUS_RESULT_ACK;
  auto* fake = reinterpret_cast<FakeTelegram*>(telegram);
  telegram->ci_field = answer.ci;
  {
    std::lock_guard lock(S().mutex);
    const std::uint8_t asked = S().sent.empty() ? 0 : S().sent.back().a;
    telegram->a_field = answer.address.value_or(asked);
  }
  telegram->medium = answer.medium;
  telegram->identification = answer.identification;
  std::snprintf(telegram->manufacturer_text, sizeof telegram->manufacturer_text, "KRV");
  std::snprintf(telegram->error_text, sizeof telegram->error_text, "%s", answer.errorText.c_str());
  for (const auto& record : answer.records) {
    fake->owned.push_back(std::make_unique<KeldarBusDataInfoBlock>(record));
    fake->items.push_back(fake->owned.back().get());
  }
  fake->userData.count = static_cast<uint32_t>(fake->items.size());
  fake->userData.items = fake->items.data();
  fake->longFrame.data_size = 1;
  fake->longFrame.data[0] = answer.more ? 1 : 0;
  return KELDAR_BUS_RESULT_USER_DATA;
}

int32_t Check(KeldarBusTelegram*, const KeldarBusLongFrame* frame) {
  return frame->data_size > 0 && frame->data[0] != 0 ? KELDAR_BUS_RESULT_MORE_RECORDS
                                                     : KELDAR_BUS_RESULT_LAST_TELEGRAM;
}

int32_t UserDataSize(const KeldarBusUserData* list) { return static_cast<int32_t>(list->count); }
KeldarBusDataInfoBlock* UserDataAt(KeldarBusUserData* list, int32_t index) {
  if (index < 0 || static_cast<uint32_t>(index) >= list->count) return nullptr;
  return list->items[index];
}

template <typename Fn>
KeldarEntry Entry(Fn fn) {
  return reinterpret_cast<KeldarEntry>(fn);
}

}  // namespace

FakeBus::State& FakeBus::Current() {
  assert(gState != nullptr);
  return *gState;
}

FakeBus::FakeBus() {
  assert(gState == nullptr);
  gState = new State;
  lib_.module = this;
  lib_.CreateDataMbus = Entry(CreateData);
  lib_.DeleteDataMbus = Entry(DeleteData);
  lib_.CreateTelegramMbus = Entry(CreateTelegram);
  lib_.DeleteTelegramMbus = Entry(DeleteTelegram);
  lib_.CFieldSND_NKE.entry = Entry(SndNke);
  lib_.getCFieldREQ_UD2.entry = Entry(ReqUd2);
  lib_.ShortFrameClear.entry = Entry(ShortClear);
  lib_.SetCField.entry = Entry(SetC);
  lib_.SetAField.entry = Entry(SetA);
  lib_.ShortFrameSerialize.entry = Entry(Serialize);
  lib_.CProcessComPortWriteData.entry = Entry(Write);
  lib_.CProcessComPortReadData.entry = Entry(Read);
  lib_.CProcessComPortGetStatus.entry = Entry(Status);
  lib_.ParserTelegram.entry = Entry(Parse);
  lib_.CheckErrors.entry = Entry(Check);
  lib_.UserDataSize.entry = Entry(UserDataSize);
  lib_.UserDataGetIndexData.entry = Entry(UserDataAt);
}

FakeBus::~FakeBus() {
  delete gState;
  gState = nullptr;
}

void FakeBus::Queue(Answer answer) {
  std::lock_guard lock(gState->mutex);
  gState->queue.push_back(std::move(answer));
}

void FakeBus::SetDefault(Answer answer) {
  std::lock_guard lock(gState->mutex);
  gState->fallback = std::move(answer);
}

void FakeBus::SetPortUsable(bool usable) {
  std::lock_guard lock(gState->mutex);
  gState->usable = usable;
}

void FakeBus::HoldReads() {
  std::lock_guard lock(gState->mutex);
  gState->held = true;
}

void FakeBus::ReleaseReads() {
  {
    std::lock_guard lock(gState->mutex);
    gState->held = false;
  }
  gState->released.notify_all();
}

void FakeBus::OnRead(std::function<void()> hook) {
  std::lock_guard lock(gState->mutex);
  gState->hook = std::move(hook);
}

std::vector<SentRequest> FakeBus::Sent() const {
  std::lock_guard lock(gState->mutex);
  return gState->sent;
}

int FakeBus::LiveObjects() const {
  std::lock_guard lock(gState->mutex);
  return gState->live;
}

}  // namespace devicescreen::test
