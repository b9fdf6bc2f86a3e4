#include "abi_objects.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace keldar::bus::abi {

namespace {

constexpr std::uint32_t kListCookie = 0x4B4C5354;  // marks lists this library made

// A user-data list: the C view (count, items) over records it owns.
struct UserDataList final : KeldarBusUserData {
  UserDataList() : KeldarBusUserData{} { reserved = kListCookie; }
  ~UserDataList() { reserved = 0; }
  UserDataList(const UserDataList&) = delete;
  UserDataList& operator=(const UserDataList&) = delete;

  void Sync() {
    view.clear();
    for (const auto& r : owned) view.push_back(r.get());
    count = static_cast<std::uint32_t>(view.size());
    items = view.data();
  }

  std::vector<std::unique_ptr<KeldarBusDataInfoBlock>> owned;
  std::vector<KeldarBusDataInfoBlock*> view;
};

UserDataList* Impl(KeldarBusUserData* list) {
  return list != nullptr && list->reserved == kListCookie ? static_cast<UserDataList*>(list)
                                                          : nullptr;
}
const UserDataList* Impl(const KeldarBusUserData* list) {
  return list != nullptr && list->reserved == kListCookie ? static_cast<const UserDataList*>(list)
                                                          : nullptr;
}

struct TelegramObject final : KeldarBusTelegram {
  TelegramObject() : KeldarBusTelegram{} {
    short_frame = &short_storage;
    long_frame = &long_storage;
    user_data = &list;
    application_error = -1;
  }
  TelegramObject(const TelegramObject&) = delete;
  TelegramObject& operator=(const TelegramObject&) = delete;

  KeldarBusShortFrame short_storage{};
  KeldarBusLongFrame long_storage{};
  UserDataList list;
};

int32_t Flag(bool value) { return value ? 1 : 0; }

}  // namespace

void CopyTextInto(char* field, std::size_t size, std::string_view text) {
  if (size == 0) return;
  std::size_t n = std::min(text.size(), size - 1);
  // Never end inside a UTF-8 sequence.
  if (n < text.size()) {
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  }
  std::memcpy(field, text.data(), n);
  std::memset(field + n, 0, size - n);
}

KeldarBusData* CreateData() { return new KeldarBusData{}; }
void DeleteData(KeldarBusData* data) { delete data; }
int32_t DataSize(const KeldarBusData* data) {
  return data != nullptr ? static_cast<int32_t>(data->size) : 0;
}
int32_t DataPushBack(KeldarBusData* data, std::uint8_t byte) {
  if (data == nullptr || data->size >= KELDAR_BUS_FRAME_CAPACITY) return 0;
  data->bytes[data->size++] = byte;
  return 1;
}
int32_t DataGetIndex(const KeldarBusData* data, int32_t index) {
  if (data == nullptr || index < 0 || static_cast<std::uint32_t>(index) >= data->size ||
      data->size > KELDAR_BUS_FRAME_CAPACITY) {
    return -1;
  }
  return data->bytes[index];
}
int32_t DataEmpty(const KeldarBusData* data) { return Flag(data == nullptr || data->size == 0); }
void DataClear(KeldarBusData* data) {
  if (data != nullptr) data->size = 0;
}
bool AssignData(KeldarBusData& data, std::span<const std::uint8_t> bytes) {
  if (bytes.size() > KELDAR_BUS_FRAME_CAPACITY) {
    data.size = 0;
    return false;
  }
  std::copy(bytes.begin(), bytes.end(), data.bytes);
  data.size = static_cast<std::uint32_t>(bytes.size());
  return true;
}
std::span<const std::uint8_t> DataBytes(const KeldarBusData& data) {
  return {data.bytes, std::min<std::size_t>(data.size, KELDAR_BUS_FRAME_CAPACITY)};
}

KeldarBusDataInfoBlock* CreateRecord() { return new KeldarBusDataInfoBlock{}; }
KeldarBusDataInfoBlock* CopyRecord(const KeldarBusDataInfoBlock* record) {
  return record != nullptr ? new KeldarBusDataInfoBlock(*record) : nullptr;
}
void DeleteRecord(KeldarBusDataInfoBlock* record) { delete record; }

std::unique_ptr<KeldarBusDataInfoBlock> ToAbiRecord(const Record& r) {
  auto out = std::make_unique<KeldarBusDataInfoBlock>();
  out->kind = 1;
  out->dif = r.dif;
  out->vif = r.vif & 0x7F;
  out->vif_raw = r.vif;
  out->function = static_cast<std::uint8_t>(r.function);
  out->value_kind = static_cast<std::uint8_t>(r.kind);
  const std::size_t difes = std::min<std::size_t>(r.difes.size(), KELDAR_BUS_DIFE_CAPACITY);
  out->dife.count = static_cast<std::uint32_t>(difes);
  std::copy_n(r.difes.begin(), difes, out->dife.bytes);
  const std::size_t vifes = std::min<std::size_t>(r.vifes.size(), KELDAR_BUS_VIFE_CAPACITY);
  out->vife.count = static_cast<std::uint32_t>(vifes);
  for (std::size_t i = 0; i < vifes; ++i) {
    out->vife.items[i].raw = r.vifes[i];
    out->vife.items[i].code = r.vifes[i] & 0x7F;
  }
  out->value = r.raw;
  out->unit = r.subunit;
  out->tariff = r.tariff;
  out->storage = r.storage;
  out->decoded = r.kind == ValueKind::kNumber ? r.number : 0.0;
  const std::size_t size = std::min<std::size_t>(r.data.size(), KELDAR_BUS_LONG_DATA_CAPACITY);
  out->data_size = static_cast<std::uint32_t>(size);
  std::copy_n(r.data.begin(), size, out->data);
  CopyText(out->unit_text, r.unit);
  CopyText(out->quantity, r.quantity);
  CopyText(out->text, r.text);
  return out;
}

