#include "device/screens/port_messages.h"

#include "base/kit/message_box.h"
#include "device/identify_reason.h"
#include "device/port_problem.h"

void ShowPortProblem(const Phrases& phrases, const PortProblem& problem, const std::string& path) {
  const bool fromLibrary = phrases.Has(problem.key);
  const QString text = phrases.Text(problem.key, QString::fromUtf8(problem.builtIn))
                           .replace(QStringLiteral("%s"), QString::fromStdString(path));
  platform::ShowMessageBox(nullptr, text, fromLibrary ? QString() : QStringLiteral("Ошибка"),
                           platform::kMbTaskModal | platform::kMbIconError);
}

void ShowPortLost(const Phrases& phrases, const std::string& path) {
  const ReasonMessage* message = MessageOf(IdentifyReason::PortLost);
  IdentifyExplanation explanation;
  explanation.reason = IdentifyReason::PortLost;
  explanation.port = path;
  const QString text = phrases.Text(message->key, QString::fromUtf8(message->builtIn));
  platform::ShowMessageBox(nullptr,
                           QString::fromStdString(Explained(text.toStdString(), explanation)),
                           QString(), platform::kMbTaskModal | platform::kMbIconWarning);
}
