/* Objects, operation types and typed call helpers of the M-Bus library
 * "BusProtocol.so" (export list and wrapper layout: bus_protocol_api.h).
 *
 * Everything here is a plain C struct that the shell and the device plug-ins
 * read directly. Objects are made and freed only by the library's own
 * _Create…/_Copy…/_Delete… exports. Texts are NUL-terminated UTF-8.
 *
 * Ownership:
 *   - A telegram owns its short frame, long frame and user-data list.
 *   - A user-data list owns the records pushed into it: UserDataPushBack takes
 *     a record made by _CreateDataInfoBlock or _CopyDataInfoBlock, and
 *     UserDataClear / _DeleteUserData / _DeleteTelegramMbus free it. Records
 *     returned by UserDataGetIndexData stay owned by the list.
 *   - DIFE and VIFE lists are held by value inside a record.
 *
 * Result codes: ParserTelegram gives KELDAR_BUS_RESULT_ACK for a single E5,
 * KELDAR_BUS_RESULT_USER_DATA when a user-data answer was decoded (also an
 * application error answer, CI 70), anything else is a failure. CheckErrors
 * gives KELDAR_BUS_RESULT_MORE_RECORDS when the long frame ends with DIF 1F,
 * KELDAR_BUS_RESULT_LAST_TELEGRAM for a complete answer,
 * KELDAR_BUS_RESULT_ERROR_ANSWER for CI 70 and KELDAR_BUS_RESULT_NO_USER_DATA
 * when the frame holds no decodable user data. Builders
 * give 1 when the frame was built and 0 when the request was refused (the
 * long frame is then left empty, and WriteData sends nothing). */
#pragma once

#include <assert.h>
#include <stddef.h>
#include <stdint.h>

#include "keldar/bus_protocol_api.h"

