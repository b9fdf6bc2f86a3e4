#pragma once

#include <QWidget>
#include <memory>

// What a plug-in needs to hand its screens to the program safely. Each
// plug-in links its own copy, so each knows only the screens it made.
namespace look {

// True on the thread of the running QApplication, the only one a screen may
// be made or destroyed on.
bool OnGuiThread();

// Gives `screen` to the program: remembered until it is destroyed (by the
// program's call or with a parent window). Main thread.
void* RegisterScreen(std::unique_ptr<QWidget> screen);

// The screen behind `handle` when this library made it and it is still alive;
// nullptr for anything else, so a stale or foreign pointer is never deleted.
QWidget* RegisteredScreen(void* handle);

}  // namespace look
