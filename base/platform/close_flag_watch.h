#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

#include "keldar/plugin_abi.h"

namespace platform {

// Watches a close flag that hosted screens set (keldar_flag_set): the flag is
// the plug-ins' interface and cannot signal, so a timer on the owner's thread
// looks at it and calls `raised` while it is set. Stops when destroyed.
class CloseFlagWatch {
 public:
  static constexpr int kPeriodMs = 100;

  CloseFlagWatch(const std::uint8_t* flag, std::function<void()> raised) {
    timer_.setInterval(kPeriodMs);
    QObject::connect(&timer_, &QTimer::timeout, [flag, raised = std::move(raised)] {
      if (keldar_flag_get(flag) != 0) raised();
    });
    timer_.start();
  }
  CloseFlagWatch(const CloseFlagWatch&) = delete;
  CloseFlagWatch& operator=(const CloseFlagWatch&) = delete;

  // No further call, from here on (the owner is being torn down).
  void Stop() { timer_.stop(); }

 private:
  QTimer timer_;
};

}  // namespace platform
