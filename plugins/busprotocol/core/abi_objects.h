// The plain C objects of the library's interface (keldar/bus_protocol_types.h):
// making, copying and freeing them, and the list operations.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "keldar/bus_protocol_types.h"
#include "telegram.h"

namespace keldar::bus::abi {

// Receive buffer and serialized bytes.
KeldarBusData* CreateData();
void DeleteData(KeldarBusData* data);
int32_t DataSize(const KeldarBusData* data);
int32_t DataPushBack(KeldarBusData* data, std::uint8_t byte);
int32_t DataGetIndex(const KeldarBusData* data, int32_t index);
int32_t DataEmpty(const KeldarBusData* data);
void DataClear(KeldarBusData* data);
// False (and `data` emptied) when the bytes do not fit.
bool AssignData(KeldarBusData& data, std::span<const std::uint8_t> bytes);
std::span<const std::uint8_t> DataBytes(const KeldarBusData& data);

// Records.
KeldarBusDataInfoBlock* CreateRecord();
KeldarBusDataInfoBlock* CopyRecord(const KeldarBusDataInfoBlock* record);
void DeleteRecord(KeldarBusDataInfoBlock* record);
std::unique_ptr<KeldarBusDataInfoBlock> ToAbiRecord(const Record& record);

// User-data lists; a list owns the records pushed into it.
KeldarBusUserData* CreateUserData();
void DeleteUserData(KeldarBusUserData* list);
int32_t UserDataSize(const KeldarBusUserData* list);
int32_t UserDataEmpty(const KeldarBusUserData* list);
int32_t UserDataPushBack(KeldarBusUserData* list, KeldarBusDataInfoBlock* record);
void UserDataClear(KeldarBusUserData* list);
KeldarBusDataInfoBlock* UserDataGetIndex(KeldarBusUserData* list, int32_t index);

// DIFE lists.
KeldarBusDifeList* CreateDifeList();
void DeleteDifeList(KeldarBusDifeList* list);
int32_t DifeSize(const KeldarBusDifeList* list);
int32_t DifeEmpty(const KeldarBusDifeList* list);
int32_t DifePushBack(KeldarBusDifeList* list, std::uint8_t dife);
int32_t DifeGetIndex(const KeldarBusDifeList* list, int32_t index);
void DifeClear(KeldarBusDifeList* list);

// VIF and VIFE objects and VIFE lists.
KeldarBusValueInfoField* CreateVif();
KeldarBusValueInfoField* CopyVif(const KeldarBusValueInfoField* vif);
void DeleteVif(KeldarBusValueInfoField* vif);
KeldarBusVifeList* CreateVifeList();
void DeleteVifeList(KeldarBusVifeList* list);
int32_t VifeSize(const KeldarBusVifeList* list);
int32_t VifeEmpty(const KeldarBusVifeList* list);
int32_t VifePushBack(KeldarBusVifeList* list, const KeldarBusValueInfoFieldExtension* vife);
int32_t VifeGetIndex(const KeldarBusVifeList* list, int32_t index);
void VifeClear(KeldarBusVifeList* list);

// Telegrams: the telegram owns its frames and its user-data list.
KeldarBusTelegram* CreateTelegram();
void DeleteTelegram(KeldarBusTelegram* telegram);

// Date/time objects of type 'K', 'I', 'F' or 'G'.
KeldarBusDateTime* CreateDateTime(char type);
void DeleteDateTime(KeldarBusDateTime* date);

// Copies a text into a fixed field, cut on a character boundary.
template <std::size_t N>
void CopyText(char (&field)[N], std::string_view text);
void CopyTextInto(char* field, std::size_t size, std::string_view text);
template <std::size_t N>
void CopyText(char (&field)[N], std::string_view text) {
  CopyTextInto(field, N, text);
}

}  // namespace keldar::bus::abi
