#pragma once
// Memory inside another process, for control messages that carry pointers the system does not
// copy across processes (list-view, tree-view, toolbar and tab items). The process handle and
// every block have an owner, so a read leaves nothing behind in the target or in Glimmet.

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "glimmet/core/remote_layouts.h"
#include "glimmet/platform/unique_handle.h"

namespace glimmet::platform {

// The process that owns a window, opened for memory work and for asking its bitness.
class RemoteProcess {
 public:
  RemoteProcess() = default;
  // Empty (false) when the window is gone or the process refuses access, e.g. it runs with
  // higher rights than Glimmet.
  static RemoteProcess OfWindow(HWND window);

  explicit operator bool() const { return static_cast<bool>(process_); }
  HANDLE Handle() const { return process_.Get(); }
  // The layout the target's controls expect: 32-bit for a WOW64 process.
  Bitness TargetBitness() const { return bitness_; }

 private:
  KernelHandle process_;
  Bitness bitness_ = Bitness::k64;
};

// A committed read-write block in a RemoteProcess, released when the owner goes. The process
// owner must outlive its blocks (declare it first).
class RemoteBlock {
 public:
  RemoteBlock() = default;
  // Empty (false) when the allocation fails or, for a 32-bit target, lands above 4 GB.
  RemoteBlock(const RemoteProcess& process, std::size_t size);
  ~RemoteBlock();
  RemoteBlock(RemoteBlock&& other) noexcept;
  RemoteBlock& operator=(RemoteBlock&& other) noexcept;
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  explicit operator bool() const { return address_ != nullptr; }
  std::size_t Size() const { return size_; }
  // The address in the target: for message parameters and pointer fields, never dereferenced here.
  std::uint64_t Address() const { return reinterpret_cast<std::uintptr_t>(address_); }
  LPARAM AsParameter() const { return reinterpret_cast<LPARAM>(address_); }

  // False when the range lies outside the block or the target refused; nothing is written past it.
  bool Write(const void* data, std::size_t size, std::size_t offset = 0);
  bool Read(void* data, std::size_t size, std::size_t offset = 0) const;
  // Zero bytes over the whole block.
  bool Clear();

 private:
  void Free();

  HANDLE process_ = nullptr;  // borrowed from the RemoteProcess
  void* address_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace glimmet::platform