KeldarBusUserData* CreateUserData() { return new UserDataList; }
void DeleteUserData(KeldarBusUserData* list) { delete Impl(list); }
int32_t UserDataSize(const KeldarBusUserData* list) {
  const auto* impl = Impl(list);
  return impl != nullptr ? static_cast<int32_t>(impl->owned.size()) : 0;
}
int32_t UserDataEmpty(const KeldarBusUserData* list) { return Flag(UserDataSize(list) == 0); }
int32_t UserDataPushBack(KeldarBusUserData* list, KeldarBusDataInfoBlock* record) {
  auto* impl = Impl(list);
  if (impl == nullptr || record == nullptr) return 0;
  std::unique_ptr<KeldarBusDataInfoBlock> owned(record);
  impl->owned.push_back(std::move(owned));
  impl->Sync();
  return 1;
}
void UserDataClear(KeldarBusUserData* list) {
  if (auto* impl = Impl(list)) {
    impl->owned.clear();
    impl->Sync();
  }
}
KeldarBusDataInfoBlock* UserDataGetIndex(KeldarBusUserData* list, int32_t index) {
  auto* impl = Impl(list);
  if (impl == nullptr || index < 0 || static_cast<std::size_t>(index) >= impl->owned.size()) {
    return nullptr;
  }
  return impl->owned[static_cast<std::size_t>(index)].get();
}

KeldarBusDifeList* CreateDifeList() { return new KeldarBusDifeList{}; }
void DeleteDifeList(KeldarBusDifeList* list) { delete list; }
int32_t DifeSize(const KeldarBusDifeList* list) {
  return list != nullptr ? static_cast<int32_t>(std::min(list->count, KELDAR_BUS_DIFE_CAPACITY))
                         : 0;
}
int32_t DifeEmpty(const KeldarBusDifeList* list) { return Flag(DifeSize(list) == 0); }
int32_t DifePushBack(KeldarBusDifeList* list, std::uint8_t dife) {
  if (list == nullptr || list->count >= KELDAR_BUS_DIFE_CAPACITY) return 0;
  list->bytes[list->count++] = dife;
  return 1;
}
int32_t DifeGetIndex(const KeldarBusDifeList* list, int32_t index) {
  if (index < 0 || index >= DifeSize(list)) return -1;
  return list->bytes[index];
}
void DifeClear(KeldarBusDifeList* list) {
  if (list != nullptr) list->count = 0;
}

KeldarBusValueInfoField* CreateVif() { return new KeldarBusValueInfoField{}; }
KeldarBusValueInfoField* CopyVif(const KeldarBusValueInfoField* vif) {
  return vif != nullptr ? new KeldarBusValueInfoField(*vif) : nullptr;
}
void DeleteVif(KeldarBusValueInfoField* vif) { delete vif; }
KeldarBusVifeList* CreateVifeList() { return new KeldarBusVifeList{}; }
void DeleteVifeList(KeldarBusVifeList* list) { delete list; }
int32_t VifeSize(const KeldarBusVifeList* list) {
  return list != nullptr ? static_cast<int32_t>(std::min(list->count, KELDAR_BUS_VIFE_CAPACITY))
                         : 0;
}
int32_t VifeEmpty(const KeldarBusVifeList* list) { return Flag(VifeSize(list) == 0); }
int32_t VifePushBack(KeldarBusVifeList* list, const KeldarBusValueInfoFieldExtension* vife) {
  if (list == nullptr || vife == nullptr || list->count >= KELDAR_BUS_VIFE_CAPACITY) return 0;
  list->items[list->count] = *vife;
  list->items[list->count].code = vife->raw & 0x7F;  // derived from the byte as sent
  ++list->count;
  return 1;
}
int32_t VifeGetIndex(const KeldarBusVifeList* list, int32_t index) {
  if (index < 0 || index >= VifeSize(list)) return -1;
  return list->items[index].raw & 0x7F;
}
void VifeClear(KeldarBusVifeList* list) {
  if (list != nullptr) list->count = 0;
}

KeldarBusTelegram* CreateTelegram() { return new TelegramObject; }
void DeleteTelegram(KeldarBusTelegram* telegram) { delete static_cast<TelegramObject*>(telegram); }

KeldarBusDateTime* CreateDateTime(char type) {
  auto* date = new KeldarBusDateTime{};
  date->type = type;
  return date;
}
void DeleteDateTime(KeldarBusDateTime* date) { delete date; }

}  // namespace keldar::bus::abi
