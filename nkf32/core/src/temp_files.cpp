#include "temp_files.h"

#include <array>
#include <atomic>
#include <cstring>

#include "nkf32/file_convert.h"

namespace nkf {
namespace detail {
namespace {

// One slot per conversion under way (a program converts on a few threads at most); a path too long
// for a slot, or a conversion beyond the slots, is simply not cleaned up after a signal.
enum : int { kFree, kWriting, kPublished };

struct Slot {
  std::atomic<int> state{kFree};
  std::array<TempChar, 4096> path{};
};
std::array<Slot, 8> slots;

}  // namespace

int RegisterTemporary(const TempChar* path, std::size_t length) {
  if (length >= slots[0].path.size()) return -1;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    int expected = kFree;
    if (!slots[i].state.compare_exchange_strong(expected, kWriting)) continue;
    std::memcpy(slots[i].path.data(), path, length * sizeof(TempChar));
    slots[i].path[length] = 0;
    slots[i].state.store(kPublished);  // only now may a handler see the path
    return static_cast<int>(i);
  }
  return -1;
}

void ForgetTemporary(int slot) {
  if (slot >= 0) slots[static_cast<std::size_t>(slot)].state.store(kFree);
}

void RemoveRegisteredTemporaries() {
  for (Slot& slot : slots) {
    if (slot.state.load() == kPublished) RemoveTemporary(slot.path.data());
  }
}

}  // namespace detail

bool IsConversionTemporary(std::wstring_view name) {
  constexpr std::wstring_view kPrefix = L".nkf32-";
  if (name.size() != kPrefix.size() + 6 || name.substr(0, kPrefix.size()) != kPrefix) return false;
  for (wchar_t c : name.substr(kPrefix.size())) {
    const bool alnum = (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
    if (!alnum) return false;
  }
  return true;
}

void RemoveConversionTemporaries() { detail::RemoveRegisteredTemporaries(); }

}  // namespace nkf
