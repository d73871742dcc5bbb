#include "glimmet/platform/remote_memory.h"

#include <utility>
#include <vector>

namespace glimmet::platform {
namespace {

constexpr DWORD kMemoryAccess = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE;

Bitness BitnessOf(HANDLE process) {
  if (sizeof(void*) == 4) return Bitness::k32;
  BOOL wow64 = FALSE;
  return ::IsWow64Process(process, &wow64) && wow64 ? Bitness::k32 : Bitness::k64;
}

}  // namespace

RemoteProcess RemoteProcess::OfWindow(HWND window) {
  RemoteProcess remote;
  DWORD id = 0;
  if (!window || !::GetWindowThreadProcessId(window, &id) || id == 0) return remote;
  remote.process_.Reset(::OpenProcess(kMemoryAccess | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  if (remote.process_) remote.bitness_ = BitnessOf(remote.process_.Get());
  return remote;
}

RemoteBlock::RemoteBlock(const RemoteProcess& process, std::size_t size) {
  if (!process || size == 0) return;
  void* address = ::VirtualAllocEx(process.Handle(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!address) return;
  process_ = process.Handle();
  address_ = address;
  size_ = size;
  if (process.TargetBitness() == Bitness::k32 && Address() > 0xFFFFFFFFull) Free();
}

RemoteBlock::~RemoteBlock() { Free(); }

RemoteBlock::RemoteBlock(RemoteBlock&& other) noexcept
    : process_(other.process_), address_(std::exchange(other.address_, nullptr)), size_(std::exchange(other.size_, 0)) {}

RemoteBlock& RemoteBlock::operator=(RemoteBlock&& other) noexcept {
  if (this != &other) {
    Free();
    process_ = other.process_;
    address_ = std::exchange(other.address_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

void RemoteBlock::Free() {
  if (address_) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  address_ = nullptr;
  size_ = 0;
}

bool RemoteBlock::Write(const void* data, std::size_t size, std::size_t offset) {
  if (!address_ || offset > size_ || size > size_ - offset) return false;
  SIZE_T written = 0;
  return ::WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &written) &&
         written == size;
}

bool RemoteBlock::Read(void* data, std::size_t size, std::size_t offset) const {
  if (!address_ || offset > size_ || size > size_ - offset) return false;
  SIZE_T read = 0;
  return ::ReadProcessMemory(process_, static_cast<const char*>(address_) + offset, data, size, &read) && read == size;
}

bool RemoteBlock::Clear() {
  const std::vector<char> zeros(size_);
  return Write(zeros.data(), zeros.size());
}

}  // namespace glimmet::platform
