#include "online/startup_check.h"

#include "base/core/brand_profile.h"
#include "base/core/phrases.h"
#include "base/platform/message_flags.h"
#include "online/remote_api.h"
#include "online/wide_text.h"

namespace {

QString Widened(std::string_view bytes) { return QString::fromStdU16String(WidenBytes(bytes)); }

// Fills the format's "%s" in order (a missing argument reads as empty) and
// turns "%%" into "%"; any other '%' stays. One pass, so a version that
// itself holds "%s" is inserted as it is.
QString FillFormat(const QString& format, const QString& first, const QString& second) {
  QString text;
  int used = 0;
  for (qsizetype i = 0; i < format.size(); ++i) {
    if (format[i] == u'%' && i + 1 < format.size()) {
      if (format[i + 1] == u's') {
        text += used == 0 ? first : used == 1 ? second : QString();
        ++used;
        ++i;
        continue;
      }
      if (format[i + 1] == u'%') {
        text += u'%';
        ++i;
        continue;
      }
    }
    text += format[i];
  }
  return text;
}

// Cuts the text to the question's buffer without splitting a surrogate pair.
QString FitQuestion(QString text) {
  const qsizetype limit = kUpdateQuestionUnits - 1;
  if (text.size() <= limit) return text;
  qsizetype keep = limit;
  if (text[keep - 1].isHighSurrogate()) --keep;
  text.truncate(keep);
  return text;
}

// True when the question was asked: the check then ends.
bool CompareAndAsk(std::string_view programVersion, const std::string& id,
                   const std::string& finger, const std::string& serverVersion,
                   const Phrases& phrases, StartupCheckHost& host) {
  if (SameVersion(programVersion, serverVersion)) {
    host.ShowDownloadIcon(false);
    host.HideProgramUpdate();
    return false;
  }
  host.ShowDownloadIcon(true);
  const QString question = UpdateQuestion(phrases, serverVersion, programVersion);
  if (host.Ask(question, QString(), kUpdateQuestionFlags) == platform::kIdYes) {
    host.StartUpdate(id, finger, serverVersion);
  } else {
    host.HideProgramUpdate();
  }
  return true;
}

}  // namespace

bool SameVersion(std::string_view ours, std::string_view theirs) {
  if (ours.size() != theirs.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  for (std::size_t i = 0; i < ours.size(); ++i) {
    if (lower(ours[i]) != lower(theirs[i])) return false;
  }
  return true;
}

QString UpdateQuestion(const Phrases& phrases, std::string_view newVersion,
                       std::string_view programVersion) {
  const QString format = phrases.Text(
      kUpdateQuestionKey,
      QStringLiteral("Вышла новая версия программы %s. Сейчас вы пользуетесь устаревшей версией "
                     "%s.\nВы желаете обновить программу?"));
  return FitQuestion(FillFormat(format, Widened(newVersion), Widened(programVersion)));
}

void StartupCheck(const RemoteAccount& account, const char* databaseName,
                  const char* programVersion, const Phrases& phrases, StartupCheckHost& host,
                  const StartupCheckOptions& options) {
  const std::string_view database = databaseName != nullptr ? databaseName : "";
  const std::string_view version = programVersion != nullptr ? programVersion : "";
  HttpOptions limits;
  limits.deadline = std::chrono::steady_clock::now() + options.budget;
  limits.lookup = options.lookup;
  const auto late = [&] { return std::chrono::steady_clock::now() >= *limits.deadline; };

  const ProcedureAnswer identify = CallProcedure(account, IdentifyQuery(), limits);
  if (identify.bytes.empty()) {
    host.HideProgramUpdate();
    return;
  }
  const RemoteRecords clients = RemoteRecords::Parse(identify.bytes);
  if (!clients.Usable()) return;

  for (const JSONObject* client : clients.Records()) {
    if (late()) return;
    const std::string id = StringField(*client, u"id");
    const std::string finger = StringField(*client, u"finger");
    const ProcedureAnswer info =
        CallProcedure(account, ProjectInfoQuery(id, finger, database), limits);
    if (info.bytes.empty()) continue;
    const RemoteRecords projects = RemoteRecords::Parse(info.bytes);
    if (!projects.Usable()) continue;
    for (const JSONObject* project : projects.Records()) {
      if (CompareAndAsk(version, id, finger, StringField(*project, u"project_version"), phrases,
                        host))
        return;
    }
  }
}

void StartupCheck(const BrandProfile& profile, const char* databaseName, const char* programVersion,
                  const Phrases& phrases, StartupCheckHost& host) {
  StartupCheck(RemoteAccount::FromProfile(profile), databaseName, programVersion, phrases, host);
}
