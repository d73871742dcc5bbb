#pragma once
// The Windows conversion edge: UTF-16 paths as they are, file attributes kept across the
// replacement (the library's new file would otherwise come out with normal attributes).

#include "conversion_files.h"

namespace zentrel::cli {

class Win32ConversionFiles final : public ConversionFiles {
 public:
  bool IsReadOnly(const std::wstring& path) override;
  std::uint64_t OtherNames(const std::wstring& path) override;
  std::optional<FileStamp> Stamp(const std::wstring& path) override;
  bool CreateFolders(const std::wstring& folder) override;
  std::optional<FileId> IdOf(const std::wstring& path) override;
  nkf::ConvertResult Convert(const std::wstring& source, const std::wstring& destination,
                             const nkf::ConvertOptions& options, const KnownGuess* known) override;
};

}  // namespace zentrel::cli
