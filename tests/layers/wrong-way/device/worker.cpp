// A lower layer reaching up into the composition root: the check must refuse it.
#include "app/main_window.h"
#include "device/identification.h"
