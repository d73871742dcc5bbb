#include "glimmet/core/version_text.h"

namespace glimmet {

std::wstring VersionText(int major, int minor, int revision) {
  return std::to_wstring(major) + L"." + std::to_wstring(minor) + std::to_wstring(revision);
}

}  // namespace glimmet
