#include "guidriver/remote_buffer.h"

#include "guidriver/driver_error.h"

#include <string>
#include <utility>

namespace guidriver {

RemoteBuffer::RemoteBuffer(DWORD processId, size_t size)
    : process_(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                             processId)),
      size_(size) {
  if (!process_) ThrowLastError("OpenProcess for process " + std::to_string(processId) + " failed");
  address_ = ::VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!address_) ThrowLastError("VirtualAllocEx of " + std::to_string(size) + " bytes failed");
}

RemoteBuffer::~RemoteBuffer() {
  if (address_) ::VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE);
}

RemoteBuffer::RemoteBuffer(RemoteBuffer&& other) noexcept
    : process_(std::move(other.process_)),
      address_(std::exchange(other.address_, nullptr)),
      size_(std::exchange(other.size_, 0)) {}

void RemoteBuffer::CheckRange(size_t size, size_t offset) const {
  if (!address_ || offset > size_ || size > size_ - offset) {
    throw DriverError("remote buffer access of " + std::to_string(size) + " bytes at offset " +
                      std::to_string(offset) + " is outside its " + std::to_string(size_) + " bytes");
  }
}

void RemoteBuffer::Write(const void* data, size_t size, size_t offset) {
  CheckRange(size, offset);
  SIZE_T written = 0;
  if (!::WriteProcessMemory(process_.Get(), AddressAt(offset), data, size, &written) || written != size) {
    ThrowLastError("WriteProcessMemory failed");
  }
}

void RemoteBuffer::Read(void* data, size_t size, size_t offset) const {
  CheckRange(size, offset);
  SIZE_T read = 0;
  if (!::ReadProcessMemory(process_.Get(), AddressAt(offset), data, size, &read) || read != size) {
    ThrowLastError("ReadProcessMemory failed");
  }
}

void* RemoteBuffer::Release() { return std::exchange(address_, nullptr); }

}  // namespace guidriver
