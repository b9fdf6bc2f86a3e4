#include "base/bus/selection.h"

#include "base/bus/exchange.h"
#include "base/bus/objects.h"

namespace mbus {

int SendSelection(const Link& link, const Selection& selection) {
  if (link.Stopping()) return KELDAR_BUS_RESULT_FAILED;
  const auto* lib = link.lib;
  Telegram request = NewTelegram(lib);
  if (!request) return KELDAR_BUS_RESULT_FAILED;
  keldar_bus_LongFrameClear(lib, request->long_frame);
  keldar_bus_SetSecondaryAddressing(lib, request->long_frame, selection.identification, 0,
                                    selection.manufacturer.c_str(), selection.version,
                                    selection.medium, selection.model.c_str());
  return SendLongFrame(link, request.get());
}

}  // namespace mbus
