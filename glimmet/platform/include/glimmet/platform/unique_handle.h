#pragma once
// One move-only owner for every kind of handle: the traits say what "no handle" is and how one is
// given back. Copies are deleted, so nothing is ever closed twice.

#include <windows.h>

#include <utility>

namespace glimmet::platform {

template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(Type handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Type Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  Type Release() { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Type handle = Traits::Invalid()) {
    if (handle_ != Traits::Invalid()) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Type handle_ = Traits::Invalid();
};

// Process, thread, event and mapping handles (invalid: null).
struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// CreateFileW and FindFirstFileW answer INVALID_HANDLE_VALUE instead of null.
struct FileHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::CloseHandle(h); }
};
using FileHandle = UniqueHandle<FileHandleTraits>;

struct FindHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::FindClose(h); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

// Fonts, brushes and other GDI objects.
template <typename T>
struct GdiObjectTraits {
  using Type = T;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DeleteObject(h); }
};
using FontHandle = UniqueHandle<GdiObjectTraits<HFONT>>;
using BrushHandle = UniqueHandle<GdiObjectTraits<HBRUSH>>;

struct WindowHandleTraits {
  using Type = HWND;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DestroyWindow(h); }
};
using WindowHandle = UniqueHandle<WindowHandleTraits>;

}  // namespace glimmet::platform
