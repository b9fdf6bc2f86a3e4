// How fast the archive answers on a large file: what the archive screen and
// the export do, timed on an archive of 1,000 meters and 200,000 readings
// (written by the generator first unless a file is given).
//
//   open + first page        under 200 ms
//   a filter changed         under 200 ms (first page with its total)
//   one meter's readings     under 200 ms (the chart)
//   save one reading         under 50 ms
//   export all to CSV        under 3 s
//
// usage: keldar-archive-bench [ARCHIVE]   (copied first: the bench saves into it)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "archive_generator.h"
#include "store/archive.h"
#include "store/archive_export.h"

namespace {

using admintools::Archive;
using admintools::DeviceKind;
using admintools::ReadingFilter;
namespace fs = std::filesystem;

constexpr int kPageSize = 100;

// Times `work`, then prints it against `targetMs` (none when 0) with what `detail` says of its
// result.
void Measure(
    const char* what, double targetMs, const std::function<void()>& work,
    const std::function<std::string()>& detail = [] { return std::string(); }) {
  const auto start = std::chrono::steady_clock::now();
  work();
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const std::string said = detail();
  if (targetMs > 0) {
    std::printf("%-32s %9.1f ms  (target %5.0f ms) %-4s %s\n", what, ms, targetMs,
                ms <= targetMs ? "ok" : "SLOW", said.c_str());
  } else {
    std::printf("%-32s %9.1f ms  %s\n", what, ms, said.c_str());
  }
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path folder = fs::temp_directory_path() / "keldar-archive-bench";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path file = folder / "archive.db";
  if (argc > 1) {
    fs::copy_file(argv[1], file);
  } else {
    const archivegen::Plan plan;
    archivegen::Made made;
    Measure(
        "generate the archive", 0, [&] { made = archivegen::Generate(file.string(), plan); },
        [&] {
          return std::to_string(made.meters) + " meters, " + std::to_string(made.readings) +
                 " readings";
        });
  }

  admintools::ReadingPage page;
  const auto pageSaid = [&page] {
    return std::to_string(page.total) + " readings, " + std::to_string(page.rows.size()) + " shown";
  };
  std::optional<Archive> archive;
  Measure(
      "open + first page", 200,
      [&] {
        archive.emplace(file.string());
        page = archive->Page({}, 0, kPageSize);
      },
      pageSaid);

  ReadingFilter heat;
  heat.kind = DeviceKind::kHeat;
  Measure(
      "filter: heat meters", 200, [&] { page = archive->Page(heat, 0, kPageSize); }, pageSaid);
  ReadingFilter year;
  year.from = 1'704'067'200;  // 2024
  year.to = 1'735'689'599;
  Measure(
      "filter: one year", 200, [&] { page = archive->Page(year, 0, kPageSize); }, pageSaid);
  ReadingFilter heatYear = year;
  heatYear.kind = DeviceKind::kHeat;
  Measure(
      "filter: heat in one year", 200, [&] { page = archive->Page(heatYear, 0, kPageSize); },
      pageSaid);
  ReadingFilter serial;
  serial.serial = "41000500";
  Measure(
      "filter: one serial", 200, [&] { page = archive->Page(serial, 0, kPageSize); }, pageSaid);
  ReadingFilter subscriber;
  subscriber.subscriber = archive->Subscribers().front().name;
  Measure(
      "filter: one subscriber", 200, [&] { page = archive->Page(subscriber, 0, kPageSize); },
      pageSaid);
  Measure(
      "a page at offset 150000", 200, [&] { page = archive->Page({}, 150'000, kPageSize); },
      pageSaid);

  const auto device = archive->Devices(DeviceKind::kHeat).front();
  std::size_t points = 0;
  Measure(
      "one meter's readings (chart)", 200,
      [&] { points = archive->History(device.kind, device.id).size(); },
      [&] { return std::to_string(points) + " readings"; });

  admintools::Reading reading;
  reading[admintools::Quantity::kEnergy] = 1e9;
  Measure("save one reading", 50, [&] { archive->SaveReading(device, reading); });

  int64_t written = 0;
  const fs::path csv = folder / "readings.csv";
  Measure(
      "export all to CSV", 3000,
      [&] { written = admintools::ExportReadings(*archive, {}, admintools::ExportOptions{}, csv); },
      [&] {
        return std::to_string(written) + " readings, " + std::to_string(fs::file_size(csv) >> 20) +
               " MiB";
      });
  admintools::ExportOptions json;
  json.format = admintools::ExportFormat::kJson;
  Measure(
      "export all to JSON", 3000,
      [&] { written = admintools::ExportReadings(*archive, {}, json, folder / "readings.json"); },
      [&] { return std::to_string(written) + " readings"; });
  archive.reset();
  fs::remove_all(folder);
  return 0;
}
