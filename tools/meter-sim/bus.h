// The simulated bus: every station that hears a request at the line's speed
// answers it, after its own reply delay; a station set to another speed hears
// nothing.
#pragma once

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "device.h"
#include "meter_file.h"
#include "receiver.h"
#include "wire.h"

namespace keldar::sim {

class Bus {
 public:
  explicit Bus(std::vector<MeterDescription> meters);

  // Every station's answer from its reply delay on (none: nobody answers);
  // Receive() in receiver.h makes of them what the master hears.
  std::vector<Transmission> Handle(const Request& request, int line_speed);
  // Stations that were told to change speed do so once their answer is out.
  void AfterReply();
  // Every station's changeable state, one INI section each, in bus order.
  std::string StateText() const;

 private:
  std::vector<MeterDescription> meters_;
  std::vector<std::unique_ptr<Device>> stations_;
  std::mt19937 random_{20240611};  // the same noise on every run
};

// One line for the bus log.
std::string DescribeRequest(const Request& request);

}  // namespace keldar::sim
