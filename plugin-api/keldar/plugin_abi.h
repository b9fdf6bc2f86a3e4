/* Calling convention shared by the shell and every plug-in library.
 *
 * Only plain structs, pointers, fixed-width integers and NUL-terminated UTF-8
 * texts cross a library boundary. Exports are extern "C" with the exact names
 * the shell looks up. Two kinds of export exist:
 *   - "_Create…", "_Delete…", "_Copy…": plain functions, resolved with dlsym.
 *   - "_Get…": called once when the library is loaded, with the address of a
 *     KeldarSlot; the export stores the entry of one library operation there.
 *     The operation is later called with the object it acts on first.
 *
 * Threading: a _Get export is called on the main thread while the library is
 * loaded and must only fill the slot. */
#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KELDAR_PLUGIN_EXPORT __attribute__((visibility("default")))

/* Any library operation, stored untyped; the caller converts it back to the
 * operation's own function type (the typed helpers of each interface header). */
typedef void (*KeldarEntry)(void);

/* What a _Get export fills. `context` is reserved for the library (always
 * written, never interpreted by the shell). */
typedef struct KeldarSlot {
  KeldarEntry entry;
  void *context;
} KeldarSlot;

typedef void (*KeldarGetExport)(KeldarSlot *slot);

/* Export-table rows, generated from each interface's export list. */
enum KeldarExportKind { KELDAR_EXPORT_FUNCTION = 0, KELDAR_EXPORT_GETTER = 1 };

typedef struct KeldarExportRow {
  const char *name;    /* symbol name, leading underscore included */
  int kind;            /* KeldarExportKind */
  size_t offset;       /* of the KeldarEntry or KeldarSlot in the wrapper struct */
  int required;        /* the shell calls it: a library without it counts as not loaded */
} KeldarExportRow;

/* Close flags: one byte owned by the shell, polled by a shell thread while a
 * screen on the main thread sets it. Both sides access it atomically. */
static inline void keldar_flag_set(uint8_t *flag, uint8_t value) {
  __atomic_store_n(flag, value, __ATOMIC_SEQ_CST);
}
static inline uint8_t keldar_flag_get(const uint8_t *flag) {
  return __atomic_load_n(flag, __ATOMIC_SEQ_CST);
}

#ifdef __cplusplus
}
#endif

/* X-macro helpers: an export list names each export as
 *   F(member, required)            "_" #member, a plain function
 *   G(member, required)            "_Get" #member, a getter filling a slot
 *   GA(member, export, required)   "_Get" #export filling slot `member`
 *                                  (a getter whose slot appears twice) */
#define KELDAR_STRUCT_F(member, required) KeldarEntry member;
#define KELDAR_STRUCT_G(member, required) KeldarSlot member;
#define KELDAR_STRUCT_GA(member, exported, required) KeldarSlot member;

#define KELDAR_ROW_F(type, member, required) \
  {"_" #member, KELDAR_EXPORT_FUNCTION, offsetof(type, member), required},
#define KELDAR_ROW_G(type, member, required) \
  {"_Get" #member, KELDAR_EXPORT_GETTER, offsetof(type, member), required},
#define KELDAR_ROW_GA(type, member, exported, required) \
  {"_Get" #exported, KELDAR_EXPORT_GETTER, offsetof(type, member), required},
