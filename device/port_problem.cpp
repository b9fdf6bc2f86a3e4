#include "device/port_problem.h"

namespace {

constexpr PortProblem kNotFound{
    "FRAME_PROGRAM_MAIN_PORT_NOT_FOUND",
    "Порт %s не найден. Проверьте, что преобразователь подключён, и обновите список портов.",
    "port %s was not found: check that the level converter is plugged in and choose the port "
    "again"};
constexpr PortProblem kAccessDenied{
    "FRAME_PROGRAM_MAIN_PORT_ACCESS_DENIED",
    "Нет доступа к порту %s. Добавьте пользователя в группу dialout (sudo usermod -aG dialout "
    "$USER), затем выйдите из системы и войдите снова.",
    "no permission to open port %s: add your user to the dialout group (sudo usermod -aG "
    "dialout $USER), then log out and in again"};
constexpr PortProblem kBusy{
    "FRAME_PROGRAM_MAIN_PORT_BUSY",
    "Порт %s занят другой программой. Закройте её и попробуйте снова.",
    "port %s is busy: another program is using it; close that program and try again"};
constexpr PortProblem kNotSerial{"FRAME_PROGRAM_MAIN_PORT_NOT_SERIAL",
                                 "%s не является последовательным портом. Выберите другой порт.",
                                 "%s is not a serial port: choose another port"};
constexpr PortProblem kFailed{
    "FRAME_PROGRAM_MAIN_PORT_NOT_OPENED",
    "Не удалось открыть порт %s. Проверьте подключение преобразователя и попробуйте снова.",
    "port %s could not be opened: check the level converter's connection and try again"};

}  // namespace

const PortProblem* PortProblemOf(int32_t code) {
  switch (code) {
    case KELDAR_BUS_PORT_OPEN:
      return nullptr;
    case KELDAR_BUS_PORT_NOT_FOUND:
      return &kNotFound;
    case KELDAR_BUS_PORT_ACCESS_DENIED:
      return &kAccessDenied;
    case KELDAR_BUS_PORT_BUSY:
      return &kBusy;
    case KELDAR_BUS_PORT_NOT_SERIAL:
      return &kNotSerial;
    default:
      return &kFailed;
  }
}

std::string WithPort(const char* text, const std::string& port) {
  std::string out = text;
  const auto at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, port);
  return out;
}

std::string PortOpenFailure(const KeldarBusProtocolLibrary* lib, const KeldarBusPort* port,
                            const std::string& path) {
  const PortProblem* problem = PortProblemOf(keldar_bus_CProcessComPortGetOpenError(lib, port));
  return "cannot open port " + path +
         (problem != nullptr ? ": " + WithPort(problem->english, path) : std::string());
}
