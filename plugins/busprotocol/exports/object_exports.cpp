// Exports of the receive buffer, records, lists and date/time objects.
#include "abi_objects.h"
#include "abi_telegram.h"
#include "export_guard.h"

using keldar::bus::exports::Guarded;
namespace abi = keldar::bus::abi;

extern "C" {

KELDAR_PLUGIN_EXPORT KeldarBusData* _CreateDataMbus() {
  return Guarded<KeldarBusData*>(nullptr, [] { return abi::CreateData(); });
}
KELDAR_PLUGIN_EXPORT void _DeleteDataMbus(KeldarBusData* data) {
  Guarded([&] { abi::DeleteData(data); });
}

KELDAR_PLUGIN_EXPORT KeldarBusDataInfoBlock* _CreateDataInfoBlock() {
  return Guarded<KeldarBusDataInfoBlock*>(nullptr, [] { return abi::CreateRecord(); });
}
KELDAR_PLUGIN_EXPORT KeldarBusDataInfoBlock* _CopyDataInfoBlock(
    const KeldarBusDataInfoBlock* record) {
  return Guarded<KeldarBusDataInfoBlock*>(nullptr, [&] { return abi::CopyRecord(record); });
}
KELDAR_PLUGIN_EXPORT void _DeleteDataInfoBlock(KeldarBusDataInfoBlock* record) {
  Guarded([&] { abi::DeleteRecord(record); });
}

KELDAR_PLUGIN_EXPORT KeldarBusUserData* _CreateUserData() {
  return Guarded<KeldarBusUserData*>(nullptr, [] { return abi::CreateUserData(); });
}
KELDAR_PLUGIN_EXPORT void _DeleteUserData(KeldarBusUserData* list) {
  Guarded([&] { abi::DeleteUserData(list); });
}

KELDAR_PLUGIN_EXPORT KeldarBusDifeList* _CreateCArrayDataInfoFieldExtension() {
  return Guarded<KeldarBusDifeList*>(nullptr, [] { return abi::CreateDifeList(); });
}
KELDAR_PLUGIN_EXPORT void _DeleteCArrayDataInfoFieldExtension(KeldarBusDifeList* list) {
  Guarded([&] { abi::DeleteDifeList(list); });
}

KELDAR_PLUGIN_EXPORT KeldarBusValueInfoField* _CreateCValueInfoField() {
  return Guarded<KeldarBusValueInfoField*>(nullptr, [] { return abi::CreateVif(); });
}
KELDAR_PLUGIN_EXPORT KeldarBusValueInfoField* _CopyCValueInfoField(
    const KeldarBusValueInfoField* vif) {
  return Guarded<KeldarBusValueInfoField*>(nullptr, [&] { return abi::CopyVif(vif); });
}
KELDAR_PLUGIN_EXPORT void _DeleteCValueInfoField(KeldarBusValueInfoField* vif) {
  Guarded([&] { abi::DeleteVif(vif); });
}
KELDAR_PLUGIN_EXPORT KeldarBusValueInfoFieldExtension* _CreateCValueInfoFieldExtension() {
  return Guarded<KeldarBusValueInfoField*>(nullptr, [] { return abi::CreateVif(); });
}
KELDAR_PLUGIN_EXPORT KeldarBusValueInfoFieldExtension* _CopyCValueInfoFieldExtension(
    const KeldarBusValueInfoFieldExtension* vife) {
  return Guarded<KeldarBusValueInfoField*>(nullptr, [&] { return abi::CopyVif(vife); });
}
KELDAR_PLUGIN_EXPORT void _DeleteCValueInfoFieldExtension(KeldarBusValueInfoFieldExtension* vife) {
  Guarded([&] { abi::DeleteVif(vife); });
}
KELDAR_PLUGIN_EXPORT KeldarBusVifeList* _CreateCArrayValueInfoFieldExtension() {
  return Guarded<KeldarBusVifeList*>(nullptr, [] { return abi::CreateVifeList(); });
}
KELDAR_PLUGIN_EXPORT void _DeleteCArrayValueInfoFieldExtension(KeldarBusVifeList* list) {
  Guarded([&] { abi::DeleteVifeList(list); });
}

#define KELDAR_BUS_DATE_EXPORTS(T)                                                          \
  KELDAR_PLUGIN_EXPORT KeldarBusDateTime* _CreateCDataType##T() {                           \
    return Guarded<KeldarBusDateTime*>(nullptr, [] { return abi::CreateDateTime(#T[0]); }); \
  }                                                                                         \
  KELDAR_PLUGIN_EXPORT void _DeleteCDataType##T(KeldarBusDateTime* date) {                  \
    Guarded([&] { abi::DeleteDateTime(date); });                                            \
  }
KELDAR_BUS_DATE_EXPORTS(K)
KELDAR_BUS_DATE_EXPORTS(I)
KELDAR_BUS_DATE_EXPORTS(F)
KELDAR_BUS_DATE_EXPORTS(G)

}  // extern "C"

namespace {

int32_t DataSize(const KeldarBusData* d) {
  return Guarded(0, [&] { return abi::DataSize(d); });
}
int32_t DataPushBack(KeldarBusData* d, uint8_t b) {
  return Guarded(0, [&] { return abi::DataPushBack(d, b); });
}
int32_t DataGetIndex(const KeldarBusData* d, int32_t i) {
  return Guarded(-1, [&] { return abi::DataGetIndex(d, i); });
}
int32_t DataEmpty(const KeldarBusData* d) {
  return Guarded(1, [&] { return abi::DataEmpty(d); });
}
void DataClear(KeldarBusData* d) {
  Guarded([&] { abi::DataClear(d); });
}

int32_t UserDataSize(const KeldarBusUserData* l) {
  return Guarded(0, [&] { return abi::UserDataSize(l); });
}
int32_t UserDataEmpty(const KeldarBusUserData* l) {
  return Guarded(1, [&] { return abi::UserDataEmpty(l); });
}
int32_t UserDataPushBack(KeldarBusUserData* l, KeldarBusDataInfoBlock* r) {
  return Guarded(0, [&] { return abi::UserDataPushBack(l, r); });
}
void UserDataClear(KeldarBusUserData* l) {
  Guarded([&] { abi::UserDataClear(l); });
}
KeldarBusDataInfoBlock* UserDataGetIndex(KeldarBusUserData* l, int32_t i) {
  return Guarded<KeldarBusDataInfoBlock*>(nullptr, [&] { return abi::UserDataGetIndex(l, i); });
}

int32_t DifeSize(const KeldarBusDifeList* l) {
  return Guarded(0, [&] { return abi::DifeSize(l); });
}
int32_t DifeEmpty(const KeldarBusDifeList* l) {
  return Guarded(1, [&] { return abi::DifeEmpty(l); });
}
int32_t DifePushBack(KeldarBusDifeList* l, uint8_t b) {
  return Guarded(0, [&] { return abi::DifePushBack(l, b); });
}
int32_t DifeGetIndex(const KeldarBusDifeList* l, int32_t i) {
  return Guarded(-1, [&] { return abi::DifeGetIndex(l, i); });
}
void DifeClear(KeldarBusDifeList* l) {
  Guarded([&] { abi::DifeClear(l); });
}

int32_t VifeSize(const KeldarBusVifeList* l) {
  return Guarded(0, [&] { return abi::VifeSize(l); });
}
int32_t VifeEmpty(const KeldarBusVifeList* l) {
  return Guarded(1, [&] { return abi::VifeEmpty(l); });
}
int32_t VifePushBack(KeldarBusVifeList* l, const KeldarBusValueInfoFieldExtension* v) {
  return Guarded(0, [&] { return abi::VifePushBack(l, v); });
}
int32_t VifeGetIndex(const KeldarBusVifeList* l, int32_t i) {
  return Guarded(-1, [&] { return abi::VifeGetIndex(l, i); });
}
void VifeClear(KeldarBusVifeList* l) {
  Guarded([&] { abi::VifeClear(l); });
}

template <char Type>
int32_t DecodeDate(KeldarBusDateTime* date, uint64_t value) {
  return Guarded(0, [&] { return abi::DecodeDate(date, Type, value); });
}

}  // namespace

KELDAR_BUS_GETTER(DataMbusSize, KeldarBusDataMbusSizeFn, &DataSize)
KELDAR_BUS_GETTER(DataMbusPushBack, KeldarBusDataMbusPushBackFn, &DataPushBack)
KELDAR_BUS_GETTER(DataMbusGetIndexData, KeldarBusDataMbusGetIndexDataFn, &DataGetIndex)
KELDAR_BUS_GETTER(DataMbusEmpty, KeldarBusDataMbusEmptyFn, &DataEmpty)
KELDAR_BUS_GETTER(DataMbusClear, KeldarBusDataMbusClearFn, &DataClear)
KELDAR_BUS_GETTER(UserDataSize, KeldarBusUserDataSizeFn, &UserDataSize)
KELDAR_BUS_GETTER(UserDataEmpty, KeldarBusUserDataEmptyFn, &UserDataEmpty)
KELDAR_BUS_GETTER(UserDataPushBack, KeldarBusUserDataPushBackFn, &UserDataPushBack)
KELDAR_BUS_GETTER(UserDataClear, KeldarBusUserDataClearFn, &UserDataClear)
KELDAR_BUS_GETTER(UserDataGetIndexData, KeldarBusUserDataGetIndexDataFn, &UserDataGetIndex)
KELDAR_BUS_GETTER(DIFESize, KeldarBusDIFESizeFn, &DifeSize)
KELDAR_BUS_GETTER(DIFEEmpty, KeldarBusDIFEEmptyFn, &DifeEmpty)
KELDAR_BUS_GETTER(DIFEPushBack, KeldarBusDIFEPushBackFn, &DifePushBack)
KELDAR_BUS_GETTER(DIFEGetIndexData, KeldarBusDIFEGetIndexDataFn, &DifeGetIndex)
KELDAR_BUS_GETTER(DIFEClear, KeldarBusDIFEClearFn, &DifeClear)
KELDAR_BUS_GETTER(VIFESize, KeldarBusVIFESizeFn, &VifeSize)
KELDAR_BUS_GETTER(VIFEEmpty, KeldarBusVIFEEmptyFn, &VifeEmpty)
KELDAR_BUS_GETTER(VIFEPushBack, KeldarBusVIFEPushBackFn, &VifePushBack)
KELDAR_BUS_GETTER(VIFEGetIndexData, KeldarBusVIFEGetIndexDataFn, &VifeGetIndex)
KELDAR_BUS_GETTER(VIFEClear, KeldarBusVIFEClearFn, &VifeClear)
KELDAR_BUS_GETTER(getDataTypeK, KeldarBusGetDataTypeFn, &DecodeDate<'K'>)
KELDAR_BUS_GETTER(getDataTypeI, KeldarBusGetDataTypeFn, &DecodeDate<'I'>)
KELDAR_BUS_GETTER(getDataTypeF, KeldarBusGetDataTypeFn, &DecodeDate<'F'>)
KELDAR_BUS_GETTER(getDataTypeG, KeldarBusGetDataTypeFn, &DecodeDate<'G'>)
