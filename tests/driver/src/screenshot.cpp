#include "guidriver/screenshot.h"

#include "guidriver/driver_error.h"
#include "guidriver/process.h"
#include "guidriver/temp_folder.h"
#include "guidriver/unique_handle.h"

#include <vector>

namespace guidriver {

bool DisplayAvailable() {
  wchar_t driver[64] = {};
  DWORD size = sizeof(driver);
  // Wine names its graphics driver here; Windows has no such value and always has a display.
  if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Wine\\Drivers", L"Graphics", RRF_RT_REG_SZ, nullptr,
                     driver, &size) == ERROR_SUCCESS &&
      _wcsicmp(driver, L"null") == 0) {
    return false;
  }
  return ::GetSystemMetrics(SM_CXSCREEN) > 0;
}

namespace {

std::string BitmapFile(int width, int height, const std::vector<unsigned char>& pixels) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(pixels.size());
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
  bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
  bytes.append(reinterpret_cast<const char*>(pixels.data()), pixels.size());
  return bytes;
}

}  // namespace

std::optional<std::wstring> SaveScreenshot(HWND window, const std::wstring& name) {
  if (!DisplayAvailable()) return std::nullopt;
  RECT rect{};
  if (!::GetWindowRect(window, &rect)) ThrowLastError("GetWindowRect failed");
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return std::nullopt;

  WindowDc screen(nullptr);
  MemoryDc memory(::CreateCompatibleDC(screen.Get()));
  GdiObject bitmap(::CreateCompatibleBitmap(screen.Get(), width, height));
  if (!memory || !bitmap) ThrowLastError("cannot create a bitmap for the screenshot");
  HGDIOBJ previous = ::SelectObject(memory.Get(), bitmap.Get());
  ::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
  ::SelectObject(memory.Get(), previous);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  std::vector<unsigned char> pixels(stride * static_cast<size_t>(height));
  if (!::GetDIBits(memory.Get(), static_cast<HBITMAP>(bitmap.Get()), 0, static_cast<UINT>(height),
                   pixels.data(), &info, DIB_RGB_COLORS)) {
    ThrowLastError("GetDIBits failed");
  }

  std::wstring folder = ProgramBesideTest(L"..\\screenshots");
  ::CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring path = folder + L"\\" + name + L".bmp";
  WriteFileBytes(path, BitmapFile(width, height, pixels));
  return path;
}

}  // namespace guidriver
