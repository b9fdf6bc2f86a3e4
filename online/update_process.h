#pragma once

#include <sys/types.h>

#include <filesystem>

// Starts "/bin/sh <script>" in a session of its own, in the current folder,
// with standard input from /dev/null and none of the program's other open
// files (the serial port, sockets), and does not wait for it. The process id,
// or -1 when it could not be started.
pid_t LaunchInstallerScript(const std::filesystem::path& script);

// Ends the process at once from any thread: no destructors, no clean-up, so
// that the script can replace the program's files.
[[noreturn]] void EndProcessNow();
