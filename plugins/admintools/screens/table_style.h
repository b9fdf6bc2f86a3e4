#pragma once

#include <initializer_list>

#include "screens/screen_texts.h"

class QTableView;
class QTableWidget;

namespace admintools {

// Read-only, whole-row selection, no row numbers: the lists of both screens.
void SetUpTable(QTableView& table);
// Column captions from phrases, keeping the design-time captions as built-in texts.
void SetHeaders(QTableWidget& table, const ScreenTexts& texts,
                std::initializer_list<const char*> keys);

}  // namespace admintools
