#include "online/installer_script.h"

namespace {

bool IsWindows(const ScriptSettings& settings) {
  return settings.flavour == ScriptFlavour::kWindows;
}

}  // namespace

const char* ScriptText::FileName(ScriptFlavour flavour) {
  return flavour == ScriptFlavour::kWindows ? "update.bat" : "update.sh";
}

// The Windows script was written in text mode: each line feed became CR LF.
std::string ScriptText::Line(std::string text) const {
  if (!IsWindows(settings_)) return text;
  std::string crlf;
  crlf.reserve(text.size() + 2);
  for (const char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

std::string ScriptText::Path(std::string_view dst, std::string_view name) const {
  const char separator = IsWindows(settings_) ? '\\' : '/';
  std::string path = settings_.directory;
  path += separator;
  if (!dst.empty()) {
    path += dst;
    path += separator;
  }
  path += name;
  return path;
}

std::vector<std::string> ScriptText::Opening() const {
  if (IsWindows(settings_)) return {Line("ping -n 6 127.0.0.1 >nul\n")};
  return {"#!/bin/sh\n", "sleep " + std::to_string(settings_.delaySeconds) + "\n",
          "cd " + ShellQuoted(settings_.directory) + " || exit 1\n"};
}

std::vector<std::string> ScriptText::FileLines(std::string_view dst, std::string_view name) const {
  const std::string old = Path(dst, name);
  const std::string staged = old + "_u";
  if (IsWindows(settings_)) {
    // Without dst the staged name was formed on its own ("<name>_u"), the same text.
    return {Line("del \"" + old + "\" /q \n"),
            Line("ren \"" + staged + "\" \"" + std::string(name) + "\" \n")};
  }
  // mv takes the staged file's mode; an executable keeps its execute permission.
  std::string keepMode =
      name == settings_.programName
          ? "chmod +x " + ShellQuoted(staged) + "\n"
          : "if [ -x " + ShellQuoted(old) + " ]; then chmod +x " + ShellQuoted(staged) + "; fi\n";
  return {std::move(keepMode), "mv -f " + ShellQuoted(staged) + " " + ShellQuoted(old) + "\n"};
}

std::optional<std::string> ScriptText::StartLine(std::string_view dst,
                                                 std::string_view name) const {
  if (IsWindows(settings_)) {
    if (name.find(".exe") == std::string_view::npos) return std::nullopt;
    return Line("start \"" + settings_.windowTitle + "\" \"" + Path(dst, name) + "\" \n ");
  }
  if (name != settings_.programName) return std::nullopt;
  // Started in the background, so the script goes on to delete itself.
  return ShellQuoted(Path(dst, name)) + " &\n";
}

std::vector<std::string> ScriptText::Closing(const std::optional<std::string>& startLine) const {
  std::vector<std::string> lines;
  if (startLine) lines.push_back(*startLine);
  if (IsWindows(settings_)) {
    lines.push_back(Line("del \"" + Path({}, FileName(settings_.flavour)) + "\" /q \n"));
  } else {
    lines.push_back("rm -f " + ShellQuoted(Path({}, FileName(settings_.flavour))) + "\n");
  }
  return lines;
}

std::string ScriptDirectory(const std::filesystem::path& workingFolder) {
  return workingFolder.string();
}

std::string ShellQuoted(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  quoted += '\'';
  return quoted;
}

bool InstallerScript::Create(const std::filesystem::path& file, ScriptSettings settings) {
  file_ = file;
  startLine_.reset();
  if (IsWindows(settings) && settings.directory.size() >= kWindowsDirectoryBytes) return false;
  text_.emplace(std::move(settings));
  out_.open(file_, std::ios::binary | std::ios::trunc);
  if (!out_.is_open()) return false;
  return Write(text_->Opening());
}

bool InstallerScript::AddFile(std::string_view dst, std::string_view name) {
  if (!text_ || !Write(text_->FileLines(dst, name))) return false;
  if (auto line = text_->StartLine(dst, name)) startLine_ = std::move(line);
  return true;
}

bool InstallerScript::Finish() {
  const bool written = text_ && Write(text_->Closing(startLine_));
  out_.close();
  return written && !out_.fail();
}

void InstallerScript::Close() {
  if (out_.is_open()) out_.close();
}

void InstallerScript::Remove() {
  Close();
  if (!file_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(file_, ignored);
  }
}

bool InstallerScript::Write(const std::vector<std::string>& lines) {
  if (!out_.is_open()) return false;
  // A Windows line is formatted into a fixed buffer: lines that would not fit are not written.
  if (IsWindows(text_->Settings())) {
    for (const auto& line : lines)
      if (line.size() >= kWindowsScriptLineBytes) return false;
  }
  for (const auto& line : lines) out_ << line;
  out_.flush();
  return !out_.fail();
}
