#include "glimmet/core/reader_texts.h"

namespace glimmet {

std::wstring ProgressText(long long done, long long total) {
  return std::to_wstring(done) + L"/" + std::to_wstring(total);
}

}  // namespace glimmet
