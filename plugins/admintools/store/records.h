#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "keldar/admin_tools_types.h"
#include "store/archive_model.h"

// Conversions between the archive's own types and the plain records that cross
// the library boundary. Texts going out are cut on a UTF-8 character boundary;
// texts coming in are read no further than their field, terminated or not.
namespace admintools::records {

template <std::size_t N>
std::string FromField(const char (&field)[N]) {
  std::size_t length = 0;
  while (length < N && field[length] != '\0') ++length;
  return std::string(field, length);
}

template <std::size_t N>
void ToField(char (&field)[N], std::string_view text) {
  keldar_admin_copy_text(field, N, std::string(text).c_str());
}

// Records as _CreateCData… hands them out: zero, with nothing reported.
void Blank(KeldarAdminHeat& record);
void Blank(KeldarAdminWaterCold& record);
void Blank(KeldarAdminWaterHot& record);

Device ToDevice(const KeldarAdminDevice& record, DeviceKind kind);
void FromDevice(const Device& device, KeldarAdminDevice& record);

Reading ToReading(const KeldarAdminHeat& record);
Reading ToReading(const KeldarAdminWaterCold& record);
Reading ToReading(const KeldarAdminWaterHot& record);
void FromReading(const Reading& reading, KeldarAdminHeat& record);
void FromReading(const Reading& reading, KeldarAdminWaterCold& record);
void FromReading(const Reading& reading, KeldarAdminWaterHot& record);

Subscriber ToSubscriber(const KeldarAdminSubscriber& record);
void FromSubscriber(const Subscriber& subscriber, KeldarAdminSubscriber& record);
Object ToObject(const KeldarAdminObject& record);
void FromObject(const Object& object, KeldarAdminObject& record);

}  // namespace admintools::records