#ifdef __cplusplus
extern "C" {
#endif

#define KELDAR_BUS_RESULT_FAILED 0
#define KELDAR_BUS_RESULT_ACK 1
#define KELDAR_BUS_RESULT_LAST_TELEGRAM 0
#define KELDAR_BUS_RESULT_ERROR_ANSWER 2
#define KELDAR_BUS_RESULT_MORE_RECORDS 3
#define KELDAR_BUS_RESULT_NO_USER_DATA (-1)
#define KELDAR_BUS_RESULT_USER_DATA 4

#define KELDAR_BUS_FRAME_CAPACITY 264u     /* longest frame: 4 + 255 + 2 = 261 bytes */
#define KELDAR_BUS_LONG_DATA_CAPACITY 252u /* L-field 255 minus C, A and CI */
#define KELDAR_BUS_DIFE_CAPACITY 10u
#define KELDAR_BUS_VIFE_CAPACITY 10u
#define KELDAR_BUS_RECORD_TEXT_SIZE 256u
#define KELDAR_BUS_UNIT_TEXT_SIZE 16u
#define KELDAR_BUS_QUANTITY_TEXT_SIZE 96u
#define KELDAR_BUS_ERROR_TEXT_SIZE 64u

#define KELDAR_BUS_ADDRESS_SELECTED 253u /* the slave chosen by secondary addressing */
#define KELDAR_BUS_ADDRESS_ANY 254u      /* point to point */
#define KELDAR_BUS_WILDCARD_ID (-1)      /* SetSecondaryAddressing: every digit a wildcard */

/* Why a port object cannot be used (CProcessComPortGetOpenError). */
#define KELDAR_BUS_PORT_OPEN 0          /* open and usable */
#define KELDAR_BUS_PORT_NOT_FOUND 1     /* no such device: unplugged, or a wrong name */
#define KELDAR_BUS_PORT_ACCESS_DENIED 2 /* the user may not open it */
#define KELDAR_BUS_PORT_BUSY 3          /* another program holds it */
#define KELDAR_BUS_PORT_NOT_SERIAL 4    /* the device is not a serial line */
#define KELDAR_BUS_PORT_FAILED 5        /* any other failure, also one after opening */
/* A gateway given as "tcp://HOST:PORT" (IPv6 in brackets): */
#define KELDAR_BUS_PORT_NO_SUCH_HOST 6 /* the host name does not resolve */
#define KELDAR_BUS_PORT_REFUSED 7      /* the host refuses the connection: nothing at that port */
#define KELDAR_BUS_PORT_TIMED_OUT 8    /* no answer within 3 s, name look-up included */

/* CProcessComPortSetSpeed on a gateway: done, but nothing changed on the wire
 * (the gateway's bus keeps its speed; answers are timed by the new one). Not
 * a failure. */
#define KELDAR_BUS_SPEED_NOT_ON_WIRE 2

/* Bytes on the wire: the receive buffer, and the serialized form that both
 * frame objects begin with (so WriteData takes either). */
typedef struct KeldarBusData {
  uint32_t size;
  uint8_t bytes[KELDAR_BUS_FRAME_CAPACITY];
} KeldarBusData;

typedef struct KeldarBusShortFrame {
  KeldarBusData serialized; /* filled by ShortFrameSerialize; must stay first */
  uint8_t c_field;
  uint8_t a_field;
  uint8_t reserved[2];
} KeldarBusShortFrame;

typedef struct KeldarBusLongFrame {
  KeldarBusData serialized; /* filled by CLongFrameSerialize; must stay first */
  uint8_t c_field;
  uint8_t a_field;
  uint8_t ci_field;
  uint8_t reserved;
  uint32_t data_size;
  uint8_t data[KELDAR_BUS_LONG_DATA_CAPACITY];
} KeldarBusLongFrame;

typedef struct KeldarBusDifeList {
  uint32_t count;
  uint8_t bytes[KELDAR_BUS_DIFE_CAPACITY]; /* as sent, extension bit included */
  uint8_t reserved[2];
} KeldarBusDifeList;

/* One VIF or VIFE byte: as sent and without its extension bit. */
typedef struct KeldarBusValueInfoField {
  uint8_t raw;
  uint8_t code;
  uint8_t reserved[2];
} KeldarBusValueInfoField;

typedef KeldarBusValueInfoField KeldarBusValueInfoFieldExtension;

typedef struct KeldarBusVifeList {
  uint32_t count;
  KeldarBusValueInfoFieldExtension items[KELDAR_BUS_VIFE_CAPACITY];
} KeldarBusVifeList;

/* Function field of the DIF, plus the trailing manufacturer-specific block. */
enum KeldarBusFunction {
  KELDAR_BUS_FUNCTION_INSTANTANEOUS = 0,
  KELDAR_BUS_FUNCTION_MAXIMUM = 1,
  KELDAR_BUS_FUNCTION_MINIMUM = 2,
  KELDAR_BUS_FUNCTION_ERROR = 3,
  KELDAR_BUS_FUNCTION_MANUFACTURER = 4
};

/* What a record offers besides its raw value. */
enum KeldarBusValueKind {
  KELDAR_BUS_VALUE_NONE = 0,         /* no data, or digits that are not BCD */
  KELDAR_BUS_VALUE_NUMBER = 1,       /* `decoded`, scaled to `unit_text` */
  KELDAR_BUS_VALUE_TEXT = 2,         /* `text`: ASCII in reading order, or hex bytes */
  KELDAR_BUS_VALUE_DATE = 3,         /* `text`: ISO 8601 without zone */
  KELDAR_BUS_VALUE_INVALID_DATE = 4, /* flagged invalid, or no calendar date; `text` empty */
  KELDAR_BUS_VALUE_BYTES = 5         /* manufacturer-specific block: `data` only */
};

/* One user-data record (data information block plus value information block). */
typedef struct KeldarBusDataInfoBlock {
  uint8_t kind;       /* 1 = inspected (decoded from a telegram), 0 = empty */
  uint8_t dif;        /* as sent */
  uint8_t vif;        /* without extension bit: 0x7D / 0x7B name an extension table */
  uint8_t vif_raw;    /* as sent */
  uint8_t function;   /* enum KeldarBusFunction */
  uint8_t value_kind; /* enum KeldarBusValueKind */
  uint8_t reserved[2];
  KeldarBusDifeList dife;
  KeldarBusVifeList vife;
  uint64_t value; /* the first eight data bytes read as little-endian unsigned */
  uint32_t unit;  /* unit index: the sub-unit number of the DIFE chain */
  uint32_t tariff;
  uint64_t storage;
  double decoded; /* valid when value_kind is KELDAR_BUS_VALUE_NUMBER */
  uint32_t data_size;
  uint8_t data[KELDAR_BUS_LONG_DATA_CAPACITY];  /* data bytes as sent, LVAR byte excluded */
  char unit_text[KELDAR_BUS_UNIT_TEXT_SIZE];    /* "Wh", "m^3", "°C", … or "" */
  char quantity[KELDAR_BUS_QUANTITY_TEXT_SIZE]; /* "Energy", "Flow temperature", … */
  char text[KELDAR_BUS_RECORD_TEXT_SIZE];
} KeldarBusDataInfoBlock;

/* The records of a telegram; read with UserDataSize / UserDataGetIndexData. */
typedef struct KeldarBusUserData {
  uint32_t count;
  uint32_t reserved;
  KeldarBusDataInfoBlock* const* items;
} KeldarBusUserData;

/* A decoded telegram. The header fields hold the last user-data answer parsed
 * into it; `identification` is the 4 BCD bytes read least significant first,
 * so printing its low 32 bits with "%08X" gives the 8 digits. */
typedef struct KeldarBusTelegram {
  KeldarBusShortFrame* short_frame;
  KeldarBusLongFrame* long_frame;
  KeldarBusUserData* user_data;
  uint64_t identification;
  uint8_t c_field;
  uint8_t a_field;
  uint8_t ci_field;
  uint8_t version;
  uint8_t medium;
  uint8_t access_number;
  uint8_t status;
  uint8_t more_records_follow; /* the answer ended with DIF 1F */
  uint16_t manufacturer;       /* as sent, little-endian */
  uint16_t signature;
  char manufacturer_text[4]; /* three letters */
  int32_t application_error; /* CI 70: the error code (0 when the answer names none); else -1 */
  char error_text[KELDAR_BUS_ERROR_TEXT_SIZE];
} KeldarBusTelegram;

/* Date and time of the data types K, I, F, G (EN 13757-3 annex A). */
typedef struct KeldarBusDateTime {
  int32_t type; /* 'K', 'I', 'F' or 'G' */
  int32_t year;
  int32_t month;
  int32_t day;
  int32_t hour;
  int32_t minute;
  int32_t second;
  int32_t valid;       /* 0 when the meter flags the value invalid */
  int32_t summer_time; /* SU bit of types F and I */
} KeldarBusDateTime;

/* The port, a serial device or a network gateway; only the library looks inside. */
typedef struct KeldarBusPort KeldarBusPort;

/* Layouts callers rely on. */
static_assert(offsetof(KeldarBusShortFrame, serialized) == 0, "serialized bytes lead");
static_assert(offsetof(KeldarBusLongFrame, serialized) == 0, "serialized bytes lead");
static_assert(sizeof(KeldarBusData) == 4 + KELDAR_BUS_FRAME_CAPACITY, "no padding");
static_assert(sizeof(KeldarBusValueInfoField) == 4, "VIF object");
static_assert(sizeof(KeldarBusDifeList) == 16, "DIFE list");
static_assert(sizeof(KeldarBusVifeList) == 44, "VIFE list");
static_assert(offsetof(KeldarBusDataInfoBlock, dife) == 8, "record layout");
static_assert(offsetof(KeldarBusDataInfoBlock, value) % 8 == 0, "record layout");
static_assert(offsetof(KeldarBusTelegram, identification) == 3 * sizeof(void*), "telegram layout");
static_assert(sizeof(KeldarBusDateTime) == 36, "date/time layout");

/* ---- Operation types (the object acted on first) ---- */

/* receive buffer */
typedef KeldarBusData* (*KeldarBusCreateDataMbusFn)(void);
typedef void (*KeldarBusDeleteDataMbusFn)(KeldarBusData* data);
typedef int32_t (*KeldarBusDataMbusSizeFn)(const KeldarBusData* data);
typedef int32_t (*KeldarBusDataMbusPushBackFn)(KeldarBusData* data, uint8_t byte); /* 0 when full */
typedef int32_t (*KeldarBusDataMbusGetIndexDataFn)(const KeldarBusData* data,
                                                   int32_t index); /* -1 out of range */
typedef int32_t (*KeldarBusDataMbusEmptyFn)(const KeldarBusData* data);
typedef void (*KeldarBusDataMbusClearFn)(KeldarBusData* data);

/* port. `reserved` is 0; `address` is the port's target address (254 until a
 * slave is selected); `device_path` "/dev/…", or "tcp://HOST:PORT" for an
 * M-Bus gateway on the network (a host name, an IPv4 address or an IPv6
 * address in brackets); `baud` the first speed (a gateway's: the speed of its
 * bus, which times the answers). Opening a gateway takes at most 3 s, name
 * look-up included. The port exists even when it could not be opened:
 * GetStatus says. A gateway that closes the connection leaves the port
 * unusable (GetStatus 0). */
typedef KeldarBusPort* (*KeldarBusCreatePortFn)(int32_t reserved, uint8_t address,
                                                const char* device_path, int32_t baud);
typedef void (*KeldarBusDeletePortFn)(KeldarBusPort* port);
/* `frame`: a KeldarBusShortFrame or KeldarBusLongFrame (serialized first). */
typedef int32_t (*KeldarBusPortWriteDataFn)(KeldarBusPort* port, const void* frame);
/* Replaces the buffer with the next complete answer frame; 0 when none came. */
typedef int32_t (*KeldarBusPortReadDataFn)(KeldarBusPort* port, KeldarBusData* buffer);
/* 1 when set, KELDAR_BUS_SPEED_NOT_ON_WIRE on a gateway, 0 when it failed. */
typedef int32_t (*KeldarBusPortSetSpeedFn)(KeldarBusPort* port, int32_t baud);
typedef int32_t (*KeldarBusPortGetSpeedFn)(const KeldarBusPort* port);
typedef int32_t (*KeldarBusPortGetStatusFn)(const KeldarBusPort* port);
typedef void (*KeldarBusPortSetAdressFn)(KeldarBusPort* port, uint8_t address);
/* One of KELDAR_BUS_PORT_*: why the port cannot be used, or OPEN. */
typedef int32_t (*KeldarBusPortGetOpenErrorFn)(const KeldarBusPort* port);
/* Writes every exchange of the port from now on to a new file at `path`
 * (time, direction, bytes, a reading of each frame; at most 10 MB); NULL or ""
 * ends the trace. 1 when done, 0 when the file cannot be written. Written
 * after each answer, so the trace does not change the timing on the bus. */
typedef int32_t (*KeldarBusPortSetTraceFn)(KeldarBusPort* port, const char* path);
/* How long the line is watched, after an answer window that passed in
 * silence, for a late answer to drop before the next request (100 ms when the
 * port opens; 0 to 1000). A caller that checks every answer by its content
 * (a bus scan) may do without. 1 when set, 0 when refused. */
typedef int32_t (*KeldarBusPortSetLateAnswerGuardFn)(KeldarBusPort* port, int32_t milliseconds);
/* What a gateway's network may add to each answer window, on top of the
 * EN 13757-2 window at the port's speed (200 ms when the port opens; 0 to
 * 5000). 1 when set, 0 when refused (out of range, or a serial port). */
typedef int32_t (*KeldarBusPortSetNetworkAllowanceFn)(KeldarBusPort* port, int32_t milliseconds);

/* date/time objects */
typedef KeldarBusDateTime* (*KeldarBusCreateDateTimeFn)(void);
typedef void (*KeldarBusDeleteDateTimeFn)(KeldarBusDateTime* date);
/* Decodes a record's 64-bit value into `date`; 1 when it holds a valid date. */
typedef int32_t (*KeldarBusGetDataTypeFn)(KeldarBusDateTime* date, uint64_t value);

/* telegram */
typedef KeldarBusTelegram* (*KeldarBusCreateTelegramMbusFn)(void);
typedef void (*KeldarBusDeleteTelegramMbusFn)(KeldarBusTelegram* telegram);
typedef int32_t (*KeldarBusParserTelegramFn)(KeldarBusTelegram* telegram,
                                             const KeldarBusData* buffer);
typedef int32_t (*KeldarBusCheckErrorsFn)(KeldarBusTelegram* target,
                                          const KeldarBusLongFrame* long_frame);

/* records and lists */
typedef KeldarBusDataInfoBlock* (*KeldarBusCreateDataInfoBlockFn)(void);
typedef KeldarBusDataInfoBlock* (*KeldarBusCopyDataInfoBlockFn)(
    const KeldarBusDataInfoBlock* record);
typedef void (*KeldarBusDeleteDataInfoBlockFn)(KeldarBusDataInfoBlock* record);
typedef KeldarBusUserData* (*KeldarBusCreateUserDataFn)(void);
typedef void (*KeldarBusDeleteUserDataFn)(KeldarBusUserData* list);
typedef int32_t (*KeldarBusUserDataSizeFn)(const KeldarBusUserData* list);
typedef int32_t (*KeldarBusUserDataEmptyFn)(const KeldarBusUserData* list);
typedef int32_t (*KeldarBusUserDataPushBackFn)(KeldarBusUserData* list,
                                               KeldarBusDataInfoBlock* record); /* takes it */
typedef void (*KeldarBusUserDataClearFn)(KeldarBusUserData* list);
typedef KeldarBusDataInfoBlock* (*KeldarBusUserDataGetIndexDataFn)(KeldarBusUserData* list,
                                                                   int32_t index);
typedef KeldarBusDifeList* (*KeldarBusCreateDifeListFn)(void);
typedef void (*KeldarBusDeleteDifeListFn)(KeldarBusDifeList* list);
typedef int32_t (*KeldarBusDIFESizeFn)(const KeldarBusDifeList* list);
typedef int32_t (*KeldarBusDIFEEmptyFn)(const KeldarBusDifeList* list);
typedef int32_t (*KeldarBusDIFEPushBackFn)(KeldarBusDifeList* list, uint8_t dife);
typedef int32_t (*KeldarBusDIFEGetIndexDataFn)(const KeldarBusDifeList* list,
                                               int32_t index); /* the byte, or -1 */
typedef void (*KeldarBusDIFEClearFn)(KeldarBusDifeList* list);
typedef KeldarBusValueInfoField* (*KeldarBusCreateVifFn)(void);
typedef KeldarBusValueInfoField* (*KeldarBusCopyVifFn)(const KeldarBusValueInfoField* vif);
typedef void (*KeldarBusDeleteVifFn)(KeldarBusValueInfoField* vif);
typedef KeldarBusVifeList* (*KeldarBusCreateVifeListFn)(void);
typedef void (*KeldarBusDeleteVifeListFn)(KeldarBusVifeList* list);
typedef int32_t (*KeldarBusVIFESizeFn)(const KeldarBusVifeList* list);
typedef int32_t (*KeldarBusVIFEEmptyFn)(const KeldarBusVifeList* list);
typedef int32_t (*KeldarBusVIFEPushBackFn)(KeldarBusVifeList* list,
                                           const KeldarBusValueInfoFieldExtension* vife);
/* The VIFE at `index` without its extension bit, or -1. */
typedef int32_t (*KeldarBusVIFEGetIndexDataFn)(const KeldarBusVifeList* list, int32_t index);
typedef void (*KeldarBusVIFEClearFn)(KeldarBusVifeList* list);

/* short frame */
typedef uint8_t (*KeldarBusShortFrameCFieldFn)(const KeldarBusShortFrame* frame);
typedef void (*KeldarBusShortFrameSetFieldFn)(KeldarBusShortFrame* frame, uint8_t value);
typedef void (*KeldarBusShortFrameClearFn)(KeldarBusShortFrame* frame);
typedef int32_t (*KeldarBusShortFrameSerializeFn)(KeldarBusShortFrame* frame); /* byte count */

/* long frame */
typedef KeldarBusLongFrame* (*KeldarBusCreateCLongFrameFn)(void);
typedef void (*KeldarBusDeleteCLongFrameFn)(KeldarBusLongFrame* frame);
typedef int32_t (*KeldarBusCLongFrameSerializeFn)(KeldarBusLongFrame* frame); /* byte count */
typedef void (*KeldarBusLongFrameClearFn)(KeldarBusLongFrame* frame);
typedef uint8_t (*KeldarBusLongFrameCFieldFn)(const KeldarBusLongFrame* frame);
/* Any request the builders below do not cover. */
typedef int32_t (*KeldarBusGeneratePaketFn)(KeldarBusLongFrame* frame, uint8_t c_field,
                                            uint8_t a_field, uint8_t ci_field, const uint8_t* data,
                                            int32_t size);

/* request builders: SND_UD to one primary address; 1 built, 0 refused */
typedef int32_t (*KeldarBusBuildFn)(KeldarBusLongFrame* frame, uint8_t address);
typedef int32_t (*KeldarBusBuildForUnitFn)(KeldarBusLongFrame* frame, uint8_t address,
                                           int32_t unit);
typedef int32_t (*KeldarBusSetAddressFn)(KeldarBusLongFrame* frame, uint8_t address, uint64_t value,
                                         int32_t secondary);
typedef int32_t (*KeldarBusSetLocalTimeFn)(KeldarBusLongFrame* frame, uint8_t address,
                                           const KeldarBusDateTime* time); /* NULL: now */
typedef int32_t (*KeldarBusSetSecondaryAddressingFn)(KeldarBusLongFrame* frame,
                                                     int64_t identification, int32_t reserved,
                                                     const char* manufacturer, int32_t version,
                                                     int32_t medium, const char* model);
typedef int32_t (*KeldarBusSetDeviceSpeedFn)(KeldarBusLongFrame* frame, uint8_t address,
                                             int32_t baud);
typedef int32_t (*KeldarBusGetIncrementPulseFn)(KeldarBusLongFrame* frame, uint8_t address,
                                                int32_t unit, int32_t channel);
typedef int32_t (*KeldarBusSetIncrementPulseFn)(KeldarBusLongFrame* frame, uint8_t address,
                                                int32_t unit, int32_t channel,
                                                uint32_t litres_per_pulse);
typedef int32_t (*KeldarBusArchivRecordsFn)(KeldarBusLongFrame* frame, uint8_t address,
                                            uint32_t storage);
typedef int32_t (*KeldarBusSetDeviceTypeFn)(KeldarBusLongFrame* frame, uint8_t address,
                                            uint8_t medium);
typedef int32_t (*KeldarBusSetSerialNumberFn)(KeldarBusLongFrame* frame, uint8_t address,
                                              int64_t serial_number);

/* ---- Typed call helpers: never cast an entry by hand ---- */

#define KELDAR_BUS_CALL_F(lib, member, type) ((type)(lib)->member)
#define KELDAR_BUS_CALL_G(lib, member, type) ((type)(lib)->member.entry)

static inline KeldarBusData* keldar_bus_CreateDataMbus(const KeldarBusProtocolLibrary* lib) {
  return KELDAR_BUS_CALL_F(lib, CreateDataMbus, KeldarBusCreateDataMbusFn)();
}
static inline void keldar_bus_DeleteDataMbus(const KeldarBusProtocolLibrary* lib,
                                             KeldarBusData* data) {
  KELDAR_BUS_CALL_F(lib, DeleteDataMbus, KeldarBusDeleteDataMbusFn)(data);
}
static inline int32_t keldar_bus_DataMbusSize(const KeldarBusProtocolLibrary* lib,
                                              const KeldarBusData* data) {
  return KELDAR_BUS_CALL_G(lib, DataMbusSize, KeldarBusDataMbusSizeFn)(data);
}
static inline int32_t keldar_bus_DataMbusPushBack(const KeldarBusProtocolLibrary* lib,
                                                  KeldarBusData* data, uint8_t byte) {
  return KELDAR_BUS_CALL_G(lib, DataMbusPushBack, KeldarBusDataMbusPushBackFn)(data, byte);
}
static inline int32_t keldar_bus_DataMbusGetIndexData(const KeldarBusProtocolLibrary* lib,
                                                      const KeldarBusData* data, int32_t index) {
  return KELDAR_BUS_CALL_G(lib, DataMbusGetIndexData, KeldarBusDataMbusGetIndexDataFn)(data, index);
}
static inline int32_t keldar_bus_DataMbusEmpty(const KeldarBusProtocolLibrary* lib,
                                               const KeldarBusData* data) {
  return KELDAR_BUS_CALL_G(lib, DataMbusEmpty, KeldarBusDataMbusEmptyFn)(data);
}
static inline void keldar_bus_DataMbusClear(const KeldarBusProtocolLibrary* lib,
                                            KeldarBusData* data) {
  KELDAR_BUS_CALL_G(lib, DataMbusClear, KeldarBusDataMbusClearFn)(data);
}

static inline KeldarBusPort* keldar_bus_CreateCProcessComPort(const KeldarBusProtocolLibrary* lib,
                                                              int32_t reserved, uint8_t address,
                                                              const char* device_path,
                                                              int32_t baud) {
  return KELDAR_BUS_CALL_F(lib, CreateCProcessComPort, KeldarBusCreatePortFn)(reserved, address,
                                                                              device_path, baud);
}
static inline void keldar_bus_DeleteCProcessComPort(const KeldarBusProtocolLibrary* lib,
                                                    KeldarBusPort* port) {
  KELDAR_BUS_CALL_F(lib, DeleteCProcessComPort, KeldarBusDeletePortFn)(port);
}
static inline int32_t keldar_bus_CProcessComPortWriteData(const KeldarBusProtocolLibrary* lib,
                                                          KeldarBusPort* port, const void* frame) {
  return KELDAR_BUS_CALL_G(lib, CProcessComPortWriteData, KeldarBusPortWriteDataFn)(port, frame);
}
static inline int32_t keldar_bus_CProcessComPortReadData(const KeldarBusProtocolLibrary* lib,
                                                         KeldarBusPort* port,
                                                         KeldarBusData* buffer) {
  return KELDAR_BUS_CALL_G(lib, CProcessComPortReadData, KeldarBusPortReadDataFn)(port, buffer);
}
static inline int32_t keldar_bus_CProcessComPortSetSpeed(const KeldarBusProtocolLibrary* lib,
                                                         KeldarBusPort* port, int32_t baud) {
  return KELDAR_BUS_CALL_G(lib, CProcessComPortSetSpeed, KeldarBusPortSetSpeedFn)(port, baud);
}
static inline int32_t keldar_bus_CProcessComPortGetSpeed(const KeldarBusProtocolLibrary* lib,
                                                         const KeldarBusPort* port) {
  return KELDAR_BUS_CALL_G(lib, CProcessComPortGetSpeed, KeldarBusPortGetSpeedFn)(port);
}
static inline int32_t keldar_bus_CProcessComPortGetStatus(const KeldarBusProtocolLibrary* lib,
                                                          const KeldarBusPort* port) {
  return KELDAR_BUS_CALL_G(lib, CProcessComPortGetStatus, KeldarBusPortGetStatusFn)(port);
}
/* KELDAR_BUS_PORT_FAILED for a library without the export, or without a port. */
static inline int32_t keldar_bus_CProcessComPortGetOpenError(const KeldarBusProtocolLibrary* lib,
                                                             const KeldarBusPort* port) {
  if (port == NULL) return KELDAR_BUS_PORT_FAILED;
  if (lib->CProcessComPortGetOpenError.entry == NULL)
    return keldar_bus_CProcessComPortGetStatus(lib, port) != 0 ? KELDAR_BUS_PORT_OPEN
                                                               : KELDAR_BUS_PORT_FAILED;
  return KELDAR_BUS_CALL_G(lib, CProcessComPortGetOpenError, KeldarBusPortGetOpenErrorFn)(port);
}
static inline void keldar_bus_CProcessComPortSetAdress(const KeldarBusProtocolLibrary* lib,
                                                       KeldarBusPort* port, uint8_t address) {
  KELDAR_BUS_CALL_G(lib, CProcessComPortSetAdress, KeldarBusPortSetAdressFn)(port, address);
}
/* 0 for a library without the export: it cannot trace. */
static inline int32_t keldar_bus_CProcessComPortSetTrace(const KeldarBusProtocolLibrary* lib,
                                                         KeldarBusPort* port, const char* path) {
  if (lib->CProcessComPortSetTrace.entry == NULL) return 0;
  return KELDAR_BUS_CALL_G(lib, CProcessComPortSetTrace, KeldarBusPortSetTraceFn)(port, path);
}
/* 0 for a library without the export: the guard stays as it is. */
static inline int32_t keldar_bus_CProcessComPortSetLateAnswerGuard(
    const KeldarBusProtocolLibrary* lib, KeldarBusPort* port, int32_t milliseconds) {
  if (lib->CProcessComPortSetLateAnswerGuard.entry == NULL) return 0;
  return KELDAR_BUS_CALL_G(lib, CProcessComPortSetLateAnswerGuard,
                           KeldarBusPortSetLateAnswerGuardFn)(port, milliseconds);
}

/* 0 for a library without the export: the allowance stays as it is. */
static inline int32_t keldar_bus_CProcessComPortSetNetworkAllowance(
    const KeldarBusProtocolLibrary* lib, KeldarBusPort* port, int32_t milliseconds) {
  if (lib->CProcessComPortSetNetworkAllowance.entry == NULL) return 0;
  return KELDAR_BUS_CALL_G(lib, CProcessComPortSetNetworkAllowance,
                           KeldarBusPortSetNetworkAllowanceFn)(port, milliseconds);
}

#define KELDAR_BUS_DATE_HELPERS(T)                                                           \
  static inline KeldarBusDateTime* keldar_bus_CreateCDataType##T(                            \
      const KeldarBusProtocolLibrary* lib) {                                                 \
    return KELDAR_BUS_CALL_F(lib, CreateCDataType##T, KeldarBusCreateDateTimeFn)();          \
  }                                                                                          \
  static inline void keldar_bus_DeleteCDataType##T(const KeldarBusProtocolLibrary* lib,      \
                                                   KeldarBusDateTime* date) {                \
    KELDAR_BUS_CALL_F(lib, DeleteCDataType##T, KeldarBusDeleteDateTimeFn)(date);             \
  }                                                                                          \
  static inline int32_t keldar_bus_getDataType##T(const KeldarBusProtocolLibrary* lib,       \
                                                  KeldarBusDateTime* date, uint64_t value) { \
    return KELDAR_BUS_CALL_G(lib, getDataType##T, KeldarBusGetDataTypeFn)(date, value);      \
  }
KELDAR_BUS_DATE_HELPERS(K)
KELDAR_BUS_DATE_HELPERS(I)
KELDAR_BUS_DATE_HELPERS(F)
KELDAR_BUS_DATE_HELPERS(G)
#undef KELDAR_BUS_DATE_HELPERS

static inline KeldarBusTelegram* keldar_bus_CreateTelegramMbus(
    const KeldarBusProtocolLibrary* lib) {
  return KELDAR_BUS_CALL_F(lib, CreateTelegramMbus, KeldarBusCreateTelegramMbusFn)();
}
static inline void keldar_bus_DeleteTelegramMbus(const KeldarBusProtocolLibrary* lib,
                                                 KeldarBusTelegram* telegram) {
  KELDAR_BUS_CALL_F(lib, DeleteTelegramMbus, KeldarBusDeleteTelegramMbusFn)(telegram);
}
static inline int32_t keldar_bus_ParserTelegram(const KeldarBusProtocolLibrary* lib,
                                                KeldarBusTelegram* telegram,
                                                const KeldarBusData* buffer) {
  return KELDAR_BUS_CALL_G(lib, ParserTelegram, KeldarBusParserTelegramFn)(telegram, buffer);
}
static inline int32_t keldar_bus_CheckErrors(const KeldarBusProtocolLibrary* lib,
                                             KeldarBusTelegram* target,
                                             const KeldarBusLongFrame* long_frame) {
  return KELDAR_BUS_CALL_G(lib, CheckErrors, KeldarBusCheckErrorsFn)(target, long_frame);
}

static inline KeldarBusDataInfoBlock* keldar_bus_CreateDataInfoBlock(
    const KeldarBusProtocolLibrary* lib) {
  return KELDAR_BUS_CALL_F(lib, CreateDataInfoBlock, KeldarBusCreateDataInfoBlockFn)();
}
static inline KeldarBusDataInfoBlock* keldar_bus_CopyDataInfoBlock(
    const KeldarBusProtocolLibrary* lib, const KeldarBusDataInfoBlock* record) {
  return KELDAR_BUS_CALL_F(lib, CopyDataInfoBlock, KeldarBusCopyDataInfoBlockFn)(record);
}
static inline void keldar_bus_DeleteDataInfoBlock(const KeldarBusProtocolLibrary* lib,
                                                  KeldarBusDataInfoBlock* record) {
  KELDAR_BUS_CALL_F(lib, DeleteDataInfoBlock, KeldarBusDeleteDataInfoBlockFn)(record);
}
static inline KeldarBusUserData* keldar_bus_CreateUserData(const KeldarBusProtocolLibrary* lib) {
  return KELDAR_BUS_CALL_F(lib, CreateUserData, KeldarBusCreateUserDataFn)();
}
static inline void keldar_bus_DeleteUserData(const KeldarBusProtocolLibrary* lib,
                                             KeldarBusUserData* list) {
  KELDAR_BUS_CALL_F(lib, DeleteUserData, KeldarBusDeleteUserDataFn)(list);
}
static inline int32_t keldar_bus_UserDataSize(const KeldarBusProtocolLibrary* lib,
                                              const KeldarBusUserData* list) {
  return KELDAR_BUS_CALL_G(lib, UserDataSize, KeldarBusUserDataSizeFn)(list);
}
static inline int32_t keldar_bus_UserDataEmpty(const KeldarBusProtocolLibrary* lib,
                                               const KeldarBusUserData* list) {
  return KELDAR_BUS_CALL_G(lib, UserDataEmpty, KeldarBusUserDataEmptyFn)(list);
}
static inline int32_t keldar_bus_UserDataPushBack(const KeldarBusProtocolLibrary* lib,
                                                  KeldarBusUserData* list,
                                                  KeldarBusDataInfoBlock* record) {
  return KELDAR_BUS_CALL_G(lib, UserDataPushBack, KeldarBusUserDataPushBackFn)(list, record);
}
static inline void keldar_bus_UserDataClear(const KeldarBusProtocolLibrary* lib,
                                            KeldarBusUserData* list) {
  KELDAR_BUS_CALL_G(lib, UserDataClear, KeldarBusUserDataClearFn)(list);
}
static inline KeldarBusDataInfoBlock* keldar_bus_UserDataGetIndexData(
    const KeldarBusProtocolLibrary* lib, KeldarBusUserData* list, int32_t index) {
  return KELDAR_BUS_CALL_G(lib, UserDataGetIndexData, KeldarBusUserDataGetIndexDataFn)(list, index);
}

static inline KeldarBusDifeList* keldar_bus_CreateCArrayDataInfoFieldExtension(
    const KeldarBusProtocolLibrary* lib) {
  return KELDAR_BUS_CALL_F(lib, CreateCArrayDataInfoFieldExtension, KeldarBusCreateDifeListFn)();
}
static inline void keldar_bus_DeleteCArrayDataInfoFieldExtension(
    const KeldarBusProtocolLibrary* lib, KeldarBusDifeList* list) {
  KELDAR_BUS_CALL_F(lib, DeleteCArrayDataInfoFieldExtension, KeldarBusDeleteDifeListFn)(list);
}
static inline int32_t keldar_bus_DIFESize(const KeldarBusProtocolLibrary* lib,
                                          const KeldarBusDifeList* list) {
  return KELDAR_BUS_CALL_G(lib, DIFESize, KeldarBusDIFESizeFn)(list);
}
static inline int32_t keldar_bus_DIFEEmpty(const KeldarBusProtocolLibrary* lib,
                                           const KeldarBusDifeList* list) {
  return KELDAR_BUS_CALL_G(lib, DIFEEmpty, KeldarBusDIFEEmptyFn)(list);
}
static inline int32_t keldar_bus_DIFEPushBack(const KeldarBusProtocolLibrary* lib,
                                              KeldarBusDifeList* list, uint8_t dife) {
  return KELDAR_BUS_CALL_G(lib, DIFEPushBack, KeldarBusDIFEPushBackFn)(list, dife);
}
static inline int32_t keldar_bus_DIFEGetIndexData(const KeldarBusProtocolLibrary* lib,
                                                  const KeldarBusDifeList* list, int32_t index) {
  return KELDAR_BUS_CALL_G(lib, DIFEGetIndexData, KeldarBusDIFEGetIndexDataFn)(list, index);
}
static inline void keldar_bus_DIFEClear(const KeldarBusProtocolLibrary* lib,
                                        KeldarBusDifeList* list) {
  KELDAR_BUS_CALL_G(lib, DIFEClear, KeldarBusDIFEClearFn)(list);
}

static inline KeldarBusValueInfoField* keldar_bus_CreateCValueInfoField(
    const KeldarBusProtocolLibrary* lib) {
  return KELDAR_BUS_CALL_F(lib, CreateCValueInfoField, KeldarBusCreateVifFn)();
}
static inline KeldarBusValueInfoField* keldar_bus_CopyCValueInfoField(
    const KeldarBusProtocolLibrary* lib, const KeldarBusValueInfoField* vif) {
  return KELDAR_BUS_CALL_F(lib, CopyCValueInfoField, KeldarBusCopyVifFn)(vif);
}
static inline void keldar_bus_DeleteCValueInfoField(const KeldarBusProtocolLibrary* lib,
                                                    KeldarBusValueInfoField* vif) {
  KELDAR_BUS_CALL_F(lib, DeleteCValueInfoField, KeldarBusDeleteVifFn)(vif);
}
static inline KeldarBusValueInfoFieldExtension* keldar_bus_CreateCValueInfoFieldExtension(
    const KeldarBusProtocolLibrary* lib) {
  return KELDAR_BUS_CALL_F(lib, CreateCValueInfoFieldExtension, KeldarBusCreateVifFn)();
}
static inline KeldarBusValueInfoFieldExtension* keldar_bus_CopyCValueInfoFieldExtension(
    const KeldarBusProtocolLibrary* lib, const KeldarBusValueInfoFieldExtension* vife) {
  return KELDAR_BUS_CALL_F(lib, CopyCValueInfoFieldExtension, KeldarBusCopyVifFn)(vife);
}
static inline void keldar_bus_DeleteCValueInfoFieldExtension(
    const KeldarBusProtocolLibrary* lib, KeldarBusValueInfoFieldExtension* vife) {
  KELDAR_BUS_CALL_F(lib, DeleteCValueInfoFieldExtension, KeldarBusDeleteVifFn)(vife);
}
static inline KeldarBusVifeList* keldar_bus_CreateCArrayValueInfoFieldExtension(
    const KeldarBusProtocolLibrary* lib) {
  return KELDAR_BUS_CALL_F(lib, CreateCArrayValueInfoFieldExtension, KeldarBusCreateVifeListFn)();
}
static inline void keldar_bus_DeleteCArrayValueInfoFieldExtension(
    const KeldarBusProtocolLibrary* lib, KeldarBusVifeList* list) {
  KELDAR_BUS_CALL_F(lib, DeleteCArrayValueInfoFieldExtension, KeldarBusDeleteVifeListFn)(list);
}
static inline int32_t keldar_bus_VIFESize(const KeldarBusProtocolLibrary* lib,
                                          const KeldarBusVifeList* list) {
  return KELDAR_BUS_CALL_G(lib, VIFESize, KeldarBusVIFESizeFn)(list);
}
static inline int32_t keldar_bus_VIFEEmpty(const KeldarBusProtocolLibrary* lib,
                                           const KeldarBusVifeList* list) {
  return KELDAR_BUS_CALL_G(lib, VIFEEmpty, KeldarBusVIFEEmptyFn)(list);
}
static inline int32_t keldar_bus_VIFEPushBack(const KeldarBusProtocolLibrary* lib,
                                              KeldarBusVifeList* list,
                                              const KeldarBusValueInfoFieldExtension* vife) {
  return KELDAR_BUS_CALL_G(lib, VIFEPushBack, KeldarBusVIFEPushBackFn)(list, vife);
}
static inline int32_t keldar_bus_VIFEGetIndexData(const KeldarBusProtocolLibrary* lib,
                                                  const KeldarBusVifeList* list, int32_t index) {
  return KELDAR_BUS_CALL_G(lib, VIFEGetIndexData, KeldarBusVIFEGetIndexDataFn)(list, index);
}
static inline void keldar_bus_VIFEClear(const KeldarBusProtocolLibrary* lib,
                                        KeldarBusVifeList* list) {
  KELDAR_BUS_CALL_G(lib, VIFEClear, KeldarBusVIFEClearFn)(list);
}

static inline uint8_t keldar_bus_CFieldSND_NKE(const KeldarBusProtocolLibrary* lib,
                                               const KeldarBusShortFrame* frame) {
  return KELDAR_BUS_CALL_G(lib, CFieldSND_NKE, KeldarBusShortFrameCFieldFn)(frame);
}
static inline uint8_t keldar_bus_getCFieldREQ_UD2(const KeldarBusProtocolLibrary* lib,
                                                  const KeldarBusShortFrame* frame) {
  return KELDAR_BUS_CALL_G(lib, getCFieldREQ_UD2, KeldarBusShortFrameCFieldFn)(frame);
}
static inline int32_t keldar_bus_ShortFrameSerialize(const KeldarBusProtocolLibrary* lib,
                                                     KeldarBusShortFrame* frame) {
  return KELDAR_BUS_CALL_G(lib, ShortFrameSerialize, KeldarBusShortFrameSerializeFn)(frame);
}
static inline void keldar_bus_SetCField(const KeldarBusProtocolLibrary* lib,
                                        KeldarBusShortFrame* frame, uint8_t c_field) {
  KELDAR_BUS_CALL_G(lib, SetCField, KeldarBusShortFrameSetFieldFn)(frame, c_field);
}
static inline void keldar_bus_SetAField(const KeldarBusProtocolLibrary* lib,
                                        KeldarBusShortFrame* frame, uint8_t address) {
  KELDAR_BUS_CALL_G(lib, SetAField, KeldarBusShortFrameSetFieldFn)(frame, address);
}
static inline void keldar_bus_ShortFrameClear(const KeldarBusProtocolLibrary* lib,
                                              KeldarBusShortFrame* frame) {
  KELDAR_BUS_CALL_G(lib, ShortFrameClear, KeldarBusShortFrameClearFn)(frame);
}

static inline KeldarBusLongFrame* keldar_bus_CreateCLongFrame(const KeldarBusProtocolLibrary* lib) {
  return KELDAR_BUS_CALL_F(lib, CreateCLongFrame, KeldarBusCreateCLongFrameFn)();
}
static inline void keldar_bus_DeleteCLongFrame(const KeldarBusProtocolLibrary* lib,
                                               KeldarBusLongFrame* frame) {
  KELDAR_BUS_CALL_F(lib, DeleteCLongFrame, KeldarBusDeleteCLongFrameFn)(frame);
}
static inline int32_t keldar_bus_CLongFrameSerialize(const KeldarBusProtocolLibrary* lib,
                                                     KeldarBusLongFrame* frame) {
  return KELDAR_BUS_CALL_G(lib, CLongFrameSerialize, KeldarBusCLongFrameSerializeFn)(frame);
}
static inline void keldar_bus_LongFrameClear(const KeldarBusProtocolLibrary* lib,
                                             KeldarBusLongFrame* frame) {
  KELDAR_BUS_CALL_G(lib, LongFrameClear, KeldarBusLongFrameClearFn)(frame);
}
static inline uint8_t keldar_bus_getCFieldSND_UD(const KeldarBusProtocolLibrary* lib,
                                                 const KeldarBusLongFrame* frame) {
  return KELDAR_BUS_CALL_G(lib, getCFieldSND_UD, KeldarBusLongFrameCFieldFn)(frame);
}
static inline int32_t keldar_bus_GeneratePaket(const KeldarBusProtocolLibrary* lib,
                                               KeldarBusLongFrame* frame, uint8_t c_field,
                                               uint8_t a_field, uint8_t ci_field,
                                               const uint8_t* data, int32_t size) {
  return KELDAR_BUS_CALL_G(lib, GeneratePaket, KeldarBusGeneratePaketFn)(frame, c_field, a_field,
                                                                         ci_field, data, size);
}

/* Builders taking only the frame and the address. */
#define KELDAR_BUS_BUILD_HELPER(member)                                                   \
  static inline int32_t keldar_bus_##member(const KeldarBusProtocolLibrary* lib,          \
                                            KeldarBusLongFrame* frame, uint8_t address) { \
    return KELDAR_BUS_CALL_G(lib, member, KeldarBusBuildFn)(frame, address);              \
  }
