#include "archive_generator.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "store/archive.h"

namespace archivegen {
namespace {

using admintools::Archive;
using admintools::Device;
using admintools::DeviceKind;
using admintools::Quantity;
using admintools::Reading;

constexpr double kPi = 3.14159265358979323846;
constexpr int64_t kYear = 365 * 86'400;

const char* const kSurnames[] = {"Иванов",   "Петренко", "Сидоров",    "Коваленко", "Смирнов",
                                 "Шевченко", "Кузнецов", "Бондаренко", "Попов",     "Ткаченко"};
const char* const kStreets[] = {"ул. Лесная", "ул. Мира", "пр. Победы", "ул. Садовая",
                                "ул. Шевченко"};
const char* const kMakers[] = {"KRV", "MLD", "ELS", "ITR"};

// How much of the year's heat a day of the year takes: much in winter, little
// in summer (1 in mid-January, about 0.05 in July).
double HeatSeason(int64_t time) {
  const double phase = 2 * kPi * static_cast<double>(time % kYear) / static_cast<double>(kYear);
  return 0.525 + 0.475 * std::cos(phase - 0.25);
}

struct Meter {
  Device device;
  double counter = 0;  // Wh or m3
  double perDay = 0;   // the counter's mean growth a day
};

Reading NextReading(Meter& meter, int64_t time, int64_t days, std::mt19937& random) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  Reading reading;
  reading.readTime = time;
  const bool heat = meter.device.kind == DeviceKind::kHeat;
  const double season = heat ? HeatSeason(time) : 1.0;
  // Once in about 2,000 readings the meter was replaced: its counter restarts.
  if (unit(random) < 0.0005) meter.counter = unit(random) * meter.perDay * 3;
  meter.counter += meter.perDay * static_cast<double>(days) * season * (0.7 + 0.6 * unit(random));
  const double flow = heat ? 0.2 + 1.5 * season * unit(random) : 0.05 * unit(random) * 3;
  reading[Quantity::kFlow] = std::round(flow * 1000) / 1000;
  if (heat) {
    const double supply = 55 + 30 * season + 3 * unit(random);
    const double back = 30 + 12 * season + 2 * unit(random);
    reading[Quantity::kEnergy] = std::round(meter.counter);
    reading[Quantity::kVolume] = std::round(meter.counter / 40'000 * 1000) / 1000;
    reading[Quantity::kSupplyTemperature] = std::round(supply * 100) / 100;
    reading[Quantity::kReturnTemperature] = std::round(back * 100) / 100;
    reading[Quantity::kTemperatureDifference] = std::round((supply - back) * 100) / 100;
    reading[Quantity::kPower] = std::round(flow * (supply - back) * 1163);
    reading[Quantity::kOperatingHours] =
        std::round(static_cast<double>(time - (meter.device.id * 7919 % kYear)) / 3600 / 10) * 10;
  } else {
    reading[Quantity::kVolume] = std::round(meter.counter * 1000) / 1000;
    if (meter.device.kind == DeviceKind::kWaterHot)
      reading[Quantity::kTemperature] = std::round((52 + 8 * unit(random)) * 10) / 10;
  }
  if (unit(random) < 0.01) reading.errorFlags = 1u << (random() % 8);
  return reading;
}

}  // namespace

Made Generate(const std::string& file, const Plan& plan) {
  std::mt19937 random(plan.seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  Archive archive(file);
  Made made;

  // One subscriber with one object for about every two meters.
  std::vector<int64_t> objects;
  const int subscribers = std::max(1, plan.meters / 2);
  for (int i = 0; i < subscribers; ++i) {
    const std::string name = std::string(kSurnames[i % std::size(kSurnames)]) + " " +
                             static_cast<char>('A' + i % 26) + ". " + std::to_string(i + 1);
    const int64_t id = archive.AddSubscriber({0, name, "", std::to_string(100'000 + i), ""});
    objects.push_back(archive.AddObject(
        {0, id, "Кв. " + std::to_string(i % 120 + 1),
         std::string(kStreets[i % std::size(kStreets)]) + ", " + std::to_string(i / 120 + 1)}));
  }
  made.subscribers = subscribers;

  const int64_t start = plan.until - plan.years * kYear;
  const int64_t span = plan.until - start;
  std::vector<std::pair<DeviceKind, std::vector<Reading>>> batches;
  for (int m = 0; m < plan.meters; ++m) {
    Meter meter;
    const double pick = unit(random);
    meter.device.kind = pick < 0.4   ? DeviceKind::kHeat
                        : pick < 0.7 ? DeviceKind::kWaterCold
                                     : DeviceKind::kWaterHot;
    meter.device.manufacturer = kMakers[m % std::size(kMakers)];
    char serial[16];
    std::snprintf(serial, sizeof serial, "%08d", 41'000'000 + m);
    meter.device.serial = serial;
    meter.device.model = meter.device.kind == DeviceKind::kHeat ? "KM-5" : "VS-15";
    meter.device.medium = meter.device.kind == DeviceKind::kHeat        ? 4
                          : meter.device.kind == DeviceKind::kWaterCold ? 22
                                                                        : 6;
    // A few meters are on no object yet.
    if (unit(random) > 0.03)
      meter.device.objectId = objects[static_cast<std::size_t>(m / 2) % objects.size()];
    meter.perDay = meter.device.kind == DeviceKind::kHeat ? 20'000 + 40'000 * unit(random)
                                                          : 0.1 + 0.3 * unit(random);
    meter.counter = meter.perDay * 365 * 3 * unit(random);

    // This meter's share of the readings, spread evenly over the years with
    // a few hours' jitter; the first one also enters the device.
    const int64_t count = plan.readings / plan.meters + (m < plan.readings % plan.meters ? 1 : 0);
    if (count == 0) continue;
    const int64_t step = span / count;
    int64_t time = start + static_cast<int64_t>(unit(random) * static_cast<double>(step));
    archive.SaveReading(meter.device, NextReading(meter, time, 1, random));
    meter.device.id =
        archive.FindDevice(meter.device.kind, meter.device.manufacturer, meter.device.serial)->id;
    std::vector<Reading> readings;
    readings.reserve(static_cast<std::size_t>(count - 1));
    for (int64_t r = 1; r < count; ++r) {
      const int64_t next = start + r * step + static_cast<int64_t>(unit(random) * 6 * 3600);
      Reading reading =
          NextReading(meter, next, std::max<int64_t>(1, (next - time) / 86'400), random);
      reading.deviceId = meter.device.id;
      readings.push_back(std::move(reading));
      time = next;
    }
    archive.AddReadings(meter.device.kind, readings);
    ++made.meters;
    made.readings += count;
  }
  return made;
}

}  // namespace archivegen
