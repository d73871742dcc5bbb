// A fresh empty folder for one test, deleted with everything in it when the owner goes.
// Declare it before the Process that works in it: owners are destroyed in reverse order, so the
// process has ended (and closed its files) before the folder is removed.
#pragma once

#include <string>
#include <vector>

namespace guidriver {

class TempFolder {
 public:
  TempFolder();  // a new uniquely named folder in the user's temporary folder
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

bool FileExists(const std::wstring& path);
// The file's bytes; throws DriverError when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

}  // namespace guidriver
