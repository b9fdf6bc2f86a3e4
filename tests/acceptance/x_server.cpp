#include "x_server.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
constexpr int kStartMs = 10000;

// A person does not press keys or buttons in the same microsecond; Qt also
// merges events that come too close.
void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

std::unique_ptr<XServer> XServer::Start(std::string& error) {
  int ready[2];
  if (::pipe(ready) != 0) {
    error = "no pipe for Xvfb";
    return nullptr;
  }
  std::unique_ptr<XServer> server(new XServer);
  ChildProcess::Options options;
  options.arguments = {"/usr/bin/Xvfb",  "-displayfd", std::to_string(ready[1]), "-screen",
                       "0", std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24",
                       "-nolisten",      "tcp",        "-noreset"};
  options.keepFd = ready[1];
  error = server->xvfb_.Start(options);
  ::close(ready[1]);
  if (!error.empty()) {
    ::close(ready[0]);
    return nullptr;
  }
  // Xvfb writes its display number once it accepts clients.
  std::string number;
  pollfd p{ready[0], POLLIN, 0};
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartMs);
  while (std::chrono::steady_clock::now() < end) {
    if (::poll(&p, 1, 100) <= 0) continue;
    char c = 0;
    if (::read(ready[0], &c, 1) != 1) break;
    if (c == '\n') break;
    number += c;
  }
  ::close(ready[0]);
  if (number.empty()) {
    error = "Xvfb did not start (is the xvfb package installed?)";
    return nullptr;
  }
  server->name_ = ":" + number;
  server->display_ = XOpenDisplay(server->name_.c_str());
  if (server->display_ == nullptr) {
    error = "cannot connect to Xvfb at " + server->name_;
    return nullptr;
  }
  int event = 0, errorBase = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(server->display_, &event, &errorBase, &major, &minor)) {
    error = "Xvfb has no XTest extension";
    return nullptr;
  }
  return server;
}

XServer::~XServer() {
  if (display_ != nullptr) XCloseDisplay(display_);
  xvfb_.Stop();
}

void XServer::Settle() {
  XSync(display_, False);
  Pause(60);
}

void XServer::MoveTo(ScreenPoint at) {
  XTestFakeMotionEvent(display_, 0, at.x, at.y, CurrentTime);
  Settle();
}

void XServer::Click(ScreenPoint at) {
  MoveTo(at);
  XTestFakeButtonEvent(display_, 1, True, CurrentTime);
  XSync(display_, False);
  Pause(40);
  XTestFakeButtonEvent(display_, 1, False, CurrentTime);
  Settle();
}

bool XServer::Key(const std::string& keysymName, bool shift) {
  const KeySym sym = XStringToKeysym(keysymName.c_str());
  if (sym == NoSymbol) return false;
  const KeyCode code = XKeysymToKeycode(display_, sym);
  if (code == 0) return false;
  const KeyCode shiftCode = XKeysymToKeycode(display_, XK_Shift_L);
  if (shift) XTestFakeKeyEvent(display_, shiftCode, True, CurrentTime);
  XTestFakeKeyEvent(display_, code, True, CurrentTime);
  XSync(display_, False);
  Pause(20);
  XTestFakeKeyEvent(display_, code, False, CurrentTime);
  if (shift) XTestFakeKeyEvent(display_, shiftCode, False, CurrentTime);
  Settle();
  return true;
}

bool XServer::Type(const std::string& text) {
  for (const char c : text) {
    std::string name;
    bool shift = false;
    if (c == ' ') {
      name = "space";
    } else if (c == '_') {
      name = "underscore";
      shift = true;
    } else if (c == '-') {
      name = "minus";
    } else if (c == '.') {
      name = "period";
    } else if (c == '/') {
      name = "slash";
    } else if (c == ':') {
      name = "colon";
      shift = true;
    } else if (c == '[') {
      name = "bracketleft";
    } else if (c == ']') {
      name = "bracketright";
    } else if (c == '@') {
      name = "at";
      shift = true;
    } else if (c >= 'A' && c <= 'Z') {
      name = std::string(1, static_cast<char>(c - 'A' + 'a'));
      shift = true;
    } else {
      name = std::string(1, c);
    }
    if (!Key(name, shift)) return false;
  }
  return true;
}

bool XServer::Grab(int& width, int& height, std::vector<std::uint32_t>& pixels) {
  const Window root = DefaultRootWindow(display_);
  XImage* image = XGetImage(display_, root, 0, 0, kScreenWidth, kScreenHeight, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  width = kScreenWidth;
  height = kScreenHeight;
  pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
             static_cast<std::size_t>(x)] = static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu;
  }
  XDestroyImage(image);
  return true;
}
