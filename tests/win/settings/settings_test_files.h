#pragma once
// File helpers for the settings tests: each test works in its own empty folder under the temp
// path, removed again afterwards.

#include <string>

namespace zentrel::test {

class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

void WriteBytes(const std::wstring& path, const std::string& bytes);
// The file's bytes; "<missing>" when it cannot be read.
std::string ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
void MakeFolder(const std::wstring& path);

}  // namespace zentrel::test
