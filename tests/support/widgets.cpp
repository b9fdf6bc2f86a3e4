#include "widgets.h"

#include <stdexcept>

namespace testing_support {
namespace {

std::string NameOf(const QObject& object) {
  const QString name = object.objectName();
  return name.isEmpty() ? std::string("a ") + object.metaObject()->className() : name.toStdString();
}

}  // namespace

QWidget& FindChild(const QWidget& root, const char* path, const QMetaObject& type) {
  const QWidget* at = &root;
  for (const QString& name : QString::fromUtf8(path).split(QLatin1Char('/'))) {
    const auto found = at->findChildren<QWidget*>(name);
    if (found.size() != 1) {
      throw std::runtime_error(
          (found.empty() ? "no widget named '" : "more than one widget named '") +
          name.toStdString() + "' under " + NameOf(*at) + " (looking for '" + path + "')");
    }
    at = found.front();
  }
  if (!at->inherits(type.className())) {
    throw std::runtime_error(std::string("'") + path + "' under " + NameOf(root) + " is a " +
                             at->metaObject()->className() + ", not a " + type.className());
  }
  return const_cast<QWidget&>(*at);  // the tests drive what they find
}

}  // namespace testing_support
