// A decoded telegram as JSON, in the field names and conventions shared by
// "decode --json" and "read --json".
#pragma once

#include <QJsonObject>

#include "keldar/bus_protocol_types.h"

namespace keldar::cli {

QJsonObject TelegramToJson(const KeldarBusProtocolLibrary* lib, KeldarBusTelegram* telegram);
QJsonObject RecordToJson(const KeldarBusDataInfoBlock& record);

// The identification number's 8 digits ("%08X" of its low 32 bits).
QString IdentificationText(const KeldarBusTelegram& telegram);
const char* FunctionName(const KeldarBusDataInfoBlock& record);
// Hex of the record's value: the data bytes as a number, or the bytes of a
// manufacturer-specific block.
QString RawText(const KeldarBusDataInfoBlock& record);

}  // namespace keldar::cli