/* Builders taking the frame, the address and a sub-unit. */
#define KELDAR_BUS_BUILD_UNIT_HELPER(member)                                              \
  static inline int32_t keldar_bus_##member(const KeldarBusProtocolLibrary* lib,          \
                                            KeldarBusLongFrame* frame, uint8_t address,   \
                                            int32_t unit) {                               \
    return KELDAR_BUS_CALL_G(lib, member, KeldarBusBuildForUnitFn)(frame, address, unit); \
  }
KELDAR_BUS_BUILD_HELPER(GetShiftTime)
KELDAR_BUS_BUILD_HELPER(SetShiftTime)
KELDAR_BUS_BUILD_HELPER(GetDataTypeK)
KELDAR_BUS_BUILD_HELPER(GetDataTypeI)
KELDAR_BUS_BUILD_HELPER(GlobalReadout)
KELDAR_BUS_BUILD_HELPER(EngelmannSensostar2)
KELDAR_BUS_BUILD_HELPER(GetQMax)
KELDAR_BUS_BUILD_HELPER(GetQn)
KELDAR_BUS_BUILD_HELPER(GetQMin)
KELDAR_BUS_BUILD_HELPER(SetQMin)
KELDAR_BUS_BUILD_HELPER(SetImpulseVolume)
KELDAR_BUS_BUILD_HELPER(GetSpecificallyData)
KELDAR_BUS_BUILD_UNIT_HELPER(GetDeviceModel)
KELDAR_BUS_BUILD_UNIT_HELPER(GetDeviceOtherSoftware)
KELDAR_BUS_BUILD_UNIT_HELPER(GetErrorFlagBinary)
KELDAR_BUS_BUILD_UNIT_HELPER(GetPrimaryAddress)
KELDAR_BUS_BUILD_UNIT_HELPER(GetSecondaryAddress)
KELDAR_BUS_BUILD_UNIT_HELPER(GetDeviceType)
KELDAR_BUS_BUILD_UNIT_HELPER(GetSerialNumber)
#undef KELDAR_BUS_BUILD_HELPER
#undef KELDAR_BUS_BUILD_UNIT_HELPER

