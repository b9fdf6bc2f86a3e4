/* One identified device: the firmware catalogue row completed with what the
 * meter reported. Device plug-ins and the configuration screen read it through
 * a pointer, so its byte layout is fixed (260 bytes, checked below). */
#pragma once

#include "keldar/plugin_abi.h"

#ifdef __cplusplus
extern "C" {
#endif

#define KELDAR_DEVICE_RECORD_TYPE_WORD 0x4B445652u /* "RVDK" read little-endian */

typedef struct KeldarDeviceRecord {
  uint32_t type_word;              /* KELDAR_DEVICE_RECORD_TYPE_WORD once constructed */
  int32_t id;                      /* catalogue ID */
  int32_t man_id;                  /* catalogue MAN_ID */
  int32_t product_code;            /* catalogue PRODUCT_CODE */
  uint8_t device_type;             /* DEVICE_TYPE, then the medium the meter reported */
  char software_version[11];
  int32_t storage_number_hour;
  int32_t depth_hour;
  int32_t storage_number_days;
  int32_t depth_days;
  int32_t storage_number_month;
  int32_t depth_month;
  int32_t storage_number_years;
  int32_t depth_years;
  int32_t storage_number_changing_times;
  int32_t depth_changing_times;
  int32_t storage_number_errors;
  int32_t depth_errors;
  int32_t storage_number_settings;
  int32_t depth_settings;
  int32_t storage_number_settings_changes;
  int32_t depth_settings_changes;
  int32_t storage_number_tariff;
  int32_t depth_tariff;
  int32_t subunit;                 /* pulse-input sub-devices the firmware carries */
  int32_t tariff;
  char model[100];                 /* UTF-8, cut on a character boundary */
  char hash[36];                   /* at most 32 characters */
  char serial[9];                  /* identification number, "%08X" of its low 32 bits */
  char manufacturer[4];            /* three letters */
  uint8_t address;                 /* primary address it was identified at, 253 when selected */
  uint8_t reserved[2];
} KeldarDeviceRecord;

#ifdef __cplusplus
}

static_assert(sizeof(KeldarDeviceRecord) == 260);
static_assert(offsetof(KeldarDeviceRecord, id) == 4);
static_assert(offsetof(KeldarDeviceRecord, man_id) == 8);
static_assert(offsetof(KeldarDeviceRecord, product_code) == 12);
static_assert(offsetof(KeldarDeviceRecord, device_type) == 16);
static_assert(offsetof(KeldarDeviceRecord, software_version) == 17);
static_assert(offsetof(KeldarDeviceRecord, storage_number_hour) == 28);
static_assert(offsetof(KeldarDeviceRecord, subunit) == 100);
static_assert(offsetof(KeldarDeviceRecord, tariff) == 104);
static_assert(offsetof(KeldarDeviceRecord, model) == 108);
static_assert(offsetof(KeldarDeviceRecord, hash) == 208);
static_assert(offsetof(KeldarDeviceRecord, serial) == 244);
static_assert(offsetof(KeldarDeviceRecord, manufacturer) == 253);
static_assert(offsetof(KeldarDeviceRecord, address) == 257);
#else
_Static_assert(sizeof(KeldarDeviceRecord) == 260, "DeviceRecord is 260 bytes");
#endif
