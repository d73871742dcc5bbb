#pragma once
// Converting one listed file through nkf32.dll, in place or into the output folder.

#include <string>

#include "zentrel/convert/conversion_request.h"
#include "zentrel/convert/converter_options.h"
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

// The settings of a conversion (the code page 932 hint and the byte-order marks) beside the
// encoding and line ending chosen in the request. Read on the window's thread when a job starts.
ConverterChoices ChoicesOf(const ConversionRequest& request);

// Converts a job's files one after the other. The library keeps its option text between calls, so
// it is set again only when a file needs another one; nothing else may set it meanwhile.
class FileConverter {
 public:
  // Into the output folder, `guard` (knowing the job's rows) refuses a target that is a listed file
  // or another row's output.
  FileConverter(const ConversionRequest& request, ConverterChoices choices, ConvertQuestions& questions,
                OutputGuard* guard = nullptr)
      : request_(request), choices_(choices), questions_(questions), guard_(guard) {}

  // source: the row's path; inspectedEncoding: the row's encoding text; dropRoot: the dropped item
  // the row came from; row: its index for the guard. A target the guard refuses gives
  // kConvertFailed with nothing written. Returns kConvertSkipped, kConvertFailed or
  // kConvertSucceeded.
  int Convert(const std::wstring& source, const std::wstring& inspectedEncoding, const std::wstring& dropRoot,
              std::size_t row = 0);

 private:
  const ConversionRequest& request_;
  ConverterChoices choices_;
  ConvertQuestions& questions_;
  OutputGuard* guard_;
  std::string optionsInEffect_;  // empty until this converter has set the library's options
};

}  // namespace zentrel
