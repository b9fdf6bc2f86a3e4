/* Records, arrays, operation types and typed call helpers of the administration
 * library "AdminTools.so" (export list and wrapper layout: admin_tools_api.h).
 *
 * The library keeps a local archive of meter readings, with the subscribers
 * (people or companies) and objects (the places meters belong to), in the
 * SQLite file "archive.db" in the process's working directory. Device screens
 * save what they read through the operations below.
 *
 * Records are plain C structs: a caller may make them itself (zero them, then
 * set every value to KELDAR_ADMIN_NOT_REPORTED) or with the library's
 * _CreateCData… exports, which hand them out with nothing reported. Texts are
 * NUL-terminated UTF-8; the library cuts a text that does not fit on a
 * character boundary. Arrays are the library's own objects: only the
 * operations below look inside them.
 *
 * Values a meter did not report are NaN (KELDAR_ADMIN_NOT_REPORTED); they are
 * stored as empty and read back as NaN.
 *
 * Times: `read_time` is when the reading was taken, in seconds since
 * 1970-01-01 UTC (0 when saving means "now"). `meter_time` is the meter's own
 * clock as it reported it, ISO 8601 without a zone ("2024-03-01T12:30:00"),
 * or "" when unknown.
 *
 * Devices: one archive device per (kind, manufacturer, serial); saving a
 * reading of a device the archive does not know yet adds the device.
 *
 * Results: operations that change the archive return 1 on success and 0 when
 * refused (null argument, a text the archive requires left empty, unknown
 * device, the archive file cannot be written). Operations that fill an array
 * clear it first and return the number of records put in, or -1 on failure
 * (the array is then empty). Everything runs on the main thread.
 *
 * Ownership: a record or array made by a _Create… export is freed by the
 * matching _Delete… export. PushBack copies the record. A pointer returned by
 * GetIndexData belongs to the array and is valid until the array next changes. */
#pragma once

#include <assert.h>
#include <math.h>
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "keldar/admin_tools_api.h"
#include "keldar/device_record.h"

