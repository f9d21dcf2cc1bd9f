#pragma once

#include "platform/platform_services.h"
#include "platform/recording_platform.h"

namespace timer555::testing {

/// A RecordingPlatform installed as the platform for the lifetime of this
/// object: beeps are counted and error boxes collected instead of sounding
/// or blocking.
struct InstalledRecorder {
  InstalledRecorder() : previous(SetPlatform(&recorder)) {}
  ~InstalledRecorder() { SetPlatform(previous); }
  InstalledRecorder(const InstalledRecorder&) = delete;
  InstalledRecorder& operator=(const InstalledRecorder&) = delete;

  RecordingPlatform recorder;
  PlatformServices* previous;
};

}  // namespace timer555::testing
