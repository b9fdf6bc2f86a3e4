#pragma once

#include <QString>
#include <chrono>
#include <string>
#include <string_view>

#include "online/name_lookup.h"

class BrandProfile;
class Phrases;
struct RemoteAccount;

// What the start-up check does to the main window. The window implements it;
// tests record the calls.
class StartupCheckHost {
 public:
  virtual ~StartupCheckHost() = default;
  // Hide the update screen ProgramUpdate.
  virtual void HideProgramUpdate() = 0;
  // Show or hide the download icon Image2 of the bottom bar.
  virtual void ShowDownloadIcon(bool visible) = 0;
  // A task-modal message box without owner; returns the answer code (6 = Yes).
  virtual int Ask(const QString& text, const QString& caption, unsigned flags) = 0;
  // The user accepted the server's version: start the update with these values.
  virtual void StartUpdate(std::string id, std::string finger, std::string newVersion) = 0;
};

// The update question's style: Yes/No, exclamation icon, task-modal.
inline constexpr unsigned kUpdateQuestionFlags = 0x2034;
// The question text is at most this many UTF-16 units, its terminator included.
inline constexpr int kUpdateQuestionUnits = 500;
inline constexpr const char* kUpdateQuestionKey =
    "FRAME_PROGRAM_UPDATE_NEW_VERSION_NOW_YOURE_USING_OLDER_VERSION_Do_YOU_WANT_UPGRADE_PROGRAM";

// The time the whole check may spend on the server, name look-ups included,
// so that the window appears within three seconds of start whatever the
// server or the network does.
inline constexpr std::chrono::milliseconds kStartupCheckBudget{2500};

struct StartupCheckOptions {
  std::chrono::milliseconds budget = kStartupCheckBudget;
  NameLookup lookup;  // empty: the system's
};

// Asks the server for the current version of this program and, when a project
// record names another version than programVersion, asks the user once whether
// to update, however many records the server sends. Blocks while it waits for
// the server, at most `options.budget`; what has not arrived by then counts as
// no answer. databaseName and programVersion are the window's copies of the
// profile's LocalDatabase and Version.
void StartupCheck(const RemoteAccount& account, const char* databaseName,
                  const char* programVersion, const Phrases& phrases, StartupCheckHost& host,
                  const StartupCheckOptions& options = {});
void StartupCheck(const BrandProfile& profile, const char* databaseName, const char* programVersion,
                  const Phrases& phrases, StartupCheckHost& host);

// Equal byte for byte, ignoring the case of ASCII letters only.
bool SameVersion(std::string_view ours, std::string_view theirs);

// The question naming the server's version, then ours: the phrase when the
// language library has one, else the built-in text.
QString UpdateQuestion(const Phrases& phrases, std::string_view newVersion,
                       std::string_view programVersion);
