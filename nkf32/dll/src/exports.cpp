// The five functions Zentrel calls; everything else lives in the portable core.
#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "bounded_path.h"
#include "dll_state.h"
#include "nkf32/convert.h"
#include "nkf32/file_convert.h"
#include "nkf32_api.h"

namespace {

using nkf::dll::State;

std::wstring WideName(nkf::Encoding e) {
  std::string_view name = nkf::EncodingName(e);
  return std::wstring(name.begin(), name.end());
}

void SetWritten(LPDWORD written, DWORD value) {
  if (written) *written = value;
}

BOOL ConvertFileWithOptions(const std::filesystem::path& source, const std::filesystem::path& destination) {
  auto& state = State();
  std::lock_guard lock(state.mutex);
  nkf::ConvertResult r = nkf::ConvertFile(source, destination, state.options);
  // An I/O failure or a refused file may come before the guess.
  if (r.error != nkf::ConvertError::Io && r.error != nkf::ConvertError::SeveralNames)
    state.lastGuess = WideName(r.input);
  return r.ok() ? TRUE : FALSE;
}

}  // namespace

extern "C" int WINAPI SetNkfOption(LPCSTR options) {
  if (!options) return 0;
  nkf::OptionsResult parsed = nkf::ParseOptions(options);
  if (!parsed.ok) return 0;
  auto& state = State();
  std::lock_guard lock(state.mutex);
  state.options = parsed.options;
  return 1;
}

extern "C" BOOL WINAPI NkfConvertSafe(LPSTR out, DWORD outCapacity, LPDWORD written, LPCSTR in, DWORD inLength) {
  SetWritten(written, 0);
  if (!in && inLength) return FALSE;
  auto input = std::span(reinterpret_cast<const std::uint8_t*>(in), in ? inLength : 0);
  auto& state = State();
  std::lock_guard lock(state.mutex);
  std::vector<std::uint8_t> converted;
  nkf::ConvertResult r = nkf::ConvertBuffer(input, state.options, converted);
  state.lastGuess = WideName(r.input);
  if (!r.ok()) return FALSE;
  if (state.options.guessOnly) return TRUE;
  if (converted.size() > outCapacity || (!out && !converted.empty())) return FALSE;
  if (!converted.empty()) std::memcpy(out, converted.data(), converted.size());
  SetWritten(written, static_cast<DWORD>(converted.size()));
  return TRUE;
}

extern "C" BOOL WINAPI GetNkfGuessW(LPWSTR out, DWORD capacity, LPDWORD written) {
  SetWritten(written, 0);
  if (!out || capacity == 0) return FALSE;
  auto& state = State();
  std::lock_guard lock(state.mutex);
  const std::wstring& name = state.lastGuess;
  if (name.empty() || name.size() + 1 > capacity) {
    out[0] = L'\0';
    return FALSE;
  }
  std::copy(name.begin(), name.end(), out);
  out[name.size()] = L'\0';
  SetWritten(written, static_cast<DWORD>(name.size()));
  return TRUE;
}

extern "C" BOOL WINAPI NkfFileConvert1SafeW(LPCWSTR path, DWORD pathLength) {
  auto file = nkf::dll::BoundedPath(path, pathLength);
  if (!file) return FALSE;
  return ConvertFileWithOptions(*file, *file);
}

extern "C" BOOL WINAPI NkfFileConvert2SafeW(LPCWSTR source, DWORD sourceLength, LPCWSTR destination,
                                           DWORD destinationLength) {
  auto from = nkf::dll::BoundedPath(source, sourceLength);
  auto to = nkf::dll::BoundedPath(destination, destinationLength);
  if (!from || !to) return FALSE;
  return ConvertFileWithOptions(*from, *to);
}
