#include "base/bus/selection.h"

#include "base/bus/exchange.h"
#include "base/bus/objects.h"

namespace mbus {

bool Select(const Link& link, const Selection& selection) {
  if (link.Stopping()) return false;
  const auto* lib = link.lib;
  Telegram request = NewTelegram(lib);
  if (!request) return false;
  keldar_bus_LongFrameClear(lib, request->long_frame);
  keldar_bus_SetSecondaryAddressing(lib, request->long_frame, KELDAR_BUS_WILDCARD_ID, 0,
                                    selection.manufacturer.c_str(), selection.version,
                                    selection.medium, selection.model.c_str());
  return SendLongFrame(link, request.get()) == KELDAR_BUS_RESULT_ACK;
}

}  // namespace mbus
