// A block of committed read-write memory inside another process: the way to hand pointers to
// messages the system does not copy across processes (list-view items, header items, WM_NOTIFY
// blocks, drops).
#pragma once

#include "guidriver/unique_handle.h"

#include <windows.h>

#include <cstddef>

namespace guidriver {

// The driver and its targets are 64-bit, so the driver's own structure layouts (LVITEMW,
// HDITEMW, NMLISTVIEW, DROPFILES) are the targets' layouts.
static_assert(sizeof(void*) == 8, "the driver writes 64-bit structure layouts into its targets");

class RemoteBuffer {
 public:
  // Opens the process (PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE) and allocates
  // `size` bytes; throws DriverError on failure.
  RemoteBuffer(DWORD processId, size_t size);
  ~RemoteBuffer();  // frees the block unless it was released

  RemoteBuffer(RemoteBuffer&& other) noexcept;
  RemoteBuffer& operator=(RemoteBuffer&&) = delete;
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  // The block's address in the target, for message parameters; never dereference it here.
  void* Address() const { return address_; }
  size_t Size() const { return size_; }
  // Address() + offset, for pointers inside structures written into the block.
  void* AddressAt(size_t offset) const { return static_cast<char*>(address_) + offset; }

  void Write(const void* data, size_t size, size_t offset = 0);
  void Read(void* data, size_t size, size_t offset = 0) const;
  template <class T>
  T ReadAs(size_t offset = 0) const {
    T value{};
    Read(&value, sizeof(T), offset);
    return value;
  }

  // Leaves the block to the target: for posted messages whose receiver may still read it after
  // the driver has moved on. It stays allocated until the target process ends.
  void* Release();

 private:
  void CheckRange(size_t size, size_t offset) const;

  KernelHandle process_;
  void* address_ = nullptr;
  size_t size_ = 0;
};

}  // namespace guidriver