#ifdef __cplusplus
extern "C" {
#endif

#define KELDAR_ADMIN_RESULT_FAILED 0
#define KELDAR_ADMIN_RESULT_OK 1

#define KELDAR_ADMIN_NOT_REPORTED NAN

#define KELDAR_ADMIN_MANUFACTURER_SIZE 4u
#define KELDAR_ADMIN_SERIAL_SIZE 16u
#define KELDAR_ADMIN_MODEL_SIZE 100u
#define KELDAR_ADMIN_VERSION_SIZE 12u
#define KELDAR_ADMIN_TIME_SIZE 20u
#define KELDAR_ADMIN_NAME_SIZE 128u
#define KELDAR_ADMIN_CONTACT_SIZE 128u
#define KELDAR_ADMIN_ACCOUNT_SIZE 32u
#define KELDAR_ADMIN_NOTES_SIZE 256u
#define KELDAR_ADMIN_ADDRESS_SIZE 256u

/* Kinds of archive device; each has its own readings. */
enum KeldarAdminDeviceKind {
  KELDAR_ADMIN_KIND_HEAT = 1,
  KELDAR_ADMIN_KIND_WATER_COLD = 2,
  KELDAR_ADMIN_KIND_WATER_HOT = 3
};

/* An open archive; only the library looks inside. */
typedef struct KeldarAdminStore KeldarAdminStore;

/* A device as the archive knows it. `manufacturer` and `serial` identify it
 * and must not be empty when saving. */
typedef struct KeldarAdminDevice {
  int64_t id;        /* archive row, filled by reads; ignored when saving */
  int64_t object_id; /* object it belongs to; 0 = none (saving 0 keeps the current one) */
  int32_t kind;      /* enum KeldarAdminDeviceKind, filled by reads; the operation decides */
  uint8_t medium;    /* M-Bus medium byte the meter reported */
  uint8_t reserved[3];
  char manufacturer[KELDAR_ADMIN_MANUFACTURER_SIZE]; /* three letters */
  char serial[KELDAR_ADMIN_SERIAL_SIZE];             /* identification number */
  char model[KELDAR_ADMIN_MODEL_SIZE];
  char software_version[KELDAR_ADMIN_VERSION_SIZE];
  uint8_t reserved2[4];
} KeldarAdminDevice;

/* One reading of a heat meter. */
typedef struct KeldarAdminHeat {
  int64_t id;        /* archive row, filled by reads */
  int64_t device_id; /* the archive device; needed by WriteHeatData */
  int64_t read_time;
  double energy_wh;
  double volume_m3;
  double power_w;
  double flow_m3h;
  double supply_c;     /* supply (flow) temperature */
  double return_c;     /* return temperature */
  double difference_k; /* temperature difference */
  double operating_hours;
  uint32_t error_flags; /* the meter's error bits, 0 = none */
  char meter_time[KELDAR_ADMIN_TIME_SIZE];
} KeldarAdminHeat;

/* One reading of a cold-water meter. */
typedef struct KeldarAdminWaterCold {
  int64_t id;
  int64_t device_id;
  int64_t read_time;
  double volume_m3;
  double flow_m3h;
  uint32_t error_flags;
  char meter_time[KELDAR_ADMIN_TIME_SIZE];
} KeldarAdminWaterCold;

/* One reading of a hot-water meter. */
typedef struct KeldarAdminWaterHot {
  int64_t id;
  int64_t device_id;
  int64_t read_time;
  double volume_m3;
  double flow_m3h;
  double temperature_c;
  uint32_t error_flags;
  char meter_time[KELDAR_ADMIN_TIME_SIZE];
} KeldarAdminWaterHot;

/* A device together with one of its readings: what a device screen saves and
 * what the archive lists. */
typedef struct KeldarAdminDeviceHeat {
  KeldarAdminDevice device;
  KeldarAdminHeat reading;
} KeldarAdminDeviceHeat;

typedef struct KeldarAdminDeviceWaterCold {
  KeldarAdminDevice device;
  KeldarAdminWaterCold reading;
} KeldarAdminDeviceWaterCold;

typedef struct KeldarAdminDeviceWaterHot {
  KeldarAdminDevice device;
  KeldarAdminWaterHot reading;
} KeldarAdminDeviceWaterHot;

/* A person or company meters are kept for. `name` must not be empty. */
typedef struct KeldarAdminSubscriber {
  int64_t id;
  char name[KELDAR_ADMIN_NAME_SIZE];
  char contact[KELDAR_ADMIN_CONTACT_SIZE]; /* phone, e-mail, contact person */
  char account[KELDAR_ADMIN_ACCOUNT_SIZE]; /* account number */
  char notes[KELDAR_ADMIN_NOTES_SIZE];
} KeldarAdminSubscriber;

/* A place meters belong to (a flat, a building, a heat point). */
typedef struct KeldarAdminObject {
  int64_t id;
  int64_t subscriber_id;
  char name[KELDAR_ADMIN_NAME_SIZE];
  char address[KELDAR_ADMIN_ADDRESS_SIZE];
} KeldarAdminObject;

/* Arrays; only the library looks inside. */
typedef struct KeldarAdminDeviceHeatArray KeldarAdminDeviceHeatArray;
typedef struct KeldarAdminDeviceWaterColdArray KeldarAdminDeviceWaterColdArray;
typedef struct KeldarAdminDeviceWaterHotArray KeldarAdminDeviceWaterHotArray;
typedef struct KeldarAdminSubscriberArray KeldarAdminSubscriberArray;
typedef struct KeldarAdminObjectArray KeldarAdminObjectArray;
typedef struct KeldarAdminHeatArray KeldarAdminHeatArray;
typedef struct KeldarAdminWaterColdArray KeldarAdminWaterColdArray;
typedef struct KeldarAdminWaterHotArray KeldarAdminWaterHotArray;

static_assert(sizeof(KeldarAdminDevice) == 160, "device layout");
static_assert(offsetof(KeldarAdminDevice, manufacturer) == 24, "device layout");
static_assert(sizeof(KeldarAdminHeat) == 112, "heat reading layout");
static_assert(offsetof(KeldarAdminHeat, meter_time) == 92, "heat reading layout");
static_assert(sizeof(KeldarAdminWaterCold) == 64, "cold-water reading layout");
static_assert(sizeof(KeldarAdminWaterHot) == 72, "hot-water reading layout");
static_assert(sizeof(KeldarAdminDeviceHeat) == 272, "device heat layout");
static_assert(sizeof(KeldarAdminDeviceWaterCold) == 224, "device cold-water layout");
static_assert(sizeof(KeldarAdminDeviceWaterHot) == 232, "device hot-water layout");
static_assert(sizeof(KeldarAdminSubscriber) == 552, "subscriber layout");
static_assert(sizeof(KeldarAdminObject) == 400, "object layout");

/* ---- Operation types (the object acted on first) ---- */

/* _CreateCSQLite3: opens archive.db in the working directory, creating it on
 * first use; NULL when it cannot be opened or created, is not an archive, or
 * was written by a newer program (the file is then left untouched). */
typedef KeldarAdminStore* (*KeldarAdminCreateStoreFn)(void);
typedef void (*KeldarAdminDeleteStoreFn)(KeldarAdminStore* store);

/* SQLite3AddDevice…Data: saves `record->reading` for `record->device`, adding
 * the device when the archive does not know it yet and updating its model,
 * software version and medium when given; a non-zero object_id attaches the
 * device to that object. 1 saved, 0 refused. */
typedef int32_t (*KeldarAdminAddDeviceHeatDataFn)(KeldarAdminStore* store,
                                                  const KeldarAdminDeviceHeat* record);
typedef int32_t (*KeldarAdminAddDeviceWaterColdDataFn)(KeldarAdminStore* store,
                                                       const KeldarAdminDeviceWaterCold* record);
typedef int32_t (*KeldarAdminAddDeviceWaterHotDataFn)(KeldarAdminStore* store,
                                                      const KeldarAdminDeviceWaterHot* record);

/* SQLite3GetDevice…Data: every saved reading of that kind with its device,
 * newest first. Count, or -1. */
typedef int32_t (*KeldarAdminGetDeviceHeatDataFn)(KeldarAdminStore* store,
                                                  KeldarAdminDeviceHeatArray* array);
typedef int32_t (*KeldarAdminGetDeviceWaterColdDataFn)(KeldarAdminStore* store,
                                                       KeldarAdminDeviceWaterColdArray* array);
typedef int32_t (*KeldarAdminGetDeviceWaterHotDataFn)(KeldarAdminStore* store,
                                                      KeldarAdminDeviceWaterHotArray* array);

/* SQLite3GetDeviceHeatDataToAid: looks up the heat device named by
 * `record->device.manufacturer` and `.serial` and fills the whole record with
 * the archive's device and its latest reading (a device without readings gets
 * a reading with id 0 and nothing reported). 1 found, 0 not in the archive
 * (the record is then unchanged). */
typedef int32_t (*KeldarAdminGetDeviceHeatDataToAidFn)(KeldarAdminStore* store,
                                                       KeldarAdminDeviceHeat* record);

/* SQLite3GetSubscriberData: every subscriber, by name. Count, or -1. */
typedef int32_t (*KeldarAdminGetSubscriberDataFn)(KeldarAdminStore* store,
                                                  KeldarAdminSubscriberArray* array);
/* SQLite3GetObjectData: the objects of one subscriber (every object when
 * subscriber_id is 0), by name. Count, or -1. */
typedef int32_t (*KeldarAdminGetObjectDataFn)(KeldarAdminStore* store, int64_t subscriber_id,
                                              KeldarAdminObjectArray* array);

/* SQLite3Write…Data: saves one reading of a device already in the archive
 * (`reading->device_id`, which must be a device of that kind). 1 / 0. */
typedef int32_t (*KeldarAdminWriteHeatDataFn)(KeldarAdminStore* store,
                                              const KeldarAdminHeat* reading);
typedef int32_t (*KeldarAdminWriteWaterColdDataFn)(KeldarAdminStore* store,
                                                   const KeldarAdminWaterCold* reading);
typedef int32_t (*KeldarAdminWriteWaterHotDataFn)(KeldarAdminStore* store,
                                                  const KeldarAdminWaterHot* reading);

/* SQLite3GetHeatData: the readings of one heat device, newest first. Count, or -1. */
typedef int32_t (*KeldarAdminGetHeatDataFn)(KeldarAdminStore* store, int64_t device_id,
                                            KeldarAdminHeatArray* array);

/* Records and arrays. For each record type R with its array A, named N in the
 * exports (DeviceHeat, DeviceWaterCold, DeviceWaterHot, Subscriber, Object,
 * Heat, WaterCold, WaterHot), this declares:
 *   KeldarAdminCreate##N##Fn       R* (void)       _CreateCData##N; nothing reported
 *   KeldarAdminDelete##N##Fn       void (R*)       _DeleteCData##N
 *   KeldarAdminCreate##N##ArrayFn  A* (void)       _CreateCArrayData##N
 *   KeldarAdminDelete##N##ArrayFn  void (A*)       _DeleteCArrayData##N
 *   KeldarAdmin##N##SizeFn         int32 (const A*)        count; 0 for NULL
 *   KeldarAdmin##N##EmptyFn        int32 (const A*)        1 when empty or NULL
 *   KeldarAdmin##N##PushBackFn     int32 (A*, const R*)    copies; 1 / 0
 *   KeldarAdmin##N##ClearFn        void (A*)
 *   KeldarAdmin##N##GetIndexDataFn R* (A*, int32 index)    NULL out of range */
#define KELDAR_ADMIN_RECORD_TYPES(N, R, A)                                   \
  typedef R* (*KeldarAdminCreate##N##Fn)(void);                              \
  typedef void (*KeldarAdminDelete##N##Fn)(R * record);                      \
  typedef A* (*KeldarAdminCreate##N##ArrayFn)(void);                         \
  typedef void (*KeldarAdminDelete##N##ArrayFn)(A * array);                  \
  typedef int32_t (*KeldarAdmin##N##SizeFn)(const A* array);                 \
  typedef int32_t (*KeldarAdmin##N##EmptyFn)(const A* array);                \
  typedef int32_t (*KeldarAdmin##N##PushBackFn)(A * array, const R* record); \
  typedef void (*KeldarAdmin##N##ClearFn)(A * array);                        \
  typedef R* (*KeldarAdmin##N##GetIndexDataFn)(A * array, int32_t index);

KELDAR_ADMIN_RECORD_TYPES(DeviceHeat, KeldarAdminDeviceHeat, KeldarAdminDeviceHeatArray)
KELDAR_ADMIN_RECORD_TYPES(DeviceWaterCold, KeldarAdminDeviceWaterCold,
                          KeldarAdminDeviceWaterColdArray)
KELDAR_ADMIN_RECORD_TYPES(DeviceWaterHot, KeldarAdminDeviceWaterHot, KeldarAdminDeviceWaterHotArray)
KELDAR_ADMIN_RECORD_TYPES(Subscriber, KeldarAdminSubscriber, KeldarAdminSubscriberArray)
KELDAR_ADMIN_RECORD_TYPES(Object, KeldarAdminObject, KeldarAdminObjectArray)
KELDAR_ADMIN_RECORD_TYPES(Heat, KeldarAdminHeat, KeldarAdminHeatArray)
KELDAR_ADMIN_RECORD_TYPES(WaterCold, KeldarAdminWaterCold, KeldarAdminWaterColdArray)
KELDAR_ADMIN_RECORD_TYPES(WaterHot, KeldarAdminWaterHot, KeldarAdminWaterHotArray)

/* ---- Typed call helpers: never cast an entry by hand ----
 * Each returns the failure value (NULL, 0, -1, or nothing) when the library is
 * not loaded or lacks the export, so a device screen works without it. */

#define KELDAR_ADMIN_LOADED(lib) ((lib) != NULL && (lib)->module != NULL)
#define KELDAR_ADMIN_F(lib, member, type) \
  (KELDAR_ADMIN_LOADED(lib) ? (type)(lib)->member : (type)NULL)
#define KELDAR_ADMIN_G(lib, member, type) \
  (KELDAR_ADMIN_LOADED(lib) ? (type)(lib)->member.entry : (type)NULL)

static inline KeldarAdminStore* keldar_admin_CreateCSQLite3(const KeldarAdminToolsLibrary* lib) {
  KeldarAdminCreateStoreFn fn = KELDAR_ADMIN_F(lib, CreateCSQLite3, KeldarAdminCreateStoreFn);
  return fn != NULL ? fn() : NULL;
}
static inline void keldar_admin_DeleteCSQLite3(const KeldarAdminToolsLibrary* lib,
                                               KeldarAdminStore* store) {
  KeldarAdminDeleteStoreFn fn = KELDAR_ADMIN_F(lib, DeleteCSQLite3, KeldarAdminDeleteStoreFn);
  if (fn != NULL) fn(store);
}

/* Store operations: keldar_admin_<operation>(lib, store, …) for the slot
 * SQLite3<operation>. */
#define KELDAR_ADMIN_STORE_HELPER(op, Arg, failed)                                  \
  static inline int32_t keldar_admin_##op(const KeldarAdminToolsLibrary* lib,       \
                                          KeldarAdminStore* store, Arg argument) {  \
    KeldarAdmin##op##Fn fn = KELDAR_ADMIN_G(lib, SQLite3##op, KeldarAdmin##op##Fn); \
    return fn != NULL ? fn(store, argument) : (failed);                             \
  }
#define KELDAR_ADMIN_STORE_HELPER_BY_ID(op, Arg)                                            \
  static inline int32_t keldar_admin_##op(const KeldarAdminToolsLibrary* lib,               \
                                          KeldarAdminStore* store, int64_t id, Arg array) { \
    KeldarAdmin##op##Fn fn = KELDAR_ADMIN_G(lib, SQLite3##op, KeldarAdmin##op##Fn);         \
    return fn != NULL ? fn(store, id, array) : -1;                                          \
  }

KELDAR_ADMIN_STORE_HELPER(AddDeviceHeatData, const KeldarAdminDeviceHeat*, 0)
KELDAR_ADMIN_STORE_HELPER(AddDeviceWaterColdData, const KeldarAdminDeviceWaterCold*, 0)
KELDAR_ADMIN_STORE_HELPER(AddDeviceWaterHotData, const KeldarAdminDeviceWaterHot*, 0)
KELDAR_ADMIN_STORE_HELPER(GetDeviceHeatData, KeldarAdminDeviceHeatArray*, -1)
KELDAR_ADMIN_STORE_HELPER(GetDeviceWaterColdData, KeldarAdminDeviceWaterColdArray*, -1)
KELDAR_ADMIN_STORE_HELPER(GetDeviceWaterHotData, KeldarAdminDeviceWaterHotArray*, -1)
KELDAR_ADMIN_STORE_HELPER(GetDeviceHeatDataToAid, KeldarAdminDeviceHeat*, 0)
KELDAR_ADMIN_STORE_HELPER(GetSubscriberData, KeldarAdminSubscriberArray*, -1)
KELDAR_ADMIN_STORE_HELPER(WriteHeatData, const KeldarAdminHeat*, 0)
KELDAR_ADMIN_STORE_HELPER(WriteWaterColdData, const KeldarAdminWaterCold*, 0)
KELDAR_ADMIN_STORE_HELPER(WriteWaterHotData, const KeldarAdminWaterHot*, 0)
KELDAR_ADMIN_STORE_HELPER_BY_ID(GetObjectData, KeldarAdminObjectArray*)
KELDAR_ADMIN_STORE_HELPER_BY_ID(GetHeatData, KeldarAdminHeatArray*)

/* Records and arrays: keldar_admin_CreateCData##N, keldar_admin_DeleteCData##N,
 * keldar_admin_CreateCArrayData##N, keldar_admin_DeleteCArrayData##N and
 * keldar_admin_CArrayData##N##{Size,Empty,PushBack,Clear,GetIndexData}. */
#define KELDAR_ADMIN_RECORD_HELPERS(N, R, A)                                                      \
  static inline R* keldar_admin_CreateCData##N(const KeldarAdminToolsLibrary* lib) {              \
    KeldarAdminCreate##N##Fn fn = KELDAR_ADMIN_F(lib, CreateCData##N, KeldarAdminCreate##N##Fn);  \
    return fn != NULL ? fn() : NULL;                                                              \
  }                                                                                               \
  static inline void keldar_admin_DeleteCData##N(const KeldarAdminToolsLibrary* lib, R* record) { \
    KeldarAdminDelete##N##Fn fn = KELDAR_ADMIN_F(lib, DeleteCData##N, KeldarAdminDelete##N##Fn);  \
    if (fn != NULL) fn(record);                                                                   \
  }                                                                                               \
  static inline A* keldar_admin_CreateCArrayData##N(const KeldarAdminToolsLibrary* lib) {         \
    KeldarAdminCreate##N##ArrayFn fn =                                                            \
        KELDAR_ADMIN_F(lib, CreateCArrayData##N, KeldarAdminCreate##N##ArrayFn);                  \
    return fn != NULL ? fn() : NULL;                                                              \
  }                                                                                               \
  static inline void keldar_admin_DeleteCArrayData##N(const KeldarAdminToolsLibrary* lib,         \
                                                      A* array) {                                 \
    KeldarAdminDelete##N##ArrayFn fn =                                                            \
        KELDAR_ADMIN_F(lib, DeleteCArrayData##N, KeldarAdminDelete##N##ArrayFn);                  \
    if (fn != NULL) fn(array);                                                                    \
  }                                                                                               \
  static inline int32_t keldar_admin_CArrayData##N##Size(const KeldarAdminToolsLibrary* lib,      \
                                                         const A* array) {                        \
    KeldarAdmin##N##SizeFn fn = KELDAR_ADMIN_G(lib, CArrayData##N##Size, KeldarAdmin##N##SizeFn); \
    return fn != NULL ? fn(array) : 0;                                                            \
  }                                                                                               \
  static inline int32_t keldar_admin_CArrayData##N##Empty(const KeldarAdminToolsLibrary* lib,     \
                                                          const A* array) {                       \
    KeldarAdmin##N##EmptyFn fn =                                                                  \
        KELDAR_ADMIN_G(lib, CArrayData##N##Empty, KeldarAdmin##N##EmptyFn);                       \
    return fn != NULL ? fn(array) : 1;                                                            \
  }                                                                                               \
  static inline int32_t keldar_admin_CArrayData##N##PushBack(const KeldarAdminToolsLibrary* lib,  \
                                                             A* array, const R* record) {         \
    KeldarAdmin##N##PushBackFn fn =                                                               \
        KELDAR_ADMIN_G(lib, CArrayData##N##PushBack, KeldarAdmin##N##PushBackFn);                 \
    return fn != NULL ? fn(array, record) : 0;                                                    \
  }                                                                                               \
  static inline void keldar_admin_CArrayData##N##Clear(const KeldarAdminToolsLibrary* lib,        \
                                                       A* array) {                                \
    KeldarAdmin##N##ClearFn fn =                                                                  \
        KELDAR_ADMIN_G(lib, CArrayData##N##Clear, KeldarAdmin##N##ClearFn);                       \
    if (fn != NULL) fn(array);                                                                    \
  }                                                                                               \
  static inline R* keldar_admin_CArrayData##N##GetIndexData(const KeldarAdminToolsLibrary* lib,   \
                                                            A* array, int32_t index) {            \
    KeldarAdmin##N##GetIndexDataFn fn =                                                           \
        KELDAR_ADMIN_G(lib, CArrayData##N##GetIndexData, KeldarAdmin##N##GetIndexDataFn);         \
    return fn != NULL ? fn(array, index) : NULL;                                                  \
  }

KELDAR_ADMIN_RECORD_HELPERS(DeviceHeat, KeldarAdminDeviceHeat, KeldarAdminDeviceHeatArray)
KELDAR_ADMIN_RECORD_HELPERS(DeviceWaterCold, KeldarAdminDeviceWaterCold,
                            KeldarAdminDeviceWaterColdArray)
KELDAR_ADMIN_RECORD_HELPERS(DeviceWaterHot, KeldarAdminDeviceWaterHot,
                            KeldarAdminDeviceWaterHotArray)
KELDAR_ADMIN_RECORD_HELPERS(Subscriber, KeldarAdminSubscriber, KeldarAdminSubscriberArray)
KELDAR_ADMIN_RECORD_HELPERS(Object, KeldarAdminObject, KeldarAdminObjectArray)
KELDAR_ADMIN_RECORD_HELPERS(Heat, KeldarAdminHeat, KeldarAdminHeatArray)
KELDAR_ADMIN_RECORD_HELPERS(WaterCold, KeldarAdminWaterCold, KeldarAdminWaterColdArray)
KELDAR_ADMIN_RECORD_HELPERS(WaterHot, KeldarAdminWaterHot, KeldarAdminWaterHotArray)

/* ---- Filling records ---- */

/* The length of `text` cut so that its last UTF-8 character is whole: a lead
 * byte whose continuation bytes lie past `length` is left out with them. */
static inline size_t keldar_admin_whole_characters(const char* text, size_t length) {
  size_t lead = length;
  while (lead > 0 && length - lead < 4 && ((unsigned char)text[lead - 1] & 0xC0) == 0x80) --lead;
  if (lead == 0) return length;
  --lead;
  const unsigned char first = (unsigned char)text[lead];
  const size_t needed = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
  return length - lead < needed ? lead : length;
}

/* Copies a text of at most `source_size` bytes (terminated or not) into a
 * field of `size` bytes, NUL-terminated, cut before the first UTF-8 character
 * that would not fit whole. Neither side is read or written past its size. A
 * NULL source empties the field. */
static inline void keldar_admin_copy_bounded(char* field, size_t size, const char* source,
                                             size_t source_size) {
  if (field == NULL || size == 0) return;
  size_t length = 0;
  if (source != NULL) {
    const size_t room = size - 1;
    length = strnlen(source, source_size < room ? source_size : room);
    length = keldar_admin_whole_characters(source, length);
  }
  if (length > 0) memcpy(field, source, length);
  field[length] = '\0';
}

/* Copies the NUL-terminated `text` into a field of `size` bytes, cut as above. */
static inline void keldar_admin_copy_text(char* field, size_t size, const char* text) {
  keldar_admin_copy_bounded(field, size, text, size);
}
#define KELDAR_ADMIN_SET_TEXT(field, text) keldar_admin_copy_text((field), sizeof(field), (text))
/* Copies a fixed-size text field of one record into a field of another. */
#define KELDAR_ADMIN_COPY_FIELD(field, source) \
  keldar_admin_copy_bounded((field), sizeof(field), (source), sizeof(source))

/* Fills the identity of `device` from an identified device's record; the
 * record's texts need not be terminated within their fields. */
static inline void keldar_admin_device_from_record(KeldarAdminDevice* device,
                                                   const KeldarDeviceRecord* record) {
  if (device == NULL || record == NULL) return;
  device->medium = record->device_type;
  KELDAR_ADMIN_COPY_FIELD(device->manufacturer, record->manufacturer);
  KELDAR_ADMIN_COPY_FIELD(device->serial, record->serial);
  KELDAR_ADMIN_COPY_FIELD(device->model, record->model);
  KELDAR_ADMIN_COPY_FIELD(device->software_version, record->software_version);
}

/* 1 when a value was reported. */
static inline int keldar_admin_is_reported(double value) { return value == value; }

#ifdef __cplusplus
}
#endif
