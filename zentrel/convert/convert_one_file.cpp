#include "convert_one_file.h"

#include <windows.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "convert_strings.h"
#include "nkf32/verbatim_path.h"
#include "nkf32_api.h"
#include "zentrel/convert/output_target.h"
#include "zentrel/settings/settings_store.h"

namespace zentrel {
namespace {

DWORD LengthWithTerminator(const std::wstring& text) { return static_cast<DWORD>(text.size() + 1); }

bool AskYesNo(const std::wstring& text) {
  return MessageBoxW(nullptr, text.c_str(), L"WARNING", MB_ICONEXCLAMATION | MB_YESNO) == IDYES;
}

// Gives `path` the attributes `wanted`. A freshly written file mostly has them already (an ordinary
// file's are just "archive"), and reading them costs a tenth of setting them under Wine.
void RestoreAttributes(const std::wstring& path, DWORD wanted) {
  const std::wstring literal = nkf::VerbatimPath(path);
  if (GetFileAttributesW(literal.c_str()) != wanted) SetFileAttributesW(literal.c_str(), wanted);
}

// Attributes by the literal name, as the library opens the file ("aux.txt" is a file, not a device).
DWORD AttributesOf(const std::wstring& path) { return GetFileAttributesW(nkf::VerbatimPath(path).c_str()); }

int ConvertInPlace(const std::wstring& source, ConvertQuestions& questions) {
  const DWORD attributes = AttributesOf(source);
  // A file that vanished since it was listed: nothing to ask about, nothing to convert.
  if (attributes == INVALID_FILE_ATTRIBUTES) return kConvertFailed;
  if ((attributes & FILE_ATTRIBUTE_HIDDEN) && !questions.ConvertHiddenFile(source)) return kConvertSkipped;
  if ((attributes & FILE_ATTRIBUTE_READONLY) && !questions.ConvertReadOnlyFile(source)) return kConvertSkipped;

  // Only these attributes stand in the way of replacing the file; clearing the others would cost a
  // file system call per file for nothing (they are set back below in any case).
  constexpr DWORD kInTheWay = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (attributes & kInTheWay) SetFileAttributesW(nkf::VerbatimPath(source).c_str(), FILE_ATTRIBUTE_NORMAL);
  const BOOL converted = NkfFileConvert1SafeW(source.c_str(), LengthWithTerminator(source));
  // A file with only the archive attribute has it again whatever the outcome: the library's
  // replacement is a new file, and every new file starts with just that one.
  if (attributes != FILE_ATTRIBUTE_ARCHIVE) RestoreAttributes(source, attributes);
  return converted ? kConvertSucceeded : kConvertFailed;
}

int ConvertIntoFolder(const ConversionRequest& request, const std::wstring& source,
                      const std::wstring& dropRoot, OutputGuard* guard, std::size_t row) {
  const OutputTarget target = OutputTargetFor(source, dropRoot, request.outputFolder);
  // By the literal name: SHCreateDirectoryExW stops at MAX_PATH, and an output tree below a deep
  // drop root passes it.
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(nkf::VerbatimPath(target.folder)), ignored);
  if (guard && guard->Check(row, target.path)) return kConvertFailed;
  // An existing hidden or read-only target is overwritten like any other.
  SetFileAttributesW(nkf::VerbatimPath(target.path).c_str(), FILE_ATTRIBUTE_NORMAL);
  const BOOL converted = NkfFileConvert2SafeW(source.c_str(), LengthWithTerminator(source),
                                              target.path.c_str(), LengthWithTerminator(target.path));
  const DWORD sourceAttributes = AttributesOf(source);
  if (sourceAttributes != INVALID_FILE_ATTRIBUTES) RestoreAttributes(target.path, sourceAttributes);
  if (guard && converted) guard->Written(row, target.path);
  return converted ? kConvertSucceeded : kConvertFailed;
}

}  // namespace

bool MessageBoxQuestions::ConvertHiddenFile(const std::wstring& path) {
  return AskYesNo(path + convert_text::kHiddenQuestion);
}

bool MessageBoxQuestions::ConvertReadOnlyFile(const std::wstring& path) {
  return AskYesNo(path + convert_text::kReadOnlyQuestion);
}

ConverterChoices ChoicesOf(const ConversionRequest& request) {
  ConverterChoices choices;
  choices.encodingChoice = request.encodingChoice;
  choices.eolChoice = request.eolChoice;
  choices.cp932 = request.settings->GetSetting(setting::kCp932) != 0;
  choices.bom8 = request.settings->GetSetting(setting::kBom8) != 0;
  choices.bom16 = request.settings->GetSetting(setting::kBom16) != 0;
  return choices;
}

int FileConverter::Convert(const std::wstring& source, const std::wstring& inspectedEncoding,
                           const std::wstring& dropRoot, std::size_t row) {
  std::string options = BuildConverterOptions(inspectedEncoding, choices_);
  if (options != optionsInEffect_) {
    // A refused option text leaves the old one in effect: try again for the next file.
    optionsInEffect_ = SetNkfOption(options.c_str()) != 0 ? std::move(options) : std::string();
  }
  return request_.replace ? ConvertInPlace(source, questions_)
                          : ConvertIntoFolder(request_, source, dropRoot, guard_, row);
}

}  // namespace zentrel
