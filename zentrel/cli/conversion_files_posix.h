#pragma once
// The Linux conversion edge: wide paths back to their file-name bytes, permission bits.

#include "conversion_files.h"

namespace zentrel::cli {

class PosixConversionFiles final : public ConversionFiles {
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
