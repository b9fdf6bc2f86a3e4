// The base layer reaching into a subsystem: the check must refuse it.
#include "base/platform/text.h"
#include "device/screens/home_screen.h"
