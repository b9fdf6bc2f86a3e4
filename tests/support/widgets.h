#pragma once

#include <QWidget>
#include <string>

namespace testing_support {

// The widget that `path` names under `root`: object names separated by '/',
// each found anywhere below the one before ("Bottom/Image2"), as the acceptance
// suite names them. Throws, failing the test with the path, when no widget or
// more than one answers, or when the widget is not a `type`.
QWidget& FindChild(const QWidget& root, const char* path, const QMetaObject& type);

}  // namespace testing_support

// The child widget of type W named `path` under `root` (see FindChild).
template <class W>
W& Child(const QWidget& root, const char* path) {
  return static_cast<W&>(testing_support::FindChild(root, path, W::staticMetaObject));
}
