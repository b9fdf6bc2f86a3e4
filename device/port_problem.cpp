#include "device/port_problem.h"

#include <dirent.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "base/bus/gateway_address.h"

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

// A gateway on the network ("%s" is its tcp:// address).
constexpr PortProblem kGatewayNoSuchHost{
    "FRAME_PROGRAM_MAIN_GATEWAY_NO_SUCH_HOST",
    "Адрес шлюза %s не найден: имя узла не распознаётся. Проверьте имя или укажите IP-адрес.",
    "gateway %s: the host name does not resolve; check the name or give the IP address"};
constexpr PortProblem kGatewayRefused{
    "FRAME_PROGRAM_MAIN_GATEWAY_REFUSED",
    "Шлюз %s отклонил соединение: на этом порту никто не ждёт. Проверьте номер порта и "
    "включён ли шлюз.",
    "gateway %s refused the connection: nothing listens at that port; check the port number "
    "and that the gateway is on"};
constexpr PortProblem kGatewayTimedOut{
    "FRAME_PROGRAM_MAIN_GATEWAY_TIMED_OUT",
    "Шлюз %s не ответил за 3 секунды. Проверьте адрес, сеть и питание шлюза.",
    "gateway %s did not answer within 3 s: check the address, the network and the gateway's "
    "power"};
constexpr PortProblem kGatewayBusy{
    "FRAME_PROGRAM_MAIN_GATEWAY_BUSY",
    "Шлюз %s занят: с ним уже работает другая программа. Закройте её соединение и "
    "попробуйте снова.",
    "gateway %s is busy: another program is connected to it; end that connection and try "
    "again"};
constexpr PortProblem kGatewayNotReached{
    "FRAME_PROGRAM_MAIN_GATEWAY_NOT_REACHED",
    "Шлюз %s недоступен. Адрес пишется как tcp://УЗЕЛ:ПОРТ (IPv6 в квадратных скобках); "
    "проверьте его и сеть.",
    "gateway %s cannot be reached: write it as tcp://HOST:PORT (IPv6 in brackets) and check "
    "the network"};
constexpr PortProblem kGatewayFailed{
    "FRAME_PROGRAM_MAIN_GATEWAY_NOT_OPENED",
    "Не удалось соединиться со шлюзом %s. Проверьте сеть и попробуйте снова.",
    "the connection to gateway %s could not be made: check the network and try again"};

const PortProblem* GatewayProblemOf(int32_t code) {
  switch (code) {
    case KELDAR_BUS_PORT_OPEN:
      return nullptr;
    case KELDAR_BUS_PORT_NO_SUCH_HOST:
      return &kGatewayNoSuchHost;
    case KELDAR_BUS_PORT_REFUSED:
      return &kGatewayRefused;
    case KELDAR_BUS_PORT_TIMED_OUT:
      return &kGatewayTimedOut;
    case KELDAR_BUS_PORT_BUSY:
      return &kGatewayBusy;
    case KELDAR_BUS_PORT_NOT_FOUND:
      return &kGatewayNotReached;
    default:
      return &kGatewayFailed;
  }
}

}  // namespace

const PortProblem* PortProblemOf(int32_t code, const std::string& path) {
  return mbus::IsGatewayPath(path) ? GatewayProblemOf(code) : PortProblemOf(code);
}

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
  return PortOpenFailure(keldar_bus_CProcessComPortGetOpenError(lib, port), path);
}

namespace {

std::string GroupName(gid_t gid) {
  const long size = ::sysconf(_SC_GETGR_R_SIZE_MAX);
  std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
  group entry{};
  group* found = nullptr;
  if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
    return std::to_string(gid);
  return found->gr_name;
}

std::string AccessAdvice(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || info.st_gid == 0)
    return "no permission to open it: ask the administrator for access to the port";
  const std::string group = GroupName(info.st_gid);
  return "no permission to open it: the port belongs to group " + group +
         "; add your user to it (sudo usermod -aG " + group + " $USER), then log out and in again";
}

