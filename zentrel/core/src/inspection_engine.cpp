#include "zentrel/core/inspection_engine.h"

#include <algorithm>
#include <new>
#include <utility>

#include "nkf32/file_convert.h"
#include "zentrel/core/encoding_verdict.h"

namespace zentrel {

namespace {

constexpr std::wstring_view kStatusPrefix = L"Check: ";

// Reads until `into` is full or the file gives no more; a file that shrank since it was measured is
// examined as far as it could be read.
std::size_t ReadFully(ReadableFile& file, std::span<std::uint8_t> into) {
  std::size_t done = 0;
  while (done < into.size()) {
    const std::size_t got = file.Read(into.subspan(done));
    if (got == 0) break;
    done += got;
  }
  return done;
}

std::wstring StatusText(std::wstring_view subject) {
  std::wstring text(kStatusPrefix);
  text += subject;
  return text;
}

InspectError Unreachable(PathKind kind) {
  switch (kind) {
    case PathKind::NoAccess: return InspectError::NoAccess;
    case PathKind::NameTooLong: return InspectError::NameTooLong;
    default: return InspectError::NotFound;
  }
}

ResultRow MakeRow(const std::wstring& path, Verdict verdict) {
  return {path, std::move(verdict.encoding), std::wstring(LineEndingText(verdict.lineEnding))};
}

}  // namespace

std::uint64_t ExaminedLength(std::uint64_t fileSize, int readSize) {
  if (readSize > 0 && static_cast<std::uint64_t>(readSize) < fileSize) {
    return static_cast<std::uint64_t>(readSize);
  }
  return fileSize;
}

InspectionEngine::InspectionEngine(FileSystem& files, SettingsReader& settings, Guesser& guesser,
                                   InspectionSink& sink, EngineOptions options)
    : files_(files), settings_(settings), guesser_(guesser), sink_(sink), options_(options) {}

void InspectionEngine::InspectPath(const std::wstring& path, int rowIndex) { Walk(path, rowIndex, patterns_); }

void InspectionEngine::Walk(const std::wstring& path, int rowIndex, PatternCache& patterns) {
  const std::vector<std::wstring> entries = settings_.ReadIgnoreList();
  const int checkType = settings_.Get(setting::kCheckType);
  const bool regexMode = settings_.Get(setting::kStringType) != 0;

  const PathKind kind = files_.Kind(path);
  if (kind == PathKind::File || kind == PathKind::Other) {
    ConsiderFile(path, kind, rowIndex, entries, checkType, regexMode, patterns);
    return;
  }
  sink_.SetStatus(StatusText(path));
  if (kind != PathKind::Directory) {
    // A row re-checked after a conversion whose file has gone keeps its cells: the job has already
    // reported that file.
    if (rowIndex < 0) sink_.ReportError(path, Unreachable(kind));
    return;
  }
  const std::unique_ptr<DirectoryListing> listing = files_.List(path);
  if (!listing) {
    sink_.ReportError(path, InspectError::CannotList);
    return;
  }
  std::wstring name;
  while (listing->Next(name)) {
    // A conversion's temporary file (of this or another process, or left by one that died) is
    // never listed: it is not the user's file.
    if (name == L"." || name == L".." || nkf::IsConversionTemporary(name)) continue;
    std::wstring child = path;
    child += options_.separator;
    child += name;
    Walk(child, rowIndex, patterns);
  }
}

void InspectionEngine::ConsiderFile(const std::wstring& path, PathKind kind, int rowIndex,
                                    const std::vector<std::wstring>& entries, int checkType,
                                    bool regexMode, PatternCache& patterns) {
  const std::wstring_view fileName = FileNameOf(path, options_.separator);
  const std::wstring status = StatusText(fileName);
  const bool wholePath = settings_.Get(setting::kUseFullPath) != 0;
  const std::wstring_view compared = wholePath ? std::wstring_view(path) : fileName;
  // The status shows the file name even when the whole path is compared.
  sink_.SetStatus(status);
  const int matches = CountMatches(entries, regexMode, compared, patterns);
  for (const std::wstring& refused : patterns.TakeRefused()) {
    // Once per engine, not once per walk: a re-check walks every row on its own.
    if (toldRefused_.insert(refused).second) sink_.ReportError(refused, InspectError::RefusedEntry);
  }
  if (!ShouldInspect(checkType, matches)) return;
  // A pipe would block the walk for ever, a device such as /dev/zero never end.
  if (kind == PathKind::Other) {
    sink_.ReportError(path, InspectError::NotRegular);
    return;
  }
  InspectFile(path, rowIndex);
}

void InspectionEngine::InspectFile(const std::wstring& path, int rowIndex) {
  const std::unique_ptr<ReadableFile> file = files_.Open(path);
  if (!file) {
    sink_.ReportError(path, InspectError::CannotOpen);
    return;
  }
  const int readSize = settings_.Get(setting::kReadSize);
  // A small positive read size needs no file size: reading stops at the end of a shorter file,
  // which examines the same bytes and spares a query per file. Larger ones are fitted to the file
  // so that a small file never costs a big buffer.
  const bool smallReadSize =
      readSize > 0 && static_cast<std::uint64_t>(readSize) <= options_.chunkSize;
  const std::uint64_t examined =
      smallReadSize ? static_cast<std::uint64_t>(readSize) : ExaminedLength(file->Size(), readSize);

  if (examined > options_.wholeBufferLimit) {
    InspectInChunks(path, rowIndex, *file, examined);
    return;
  }
  try {
    buffer_.resize(static_cast<std::size_t>(examined));
  } catch (const std::bad_alloc&) {
    buffer_ = {};
    InspectInChunks(path, rowIndex, *file, examined);
    return;
  }
  const std::size_t got = ReadFully(*file, buffer_);
  const std::span<const std::uint8_t> bytes(buffer_.data(), got);
  Verdict verdict = JudgeBytes(guesser_.Guess(bytes), bytes);
  if (buffer_.capacity() > options_.chunkSize)
    buffer_ = {};  // do not hold on to a big file's bytes
  sink_.WriteRow(rowIndex, MakeRow(path, std::move(verdict)));
}

void InspectionEngine::InspectInChunks(const std::wstring& path, int rowIndex, ReadableFile& file,
                                       std::uint64_t examined) {
  std::unique_ptr<GuessStream> guess = guesser_.BeginStream();
  if (!guess) {
    sink_.ReportError(path, InspectError::TooLarge);
    return;
  }
  std::vector<std::uint8_t> chunk(std::max<std::size_t>(options_.chunkSize, 1));
  StreamingJudge judge;
  std::uint64_t left = examined;
  while (left > 0) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, chunk.size()));
    const std::size_t got = ReadFully(file, std::span(chunk.data(), want));
    if (got == 0) break;
    const std::span<const std::uint8_t> bytes(chunk.data(), got);
    guess->Feed(bytes);
    judge.Feed(bytes);
    left -= got;
    if (got < want) break;
  }
  sink_.WriteRow(rowIndex, MakeRow(path, judge.Finish(guess->Finish())));
}

}  // namespace zentrel
