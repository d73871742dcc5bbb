#pragma once
// Converting one listed file through nkf32.dll, in place or into the output folder.

#include <string>

#include "zentrel/convert/conversion_request.h"
#include "zentrel/convert/output_guard.h"

namespace zentrel {

enum ConvertResult : int {
  kConvertSkipped = -1,  // the user declined to touch a hidden or read-only file
  kConvertFailed = 0,
  kConvertSucceeded = 1,
};

// Asks before a hidden or read-only file is converted in place; true to go ahead.
class ConvertQuestions {
 public:
  virtual ~ConvertQuestions() = default;
  virtual bool ConvertHiddenFile(const std::wstring& path) = 0;
  virtual bool ConvertReadOnlyFile(const std::wstring& path) = 0;
};

// The questions as owner-less "WARNING" message boxes with Yes and No.
class MessageBoxQuestions final : public ConvertQuestions {
 public:
  bool ConvertHiddenFile(const std::wstring& path) override;
  bool ConvertReadOnlyFile(const std::wstring& path) override;
};

// source: the row's path; inspectedEncoding: the row's encoding text; dropRoot: the dropped item the
// row came from. Into the output folder, `guard` (knowing the job's rows, `row` being this one's)
// refuses a target that is a listed file or another row's output: kConvertFailed, nothing written.
// Returns kConvertSkipped, kConvertFailed or kConvertSucceeded.
int ConvertOneFile(const ConversionRequest& request, const std::wstring& source,
                   const std::wstring& inspectedEncoding, const std::wstring& dropRoot,
                   ConvertQuestions& questions, OutputGuard* guard = nullptr, std::size_t row = 0);

}  // namespace zentrel
