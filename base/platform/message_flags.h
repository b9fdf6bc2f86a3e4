#pragma once

namespace platform {

// Message box style flags and answers, with the values the program's texts use.
inline constexpr unsigned kMbOk = 0x0000;
inline constexpr unsigned kMbYesNo = 0x0004;
inline constexpr unsigned kMbRetryCancel = 0x0005;
inline constexpr unsigned kMbIconError = 0x0010;
inline constexpr unsigned kMbIconQuestion = 0x0020;
inline constexpr unsigned kMbIconWarning = 0x0030;
inline constexpr unsigned kMbIconInformation = 0x0040;
inline constexpr unsigned kMbTaskModal = 0x2000;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

}  // namespace platform