static inline int32_t keldar_bus_SetAddress(const KeldarBusProtocolLibrary* lib,
                                            KeldarBusLongFrame* frame, uint8_t address,
                                            uint64_t value, int32_t secondary) {
  return KELDAR_BUS_CALL_G(lib, SetAddress, KeldarBusSetAddressFn)(frame, address, value,
                                                                   secondary);
}
static inline int32_t keldar_bus_SetLocalTime(const KeldarBusProtocolLibrary* lib,
                                              KeldarBusLongFrame* frame, uint8_t address,
                                              const KeldarBusDateTime* time) {
  return KELDAR_BUS_CALL_G(lib, SetLocalTime, KeldarBusSetLocalTimeFn)(frame, address, time);
}
static inline int32_t keldar_bus_SetSecondaryAddressing(const KeldarBusProtocolLibrary* lib,
                                                        KeldarBusLongFrame* frame,
                                                        int64_t identification, int32_t reserved,
                                                        const char* manufacturer, int32_t version,
                                                        int32_t medium, const char* model) {
  return KELDAR_BUS_CALL_G(lib, SetSecondaryAddressing, KeldarBusSetSecondaryAddressingFn)(
      frame, identification, reserved, manufacturer, version, medium, model);
}
static inline int32_t keldar_bus_SetDeviceSpeed(const KeldarBusProtocolLibrary* lib,
                                                KeldarBusLongFrame* frame, uint8_t address,
                                                int32_t baud) {
  return KELDAR_BUS_CALL_G(lib, SetDeviceSpeed, KeldarBusSetDeviceSpeedFn)(frame, address, baud);
}
static inline int32_t keldar_bus_GetIncrementInputPulse(const KeldarBusProtocolLibrary* lib,
                                                        KeldarBusLongFrame* frame, uint8_t address,
                                                        int32_t unit, int32_t input) {
  return KELDAR_BUS_CALL_G(lib, GetIncrementInputPulse, KeldarBusGetIncrementPulseFn)(
      frame, address, unit, input);
}
static inline int32_t keldar_bus_SetIncrementInputPulse(const KeldarBusProtocolLibrary* lib,
                                                        KeldarBusLongFrame* frame, uint8_t address,
                                                        int32_t unit, int32_t input,
                                                        uint32_t litres_per_pulse) {
  return KELDAR_BUS_CALL_G(lib, SetIncrementInputPulse, KeldarBusSetIncrementPulseFn)(
      frame, address, unit, input, litres_per_pulse);
}
static inline int32_t keldar_bus_GetIncrementOutputPulse(const KeldarBusProtocolLibrary* lib,
                                                         KeldarBusLongFrame* frame, uint8_t address,
                                                         int32_t unit, int32_t output) {
  return KELDAR_BUS_CALL_G(lib, GetIncrementOutputPulse, KeldarBusGetIncrementPulseFn)(
      frame, address, unit, output);
}
static inline int32_t keldar_bus_SetIncrementOutputPulse(const KeldarBusProtocolLibrary* lib,
                                                         KeldarBusLongFrame* frame, uint8_t address,
                                                         int32_t unit, int32_t output,
                                                         uint32_t litres_per_pulse) {
  return KELDAR_BUS_CALL_G(lib, SetIncrementOutputPulse, KeldarBusSetIncrementPulseFn)(
      frame, address, unit, output, litres_per_pulse);
}
static inline int32_t keldar_bus_ArchivRecords(const KeldarBusProtocolLibrary* lib,
                                               KeldarBusLongFrame* frame, uint8_t address,
                                               uint32_t storage) {
  return KELDAR_BUS_CALL_G(lib, ArchivRecords, KeldarBusArchivRecordsFn)(frame, address, storage);
}
static inline int32_t keldar_bus_SetDeviceType(const KeldarBusProtocolLibrary* lib,
                                               KeldarBusLongFrame* frame, uint8_t address,
                                               uint8_t medium) {
  return KELDAR_BUS_CALL_G(lib, SetDeviceType, KeldarBusSetDeviceTypeFn)(frame, address, medium);
}
static inline int32_t keldar_bus_SetSerialNumber(const KeldarBusProtocolLibrary* lib,
                                                 KeldarBusLongFrame* frame, uint8_t address,
                                                 int64_t serial_number) {
  return KELDAR_BUS_CALL_G(lib, SetSerialNumber, KeldarBusSetSerialNumberFn)(frame, address,
                                                                             serial_number);
}

#undef KELDAR_BUS_CALL_F
#undef KELDAR_BUS_CALL_G

#ifdef __cplusplus
}
#endif
