// Telegram in, decoded header and records out.
#include <gtest/gtest.h>

#include <cmath>

#include "abi_objects.h"
#include "abi_telegram.h"
#include "telegram_builder.h"
#include "telegram_decoder.h"

namespace keldar::bus {
namespace {

using test::Answer;

struct Expected {
  const char* name;
  const char* records;
  ValueKind kind;
  double number;     // for kNumber
  const char* text;  // for kText / kDate
  const char* unit;
};

// One record each: the data codings, dates, variable data and the VIF tables.
const Expected kRecords[] = {
    {"int32 kWh", "04 06 39 30 00 00", ValueKind::kNumber, 12345000, "", "Wh"},
    {"int8 is signed", "01 13 FF", ValueKind::kNumber, -0.001, "", "m^3"},
    {"int16 hundredths of a degree", "02 59 D2 04", ValueKind::kNumber, 12.34, "", "°C"},
    {"int24", "03 2B 40 E2 01", ValueKind::kNumber, 123456, "", "W"},
    {"int48", "06 03 01 00 00 00 00 01", ValueKind::kNumber, 1099511627777.0, "", "Wh"},
    {"int64 negative", "07 16 FE FF FF FF FF FF FF FF", ValueKind::kNumber, -2, "", "m^3"},
    {"real", "05 3E 00 00 C0 3F", ValueKind::kNumber, 1.5, "", "m^3/h"},
    {"BCD 2 digits", "09 74 42", ValueKind::kNumber, 42, "", "s"},
    {"BCD 4 digits", "0A 5A 45 02", ValueKind::kNumber, 24.5, "", "°C"},
    {"BCD 6 digits", "0B 2D 56 34 12", ValueKind::kNumber, 12345600, "", "W"},
    {"BCD 8 digits", "0C 13 78 56 34 12", ValueKind::kNumber, 12345.678, "", "m^3"},
    {"BCD 12 digits", "0E 06 11 22 33 44 55 66", ValueKind::kNumber, 665544332211e3, "", "Wh"},
    {"negative BCD", "0A 62 23 F1", ValueKind::kNumber, -12.3, "", "K"},
    {"BCD with a hex digit", "0A 5A 3A 02", ValueKind::kNone, 0, "", "°C"},
    {"on time in hours", "02 22 0A 00", ValueKind::kNumber, 36000, "", "s"},
    {"pressure", "02 69 2C 01", ValueKind::kNumber, 3.0, "", "bar"},
    {"mass flow", "02 53 64 00", ValueKind::kNumber, 100, "", "kg/h"},
    {"volume flow per minute", "02 46 0A 00", ValueKind::kNumber, 1.0, "", "m^3/min"},
    {"energy in J", "04 0E 01 00 00 00", ValueKind::kNumber, 1e6, "", "J"},
    {"fabrication number", "0C 78 78 56 34 12", ValueKind::kNumber, 12345678, "", ""},
    {"date G", "02 6C 1F 3C", ValueKind::kDate, 0, "2024-12-31", ""},
    {"date and time F", "04 6D 1E 08 0F 33", ValueKind::kDate, 0, "2024-03-15T08:30", ""},
    {"F flagged invalid", "04 6D 9E 08 0F 33", ValueKind::kInvalidDate, 0, "", ""},
    {"date and time I", "06 6D 2D 1E 08 0F 33 00", ValueKind::kDate, 0, "2024-03-15T08:30:45", ""},
    {"time of day J", "03 6D 2D 1E 08", ValueKind::kDate, 0, "08:30:45", ""},
    {"battery change F", "04 FD 70 1E 08 0F 33", ValueKind::kDate, 0, "2024-03-15T08:30", ""},
    {"text turned round", "0D FD 0C 05 34 33 32 31 41", ValueKind::kText, 0, "A1234", ""},
    {"variable BCD", "0D 13 C2 45 23", ValueKind::kNumber, 2.345, "", "m^3"},
    {"variable negative BCD", "0D 13 D2 45 23", ValueKind::kNumber, -2.345, "", "m^3"},
    {"variable binary", "0D FD 17 E3 01 02 03", ValueKind::kText, 0, "03 02 01", ""},
    {"plain-text unit with correction", "02 FC 03 48 52 25 74 22 15", ValueKind::kNumber, 54.10, "",
     ""},
    {"correction factor 10^-2", "04 93 74 10 00 00 00", ValueKind::kNumber, 0.00016, "", "m^3"},
    {"correction factor 10^3", "04 83 7D 05 00 00 00", ValueKind::kNumber, 5000, "", "Wh"},
    {"duration of limit exceed", "04 BB 52 02 00 00 00", ValueKind::kNumber, 7200, "", "s"},
    {"number of exceeds", "02 BB 49 07 00", ValueKind::kNumber, 7, "", ""},
    {"date of limit exceed", "04 BB 4B 1E 08 0F 33", ValueKind::kDate, 0, "2024-03-15T08:30", ""},
    {"pulse weight", "04 93 28 0A 00 00 00", ValueKind::kNumber, 0.01, "", "m^3"},
    {"per hour keeps a base unit", "04 93 22 0A 00 00 00", ValueKind::kNumber, 0.01, "", "m^3/h"},
    {"MWh table", "04 FB 00 01 00 00 00", ValueKind::kNumber, 1e5, "", "Wh"},
    {"GJ table", "04 FB 09 02 00 00 00", ValueKind::kNumber, 2e9, "", "J"},
    {"Fahrenheit", "02 FB 5B D4 00", ValueKind::kNumber, 100, "", "°C"},
    {"Fahrenheit difference", "02 FB 63 09 00", ValueKind::kNumber, 5, "", "K"},
    {"voltage", "02 FD 48 ED 00", ValueKind::kNumber, 23.7, "", "V"},
    {"current", "02 FD 59 0A 00", ValueKind::kNumber, 0.01, "", "A"},
    {"error flags are unsigned", "01 FD 17 FF", ValueKind::kNumber, 255, "", ""},
    {"manufacturer VIF is signed", "02 7F 10 B5", ValueKind::kNumber, -19184, "", ""},
    {"storage interval in months", "01 FD 28 01", ValueKind::kNumber, 2629746, "", "s"},
    {"no data", "00 13", ValueKind::kNone, 0, "", "m^3"},
};

TEST(Decoder, EachDataCodingAndValueTable) {
  for (const Expected& e : kRecords) {
    SCOPED_TRACE(e.name);
    const DecodeOutcome out = DecodeAnswer(Answer(e.records));
    ASSERT_TRUE(out.telegram) << DescribeDecodeError(out.error);
    ASSERT_EQ(out.telegram->records.size(), 1u);
    const Record& r = out.telegram->records[0];
    EXPECT_EQ(r.kind, e.kind);
    EXPECT_EQ(r.unit, e.unit);
    if (e.kind == ValueKind::kNumber) {
      EXPECT_NEAR(r.number, e.number, std::fabs(e.number) * 1e-9 + 1e-12);
    } else {
      EXPECT_EQ(r.text, e.text);
    }
  }
}

// Meters fill a date they do not have with zeros or all bits set; either is
// no time point and gives no text, while the calendar's edges stay dates.
TEST(Decoder, DatesOutsideTheCalendarAreNoDates) {
  struct Case {
    const char* name;
    const char* record;
    const char* text;  // nullptr: no date
  };
  const Case cases[] = {
      {"G zeros", "02 6C 00 00", nullptr},
      {"G all bits set", "02 6C FF FF", nullptr},
      {"G month 13", "02 6C 1F 3D", nullptr},
      {"G year 100", "02 6C 8F C1", nullptr},
      {"G 30 February", "02 6C 1E 32", nullptr},
      {"G 29 February 2023", "02 6C FD 22", nullptr},
      {"G 29 February 2024", "02 6C 1D 32", "2024-02-29"},
      {"G year 99", "02 6C 7F CC", "1999-12-31"},
      {"G 31 April", "02 6C 1F 34", nullptr},
      {"G 30 April", "02 6C 1E 34", "2024-04-30"},
      {"F zeros", "04 6D 00 00 00 00", nullptr},
      {"F hour 24", "04 6D 00 18 0F 33", nullptr},
      {"F minute 60", "04 6D 3C 08 0F 33", nullptr},
      {"F last minute of a year", "04 6D 3B 17 1F 3C", "2024-12-31T23:59"},
      {"I zeros", "06 6D 00 00 00 00 00 00", nullptr},
      {"I second 60", "06 6D 3C 1E 08 0F 33 00", nullptr},
      {"I day 0", "06 6D 2D 1E 08 00 33 00", nullptr},
      {"J hour 24", "03 6D 00 00 18", nullptr},
      {"J midnight", "03 6D 00 00 00", "00:00:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DecodeOutcome out = DecodeAnswer(Answer(c.record));
    ASSERT_TRUE(out.telegram) << DescribeDecodeError(out.error);
    const Record& r = out.telegram->records.at(0);
    EXPECT_EQ(r.kind, c.text ? ValueKind::kDate : ValueKind::kInvalidDate);
    EXPECT_EQ(r.text, c.text ? c.text : "");
  }
}

TEST(Decoder, ManufacturerLettersFollowTheStandardsPacking) {
  EXPECT_EQ(ManufacturerLetters(0x2E56), "KRV");
  EXPECT_EQ(ManufacturerLetters(0), "@@@");
  EXPECT_EQ(ManufacturerLetters(0x0400), "A@@");
  EXPECT_EQ(ManufacturerLetters(0x7FFF), "___");
  EXPECT_EQ(ManufacturerLetters(0x8000 | 0x2E56), "KRV");  // bit 15 is no letter
  // "@@@" names no maker: nothing can be addressed by it.
  EXPECT_FALSE(ManufacturerCode("@@@"));
}

TEST(Decoder, QuantitiesNameTheirExtensionsAndPlainText) {
  const auto out = DecodeAnswer(Answer(
      "02 FC 03 48 52 25 74 22 15  0D FD 0C 02 42 41  04 93 28 0A 00 00 00  04 BB 52 02 00 00 00"));
  ASSERT_TRUE(out.telegram);
  const auto& r = out.telegram->records;
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].quantity, "%RH");
  EXPECT_EQ(r[1].quantity, "Model / version");
  EXPECT_EQ(r[1].text, "AB");
  EXPECT_NE(r[2].quantity.find("input pulse on channel 0"), std::string::npos);
  EXPECT_NE(r[3].quantity.find("first lower limit exceed of Volume flow"), std::string::npos);
}

TEST(Decoder, DataInformationChainGivesStorageTariffSubunitAndFunction) {
  const auto out = DecodeAnswer(
      Answer("C4 81 52 13 01 00 00 00  14 13 02 00 00 00  24 13 03 00 00 00  34 13 04 00 00 00"));
  ASSERT_TRUE(out.telegram);
  const auto& r = out.telegram->records;
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].storage, 1u + (1u << 1) + (2u << 5));
  EXPECT_EQ(r[0].tariff, 1u << 2);
  EXPECT_EQ(r[0].subunit, 2u);
  EXPECT_EQ(r[0].difes, (std::vector<std::uint8_t>{0x81, 0x52}));
  EXPECT_EQ(r[0].function, Function::kInstantaneous);
  EXPECT_EQ(r[1].function, Function::kMaximum);
  EXPECT_EQ(r[2].function, Function::kMinimum);
  EXPECT_EQ(r[3].function, Function::kError);
}

