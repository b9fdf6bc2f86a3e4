#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The script that installs a downloaded update after the program has ended:
// it waits about five seconds, puts each downloaded "<name>_u" in place of the
// old file, starts the new program when the program file was among them, and
// deletes itself. One writer, two flavours:
//   kWindows  update.bat for the Windows command interpreter, line for line the
//             program's historic script (CR LF, quoted paths, trailing blanks);
//   kPosix    update.sh, run with /bin/sh; every path single-quoted.
enum class ScriptFlavour { kWindows, kPosix };

struct ScriptSettings {
  ScriptFlavour flavour = ScriptFlavour::kPosix;
  // The working folder as the script names it; every path starts with it.
  std::string directory;
  // Windows: the window title of the start line (the brand's LocalDatabase).
  std::string windowTitle;
  // POSIX: the program file, which plays the role of the ".exe" of the Windows flavour.
  std::string programName = "keldar";
  // POSIX: the wait before anything is replaced (the Windows flavour pings for it).
  int delaySeconds = 5;
};

// Windows limits: each line and the working folder in the interpreter's code page.
inline constexpr std::size_t kWindowsScriptLineBytes = 400;
inline constexpr std::size_t kWindowsDirectoryBytes = 350;

// The script's lines as text, each with its line end (and, for a start line
// of the Windows flavour, the blank that follows it).
class ScriptText {
 public:
  explicit ScriptText(ScriptSettings settings) : settings_(std::move(settings)) {}

  static const char* FileName(ScriptFlavour flavour);
  const ScriptSettings& Settings() const { return settings_; }

  std::vector<std::string> Opening() const;
  // The lines that replace the file `name` in `dst` (empty: the working folder).
  std::vector<std::string> FileLines(std::string_view dst, std::string_view name) const;
  // The line that starts the new program when `name` is the program file.
  std::optional<std::string> StartLine(std::string_view dst, std::string_view name) const;
  // The remembered start line, if any, and the line that deletes the script.
  std::vector<std::string> Closing(const std::optional<std::string>& startLine) const;

 private:
  std::string Path(std::string_view dst, std::string_view name) const;
  std::string Line(std::string text) const;

  ScriptSettings settings_;
};

// The working folder converted for the script. Windows takes it through the
// ANSI and then the OEM code page of the interpreter; here the narrow text is
// UTF-8 for both, so the conversion keeps it as it is.
std::string ScriptDirectory(const std::filesystem::path& workingFolder);

// Single-quotes a text for /bin/sh; a quote inside becomes '\''.
std::string ShellQuoted(std::string_view text);

// The script file. Lines are written as they are made, so an update that is
// stopped halfway leaves its unfinished script behind, never run.
class InstallerScript {
 public:
  // Creates (or empties) the script and writes its opening. False when it
  // cannot be created or written, or a Windows folder name would not fit.
  bool Create(const std::filesystem::path& file, ScriptSettings settings);
  // The lines of one downloaded file; remembers its start line when it is the program.
  bool AddFile(std::string_view dst, std::string_view name);
  // Writes the start line of the last program file added and the line that
  // deletes the script, and closes it.
  bool Finish();
  // Closes the script as it is.
  void Close();
  // Closes and deletes the script.
  void Remove();

  const std::filesystem::path& File() const { return file_; }

 private:
  bool Write(const std::vector<std::string>& lines);

  std::filesystem::path file_;
  std::ofstream out_;
  std::optional<ScriptText> text_;
  std::optional<std::string> startLine_;
};
