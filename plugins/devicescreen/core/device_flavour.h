// Which of the five device plug-ins this build is: the kind of meter it
// serves and its maker. One source is built five times, told apart here.
#pragma once

#include <cstdint>

#include "core/phrase.h"

namespace devicescreen {

// The archive keeps one table per kind.
enum class MeterKind { Heat, WaterCold, WaterHot };

struct DeviceFlavour {
  MeterKind kind;
  const char* maker;          // "KRV" or "MLD"
  const char* componentName;  // the name the shell gives the frame
  const Phrase* title;
};

// The flavour built for `kind` by `maker` ("KRV" or "MLD").
DeviceFlavour FlavourOf(MeterKind kind, const char* maker);

// The device type (medium byte) in words, as the selection tiles name it.
const Phrase& DeviceTypePhrase(std::uint8_t deviceType);

}  // namespace devicescreen
