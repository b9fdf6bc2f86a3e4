#pragma once

#include <QString>

#include "online/update_run.h"

// What the user is told when an update ends without handing over: the phrase
// key and the built-in Russian text, and whether the file or folder concerned
// goes on the next line.
struct UpdateMessage {
  const char* key;
  QString builtIn;
  bool withDetail;
};

UpdateMessage MessageFor(const UpdateResult& result);
