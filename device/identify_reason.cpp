#include "device/identify_reason.h"

namespace {

constexpr ReasonMessage kNoAnswer{
    "no_answer", "FRAME_PROGRAM_MAIN_IDENTIFY_NO_ANSWER",
    "Ни одно устройство не ответило по адресу {address} ни на одной из скоростей ({speeds} бод). "
    "Проверьте адрес, подключение и преобразователь уровней, а также питание счётчика.",
    "No meter answered at address {address} at any speed tried ({speeds} baud). Check the "
    "address, the wiring and the level converter, and that the meter is powered."};
constexpr ReasonMessage kCollision{
    "collision", "FRAME_PROGRAM_MAIN_IDENTIFY_COLLISION",
    "По адресу {address} пришли байты, не образующие кадра: ответили сразу несколько устройств "
    "или на линии помехи. Если на линии несколько счётчиков, подключайтесь по первичному адресу "
    "счётчика.",
    "At address {address} bytes arrived that make no frame: several meters answered at once, or "
    "the line is disturbed. With several meters on the line, connect by the meter's primary "
    "address."};
constexpr ReasonMessage kNotVariableData{
    "not_variable_data", "FRAME_PROGRAM_MAIN_IDENTIFY_NOT_VARIABLE_DATA",
    "Устройство по адресу {address} ответило на скорости {speed} бод, но не переменными "
    "данными: определить его нельзя. Проверьте, что это счётчик M-Bus с переменными данными.",
    "The device at address {address} answered at {speed} baud, but not with variable data: it "
    "cannot be identified. Check that it is an M-Bus meter that sends variable data."};
constexpr ReasonMessage kMakerNotSupported{
    "maker_not_supported", "FRAME_PROGRAM_MAIN_IDENTIFY_MAKER_NOT_SUPPORTED",
    "Производитель счётчика по адресу {address} — {maker}; с устройствами этого производителя "
    "программа не работает.",
    "The maker of the meter at address {address} is {maker}; this program does not work with "
    "that maker's devices."};
constexpr ReasonMessage kPortLost{
    "port_lost", "FRAME_PROGRAM_MAIN_IDENTIFY_PORT_LOST",
    "Порт {port} пропал во время поиска. Проверьте подключение преобразователя и установите "
    "связь снова.",
    "The port {port} was lost during the search. Check the level converter's connection and "
    "connect again."};

void Replace(std::string& text, const std::string& field, const std::string& value) {
  for (auto at = text.find(field); at != std::string::npos;
       at = text.find(field, at + value.size()))
    text.replace(at, field.size(), value);
}

}  // namespace

const ReasonMessage* MessageOf(IdentifyReason reason) {
  switch (reason) {
    case IdentifyReason::NoAnswer:
      return &kNoAnswer;
    case IdentifyReason::Collision:
      return &kCollision;
    case IdentifyReason::NotVariableData:
      return &kNotVariableData;
    case IdentifyReason::MakerNotSupported:
      return &kMakerNotSupported;
    case IdentifyReason::PortLost:
      return &kPortLost;
    case IdentifyReason::None:
      break;
  }
  return nullptr;
}

std::string Explained(const std::string& text, const IdentifyExplanation& explanation) {
  std::string speeds;
  for (const int speed : explanation.speedsTried)
    speeds += (speeds.empty() ? "" : ", ") + std::to_string(speed);
  std::string filled = text;
  Replace(filled, "{address}", std::to_string(explanation.address));
  Replace(filled, "{speeds}", speeds);
  Replace(filled, "{speed}", std::to_string(explanation.speed));
  Replace(filled, "{maker}", explanation.maker.empty() ? "@@@" : explanation.maker);
  Replace(filled, "{port}", explanation.port);
  return filled;
}

const char* ReasonCode(IdentifyReason reason) {
  const ReasonMessage* message = MessageOf(reason);
  return message != nullptr ? message->code : "";
}
