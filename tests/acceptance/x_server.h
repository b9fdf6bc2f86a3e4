// A private X display (Xvfb) and the user's hands on it: pointer and keys sent
// as X input events through the XTest extension, and screenshots.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "child_process.h"

struct _XDisplay;

// A place on the screen, in pixels from the top left corner. (No Qt type here:
// Xlib's macros and Qt's headers do not mix in one file.)
struct ScreenPoint {
  int x = 0;
  int y = 0;
};

class XServer {
 public:
  // Starts Xvfb on a free display; null and `error` set when it cannot.
  static std::unique_ptr<XServer> Start(std::string& error);
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  const std::string& Name() const { return name_; }  // ":N", for DISPLAY

  void MoveTo(ScreenPoint at);
  void Click(ScreenPoint at);
  // A key by its X name ("Tab", "Return", "Escape", "space", "5", "a", "BackSpace"),
  // optionally with Shift held.
  bool Key(const std::string& keysymName, bool shift = false);
  // Plain ASCII letters, digits, blanks and punctuation, key by key.
  bool Type(const std::string& text);
  // The whole screen, 0xRRGGBB a pixel, row by row.
  bool Grab(int& width, int& height, std::vector<std::uint32_t>& pixels);

 private:
  XServer() = default;
  void Settle();

  ChildProcess xvfb_;
  std::string name_;
  _XDisplay* display_ = nullptr;
};