std::string BusyAdvice(const std::string& path) {
  if (const auto holder = FindPortHolder(path)) {
    return "it is busy, held by " + holder->name + " (process " + std::to_string(holder->pid) +
           "); close that program and try again";
  }
  return "it is busy: another program is using it; close that program and try again";
}

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

// A number, or -1 for any other name ("self", "status").
long NumberOf(const char* name) {
  char* end = nullptr;
  const long value = std::strtol(name, &end, 10);
  return end != name && *end == '\0' ? value : -1;
}

}  // namespace

std::optional<std::string> PortPathProblem(const std::string& path) {
  if (mbus::IsGatewayPath(path)) {
    if (mbus::ParseGatewayAddress(path)) return std::nullopt;
    return "cannot open gateway " + path +
           ": not a gateway address; write it as tcp://HOST:PORT, e.g. tcp://192.168.1.20:10001 "
           "or tcp://[fe80::1]:10001";
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) {
      return "cannot open port " + path +
             ": no such port; check that the level converter is plugged in and choose the port "
             "again (keldar-cli ports lists them)";
    }
    return std::nullopt;
  }
  if (S_ISDIR(info.st_mode)) return "cannot open port " + path + ": it is a folder, not a port";
  return std::nullopt;
}

std::string PortOpenFailure(int32_t code, const std::string& path) {
  if (const auto problem = PortPathProblem(path)) return *problem;
  if (mbus::IsGatewayPath(path)) {
    const PortProblem* problem = GatewayProblemOf(code);
    return problem != nullptr ? WithPort(problem->english, path) : path;
  }
  const std::string prefix = "cannot open port " + path + ": ";
  struct stat info {};
  const bool known = ::stat(path.c_str(), &info) == 0;
  switch (code) {
    case KELDAR_BUS_PORT_ACCESS_DENIED:
      return prefix + AccessAdvice(path);
    case KELDAR_BUS_PORT_BUSY:
      return prefix + BusyAdvice(path);
    case KELDAR_BUS_PORT_NOT_SERIAL:
      if (known && S_ISREG(info.st_mode))
        return prefix + "it is an ordinary file, not a serial port; choose another port";
      return prefix + "it is not a serial port; choose another port";
    default:
      break;
  }
  const PortProblem* problem = PortProblemOf(code);
  return "cannot open port " + path +
         (problem != nullptr ? ": " + WithPort(problem->english, path) : std::string());
}

std::string PortLostFailure(const std::string& path) {
  if (mbus::IsGatewayPath(path))
    return "the gateway " + path +
           " closed the connection: it may have restarted, or another program took it over; "
           "connect again";
  return "port " + path + " was lost: check the level converter's connection and try again";
}

std::optional<PortHolder> FindPortHolder(const std::string& path) {
  struct stat port {};
  if (::stat(path.c_str(), &port) != 0) return std::nullopt;
  const DirHandle processes(::opendir("/proc"));
  if (!processes) return std::nullopt;
  while (const dirent* process = ::readdir(processes.get())) {
    const long pid = NumberOf(process->d_name);
    if (pid <= 0) continue;
    const std::string folder = std::string("/proc/") + process->d_name + "/fd";
    const DirHandle files(::opendir(folder.c_str()));
    if (!files) continue;  // gone, or another user's
    while (const dirent* file = ::readdir(files.get())) {
      if (NumberOf(file->d_name) < 0) continue;
      struct stat open {};
      const std::string link = folder + "/" + file->d_name;
      if (::stat(link.c_str(), &open) != 0) continue;
      if (open.st_dev != port.st_dev || open.st_ino != port.st_ino) continue;
      PortHolder holder{static_cast<pid_t>(pid), {}};
      std::ifstream comm(std::string("/proc/") + process->d_name + "/comm");
      std::getline(comm, holder.name);
      if (holder.name.empty()) holder.name = "a program";
      return holder;
    }
  }
  return std::nullopt;
}
