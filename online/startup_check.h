#pragma once

#include <QString>
#include <string>
#include <string_view>

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

// Asks the server for the current version of this program and offers an
// update for every project record whose version differs from programVersion.
// Blocks while it waits for the server (see the time limits of HttpPost).
// databaseName and programVersion are the window's copies of the profile's
// LocalDatabase and Version.
void StartupCheck(const RemoteAccount& account, const char* databaseName,
                  const char* programVersion, const Phrases& phrases, StartupCheckHost& host);
void StartupCheck(const BrandProfile& profile, const char* databaseName, const char* programVersion,
                  const Phrases& phrases, StartupCheckHost& host);

// Equal byte for byte, ignoring the case of ASCII letters only.
bool SameVersion(std::string_view ours, std::string_view theirs);

// The question naming the server's version, then ours: the phrase when the
// language library has one, else the built-in text.
QString UpdateQuestion(const Phrases& phrases, std::string_view newVersion,
                       std::string_view programVersion);
