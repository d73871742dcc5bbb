#pragma once
// The sound played when a run stops by itself. The form asks a player, so a test can put its own
// in place and see that a sound was asked for.

#include <string>

namespace glimmet::platform {

class ChimePlayer {
 public:
  virtual ~ChimePlayer() = default;
  // Plays the sound file at `path` and returns when it has finished.
  virtual void Play(const std::wstring& path) = 0;
};

// Plays through the system's wave sound; no sound device plays nothing.
class SystemChimePlayer : public ChimePlayer {
 public:
  void Play(const std::wstring& path) override;
};

// The chime file's full path: the program folder first, then the Windows media folder; empty when
// it is in neither.
std::wstring FindChimeFile(const std::wstring& chimeFile);

}  // namespace glimmet::platform