TEST(Decoder, TrailingManufacturerDataAndFillers) {
  auto out = DecodeAnswer(Answer("2F 2F 04 13 01 00 00 00 2F 0F 01 02 03"));
  ASSERT_TRUE(out.telegram);
  ASSERT_EQ(out.telegram->records.size(), 2u);
  EXPECT_EQ(out.telegram->records[1].function, Function::kManufacturer);
  EXPECT_EQ(out.telegram->records[1].data, (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_FALSE(out.telegram->more_records_follow);

  out = DecodeAnswer(Answer("04 13 01 00 00 00 1F"));
  ASSERT_TRUE(out.telegram);
  EXPECT_TRUE(out.telegram->more_records_follow);
  EXPECT_EQ(out.telegram->records.back().dif, 0x1F);
}

TEST(Decoder, MalformedRecordsAreRefused) {
  struct Case {
    const char* records;
    DecodeError error;
  };
  const Case cases[] = {
      {"04 06 39 30 00", DecodeError::kTruncatedRecord},
      {"84", DecodeError::kTruncatedRecord},
      {"04", DecodeError::kTruncatedRecord},
      {"04 86", DecodeError::kTruncatedRecord},
      {"0D 13", DecodeError::kTruncatedRecord},
      {"0D 13 05 41 42", DecodeError::kTruncatedRecord},
      {"02 7C 09 41 42", DecodeError::kTruncatedRecord},
      {"84 80 80 80 80 80 80 80 80 80 80 00 13 00 00 00 00", DecodeError::kTooManyDifes},
      {"04 93 80 80 80 80 80 80 80 80 80 80 00 00 00 00 00", DecodeError::kTooManyVifes},
      {"0D 13 F8 00", DecodeError::kReservedCoding},
      {"3F 00", DecodeError::kReservedCoding},
      {"7F", DecodeError::kReservedCoding},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.records);
    const auto out = DecodeAnswer(Answer(c.records));
    EXPECT_FALSE(out.telegram);
    EXPECT_EQ(out.error, c.error);
  }
  // Ten extensions are still allowed.
  EXPECT_TRUE(DecodeAnswer(Answer("84 80 80 80 80 80 80 80 80 80 00 13 00 00 00 00")).telegram);
}

TEST(Decoder, HeaderVariantsAndRefusedFrames) {
  EXPECT_EQ(DecodeAnswer(Answer("", 0x72, "78 56 34 12 56 2E 03 04 2A 00 00")).error,
            DecodeError::kTruncatedHeader);
  EXPECT_EQ(DecodeAnswer(Answer("", 0x55)).error, DecodeError::kUnsupportedCi);
  LongFrame request = Answer("");
  request.c = 0x53;
  EXPECT_EQ(DecodeAnswer(request).error, DecodeError::kNotAnAnswer);

  // Short header (CI 7A) and no header (CI 78).
  LongFrame short_header{0x08, 1, 0x7A, test::FromHex("11 22 33 44 04 13 01 00 00 00")};
  auto out = DecodeAnswer(short_header);
  ASSERT_TRUE(out.telegram);
  EXPECT_EQ(out.telegram->header.access_number, 0x11);
  EXPECT_EQ(out.telegram->header.signature, 0x4433);
  EXPECT_EQ(out.telegram->records.size(), 1u);
  LongFrame no_header{0x08, 1, 0x78, test::FromHex("04 13 01 00 00 00")};
  EXPECT_EQ(DecodeAnswer(no_header).telegram->records.size(), 1u);
}

TEST(Decoder, ErrorAnswerAndFixedDataStructure) {
  auto out = DecodeAnswer(LongFrame{0x08, 1, 0x70, {0x08}});
  ASSERT_TRUE(out.telegram);
  EXPECT_EQ(out.telegram->application_error, std::optional<std::uint8_t>(8));
  EXPECT_EQ(ApplicationErrorText(8), "Application busy");
  EXPECT_EQ(DecodeAnswer(LongFrame{0x08, 1, 0x70, {}}).telegram->application_error,
            std::optional<std::uint8_t>(0));

  // BCD counters: kWh and litres, medium bits 0100 (heat).
  out = DecodeAnswer(
      LongFrame{0x08, 1, 0x73, test::FromHex("93 92 91 90 10 00 05 69 31 65 00 00 69 00 00 00")});
  ASSERT_TRUE(out.telegram);
  EXPECT_EQ(out.telegram->header.identification, 0x90919293u);
  EXPECT_EQ(out.telegram->header.medium, 4);
  ASSERT_EQ(out.telegram->records.size(), 2u);
  EXPECT_DOUBLE_EQ(out.telegram->records[0].number, 6531e3);
  EXPECT_EQ(out.telegram->records[0].unit, "Wh");
  EXPECT_DOUBLE_EQ(out.telegram->records[1].number, 0.069);
  EXPECT_EQ(out.telegram->records[1].unit, "m^3");
  // Binary counters when the status says so.
  out = DecodeAnswer(
      LongFrame{0x08, 1, 0x73, test::FromHex("93 92 91 90 10 80 05 69 10 00 00 00 01 00 00 00")});
  EXPECT_DOUBLE_EQ(out.telegram->records[0].number, 16e3);
  EXPECT_EQ(DecodeAnswer(LongFrame{0x08, 1, 0x73, test::FromHex("93 92 91 90")}).error,
            DecodeError::kTruncatedHeader);
}

// The C objects the shell reads: header, records, appended lists.
class TelegramObject : public ::testing::Test {
 protected:
  void TearDown() override {
    abi::DeleteTelegram(telegram);
    abi::DeleteData(buffer);
  }
  int Parse(const std::vector<std::uint8_t>& bytes) {
    abi::AssignData(*buffer, bytes);
    return abi::ParseTelegram(telegram, buffer);
  }
  KeldarBusTelegram* telegram = abi::CreateTelegram();
  KeldarBusData* buffer = abi::CreateData();
};

TEST_F(TelegramObject, UserDataFillsHeaderAndAppendsRecords) {
  ASSERT_EQ(Parse(test::AnswerBytes("04 06 39 30 00 00 0D FD 0C 02 42 41")),
            KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_EQ(telegram->ci_field, 0x72);
  EXPECT_EQ(telegram->a_field, 5);
  char id[16];
  std::snprintf(id, sizeof id, "%08X", static_cast<unsigned>(telegram->identification));
  EXPECT_STREQ(id, "12345678");
  EXPECT_STREQ(telegram->manufacturer_text, "KRV");
  EXPECT_EQ(telegram->manufacturer, 0x2E56);
  EXPECT_EQ(telegram->version, 3);
  EXPECT_EQ(telegram->medium, 4);
  EXPECT_EQ(telegram->access_number, 0x2A);
  EXPECT_EQ(telegram->application_error, -1);
  ASSERT_EQ(abi::UserDataSize(telegram->user_data), 2);
  const KeldarBusDataInfoBlock* model = abi::UserDataGetIndex(telegram->user_data, 1);
  EXPECT_EQ(model->kind, 1);
  EXPECT_EQ(model->vif, 0x7D);
  EXPECT_EQ(model->vif_raw, 0xFD);
  EXPECT_EQ(abi::VifeGetIndex(&model->vife, 0), 0x0C);
  EXPECT_STREQ(model->text, "AB");
  EXPECT_EQ(telegram->long_frame->ci_field, 0x72);

  // A second answer appends; the header follows the latest.
  ASSERT_EQ(Parse(test::AnswerBytes("04 13 01 00 00 00")), KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_EQ(abi::UserDataSize(telegram->user_data), 3);
  EXPECT_EQ(abi::UserDataGetIndex(telegram->user_data, 3), nullptr);
}

// A meter with manufacturer code 0 that has not set its dates yet.
TEST_F(TelegramObject, AnUnsetMeterShowsItsCodeAndNoDates) {
  const LongFrame answer = test::Answer("02 6C 00 00  04 6D 00 00 00 00  04 6D 1E 08 0F 33", 0x72,
                                        "78 56 34 12 00 00 03 07 01 00 00 00");
  ASSERT_EQ(Parse(*Encode(answer)), KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_EQ(telegram->manufacturer, 0);
  EXPECT_STREQ(telegram->manufacturer_text, "@@@");
  ASSERT_EQ(abi::UserDataSize(telegram->user_data), 3);
  for (int i = 0; i < 2; ++i) {
    const KeldarBusDataInfoBlock* date = abi::UserDataGetIndex(telegram->user_data, i);
    EXPECT_EQ(date->value_kind, KELDAR_BUS_VALUE_INVALID_DATE) << i;
    EXPECT_STREQ(date->text, "") << i;
  }
  const KeldarBusDataInfoBlock* set = abi::UserDataGetIndex(telegram->user_data, 2);
  EXPECT_EQ(set->value_kind, KELDAR_BUS_VALUE_DATE);
  EXPECT_STREQ(set->text, "2024-03-15T08:30");
}

TEST_F(TelegramObject, AcknowledgementAndRefusals) {
  EXPECT_EQ(Parse({0xE5}), KELDAR_BUS_RESULT_ACK);
  auto bytes = test::AnswerBytes("04 06 39 30 00 00");
  bytes[bytes.size() - 2] ^= 0x01;  // check sum
  EXPECT_EQ(Parse(bytes), KELDAR_BUS_RESULT_FAILED);
  EXPECT_EQ(Parse(test::AnswerBytes("04 06 39 30")), KELDAR_BUS_RESULT_FAILED);
  EXPECT_EQ(Parse({0xE5, 0xE5}), KELDAR_BUS_RESULT_FAILED);
  EXPECT_EQ(Parse({}), KELDAR_BUS_RESULT_FAILED);
  EXPECT_EQ(abi::UserDataSize(telegram->user_data), 0);
}

TEST_F(TelegramObject, CheckErrorsSeesMoreRecordsFollow) {
  ASSERT_EQ(Parse(test::AnswerBytes("04 13 01 00 00 00 1F")), KELDAR_BUS_RESULT_USER_DATA);
  KeldarBusTelegram* target = abi::CreateTelegram();
  EXPECT_EQ(abi::CheckErrors(target, telegram->long_frame), KELDAR_BUS_RESULT_MORE_RECORDS);
  EXPECT_EQ(target->more_records_follow, 1);
  ASSERT_EQ(Parse(test::AnswerBytes("04 13 01 00 00 00")), KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_EQ(abi::CheckErrors(target, telegram->long_frame), KELDAR_BUS_RESULT_LAST_TELEGRAM);
  EXPECT_EQ(target->more_records_follow, 0);
  ASSERT_EQ(Parse(*Encode(LongFrame{0x08, 1, 0x70, {0x08}})), KELDAR_BUS_RESULT_USER_DATA);
  EXPECT_EQ(abi::CheckErrors(target, telegram->long_frame), KELDAR_BUS_RESULT_ERROR_ANSWER);
  telegram->long_frame->data_size = 3;  // a header cut short
  telegram->long_frame->ci_field = 0x72;
  EXPECT_EQ(abi::CheckErrors(target, telegram->long_frame), KELDAR_BUS_RESULT_NO_USER_DATA);
  EXPECT_EQ(abi::CheckErrors(target, nullptr), KELDAR_BUS_RESULT_NO_USER_DATA);
  abi::DeleteTelegram(target);
}

TEST(DateObjects, DecodeRecordValues) {
  KeldarBusDateTime* date = abi::CreateDateTime('F');
  EXPECT_EQ(abi::DecodeDate(date, 'F', 0x330F081E), 1);
  EXPECT_EQ(date->year, 2024);
  EXPECT_EQ(date->month, 3);
  EXPECT_EQ(date->day, 15);
  EXPECT_EQ(date->hour, 8);
  EXPECT_EQ(date->minute, 30);
  EXPECT_EQ(abi::DecodeDate(date, 'F', 0x330F089E), 0);  // IV bit
  EXPECT_EQ(abi::DecodeDate(date, 'G', 0x3C1F), 1);
  EXPECT_EQ(date->day, 31);
  EXPECT_EQ(abi::DecodeDate(date, 'I', 0x00330F081E2Dull), 1);
  EXPECT_EQ(date->second, 45);
  EXPECT_EQ(abi::DecodeDate(date, 'K', 0x12345678), 0);
  // Not flagged, but no day: the fields stay as sent, the answer says no date.
  EXPECT_EQ(abi::DecodeDate(date, 'G', 0x0000), 0);
  EXPECT_EQ(date->valid, 1);
  EXPECT_EQ(date->month, 0);
  EXPECT_EQ(abi::DecodeDate(date, 'F', 0x330F083C), 0);  // minute 60
  abi::DeleteDateTime(date);
}

}  // namespace
}  // namespace keldar::bus
