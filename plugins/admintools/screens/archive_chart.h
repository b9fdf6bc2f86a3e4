#pragma once

#include "screens/archive_trend.h"
#include "screens/screen_texts.h"

class QChartView;

namespace admintools {

// Draws one device's trend into `view`, replacing what it showed: the counter
// as a line with a point a reading (the readings that went backwards in red),
// the consumption between readings as bars on their own axis, and for heat
// meters the supply and return temperatures on a third. Hovering a point or a
// bar puts its time and value in the view's tool tip.
void ShowTrend(QChartView& view, const ScreenTexts& texts, DeviceKind kind, const Trend& trend);

}  // namespace admintools
