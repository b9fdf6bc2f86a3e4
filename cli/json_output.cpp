#include "json_output.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <ostream>

namespace keldar::cli {

void PrintJson(std::ostream& out, const QJsonValue& value) {
  const QJsonDocument document =
      value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
  out << document.toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace keldar::cli
