#include "convert_command.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion_failure.h"
#include "zentrel/convert/converter_options.h"
#include "dry_run.h"
#include "option_settings.h"
#include "zentrel/convert/output_guard.h"
#include "zentrel/convert/output_target.h"
#include "row_printer.h"
#include "text_utf8.h"
#include "zentrel/core/inspection_engine.h"
#include "zentrel/core/nkf_core_guesser.h"

namespace zentrel::cli {

namespace {

constexpr int kExitFailed = 1;
// The --to choices as messages name them.
constexpr std::string_view kTargetNames[] = {"Shift_JIS", "EUC-JP",   "UTF-8",
                                             "UTF-16LE",  "UTF-16BE", "ISO-2022-JP"};

// One file met by the walk, in walk order.
struct WalkedFile {
  std::wstring path;
  std::wstring encoding;  // the guess over the examined bytes, "BINARY" included
  std::size_t root = 0;   // the PATH argument it was found under
  std::optional<InspectError> unreadable;  // why the walk could not inspect it
  // The library's verdict when the examined bytes were the whole file, with the file as it stood
  // then: while the file is still that one, the conversion need not guess it again.
  std::optional<KnownGuess> wholeGuess;
};

// The walk's file system, stamping each file just before the engine opens it to guess it: a file
// changed or replaced at any moment after that no longer has the stamp, so the guess is never
// taken for a file it was not made on (a stamp taken after the guess could be the newer file's).
class StampingFileSystem final : public FileSystem {
 public:
  StampingFileSystem(FileSystem& files, ConversionFiles& conversion)
      : files_(files), conversion_(conversion) {}
  PathKind Kind(const std::wstring& path) override { return files_.Kind(path); }
  std::unique_ptr<DirectoryListing> List(const std::wstring& directory) override {
    return files_.List(directory);
  }
  std::unique_ptr<ReadableFile> Open(const std::wstring& path) override {
    lastStamp = stamping ? conversion_.Stamp(path) : std::nullopt;
    return files_.Open(path);
  }

  bool stamping = false;
  std::optional<FileStamp> lastStamp;  // of the file opened last

 private:
  FileSystem& files_;
  ConversionFiles& conversion_;
};

// Lists the walk before anything is written: files the conversion creates (the library's temporary
// files, or an output folder inside the walked tree) must never be met by the walk itself.
class WalkCollector final : public InspectionSink {
 public:
  // keepGuesses: the files will be converted by the library (not a dry run), so a whole-file
  // verdict is worth keeping.
  WalkCollector(std::vector<WalkedFile>& files, NkfCoreGuesser& guesser,
                StampingFileSystem& stamps, int readSize, bool keepGuesses)
      : files_(files),
        guesser_(guesser),
        stamps_(stamps),
        readSize_(readSize),
        keepGuesses_(keepGuesses) {
    stamps_.stamping = keepGuesses;
  }

  void SetRoot(std::size_t root) { root_ = root; }
  void SetStatus(std::wstring_view) override {}
  void WriteRow(int, const ResultRow& row) override {
    WalkedFile& file = files_.emplace_back(WalkedFile{row.path, row.encoding, root_, std::nullopt, std::nullopt});
    // The engine guesses each file just before writing its row.
    const std::optional<NkfGuess> guess = guesser_.TakeLast();
    if (!guess || !keepGuesses_ || row.encoding == L"BINARY") return;
    // A guess that stopped at the read size saw the whole file only if the file is exactly that
    // long; not worth a look at every file.
    if (readSize_ > 0 && guess->bytes >= static_cast<std::uint64_t>(readSize_)) return;
    const std::optional<FileStamp>& stamp = stamps_.lastStamp;
    if (!stamp || stamp->size != guess->bytes) return;
    file.wholeGuess = KnownGuess{guess->result, *stamp};
  }
  void ReportError(std::wstring_view path, InspectError error) override {
    guesser_.TakeLast();
    if (error == InspectError::RefusedEntry) {
      refused.emplace_back(path);
      return;
    }
    files_.push_back({std::wstring(path), {}, root_, error, std::nullopt});
  }

  std::vector<std::wstring> refused;  // ignore-list patterns not used

 private:
  std::vector<WalkedFile>& files_;
  NkfCoreGuesser& guesser_;
  StampingFileSystem& stamps_;
  int readSize_;
  bool keepGuesses_;
  std::size_t root_ = 0;
};

enum class Outcome { Success, Error, Skip };

const char* OutcomeText(Outcome outcome) {
  switch (outcome) {
    case Outcome::Success:
      return "success";
    case Outcome::Error:
      return "ERROR";
    case Outcome::Skip:
      return "skip";
  }
  return "ERROR";
}

class Converter {
 public:
  Converter(const ConvertOptions& options, FileSystem& files, ConversionFiles& conversion,
            wchar_t separator, std::FILE* out, std::FILE* err)
      : options_(options),
        files_(files),
        conversion_(conversion),
        separator_(separator),
        out_(out),
        err_(err) {
    choices_.encodingChoice = options.encodingChoice;
    choices_.eolChoice = options.eolChoice;
    // The settings' fallbacks: the CP932 hint on, no BOM in UTF-8, one in UTF-16.
    choices_.cp932 = true;
    choices_.bom8 = options.bom.value_or(false);
    choices_.bom16 = options.bom.value_or(true);
  }

  // Into an output folder, nothing listed is written over: `guard` knows the files of the job.
  void Guard(OutputGuard& guard, const std::vector<WalkedFile>& walked) {
    guard_ = &guard;
    walked_ = &walked;
  }

  // Prints the file's line (and the reason of a failure); true when it did not fail. `index` is
  // the file's place in the job.
  bool Handle(const WalkedFile& file, std::size_t index) {
    std::string reason;
    const Outcome outcome = Convert(file, index, reason);
    line_.clear();
    if (options_.walk.nulFields) {
      AppendUtf8(line_, file.path);
      line_ += '\0';
      line_ += OutcomeText(outcome);
      line_ += '\0';
    } else {
      AppendEscapedUtf8(line_, file.path, separator_);
      line_ += '\t';
      line_ += OutcomeText(outcome);
      line_ += '\n';
    }
    std::fwrite(line_.data(), 1, line_.size(), out_);
    if (!reason.empty()) {
      // Flushed first so that, on a shared terminal, the reason follows its own line.
      std::fflush(out_);
      std::fprintf(err_, "zentrel-cli: %s: %s\n", Shown(file.path).c_str(), reason.c_str());
    }
    return outcome != Outcome::Error;
  }

 private:
  Outcome Convert(const WalkedFile& file, std::size_t index, std::string& reason) {
    if (file.unreadable) {
      reason = InspectErrorText(*file.unreadable);
      // A pipe or a device is no file to convert, as a binary file is none.
      return *file.unreadable == InspectError::NotRegular ? Outcome::Skip : Outcome::Error;
    }
    if (file.encoding == L"BINARY") return Outcome::Skip;
    const bool inPlace = options_.outputFolder.empty();
    if (inPlace && conversion_.IsReadOnly(file.path)) {
      reason = "read-only file left as it is";
      return Outcome::Skip;
    }
    // The converted file replaces the original under its name; the other names would keep the
    // old content, a copy nobody asked for. The library refuses it; a dry run asks here.
    if (inPlace && options_.dryRun && conversion_.OtherNames(file.path) > 0) return SeveralNames(file, reason);
    const nkf::OptionsResult parsed =
        nkf::ParseOptions(BuildConverterOptions(file.encoding, choices_));
    if (!parsed.ok) {
      reason = "converter options not understood";
      return Outcome::Error;
    }
    // A dry run goes through every check of a real one and converts into nothing.
    const bool dryRun = options_.dryRun;
    nkf::ConvertResult result;
    if (inPlace) {
      result = dryRun ? DryRunConversion(files_, file.path, parsed.options)
                      : conversion_.Convert(file.path, file.path, parsed.options, WholeGuess(file));
    } else {
      const OutputTarget target = OutputTargetFor(file.path, options_.walk.paths[file.root],
                                                  options_.outputFolder, separator_);
      if (!dryRun && !conversion_.CreateFolders(target.folder)) {
        reason = "cannot create folder " + Shown(target.folder);
        return Outcome::Error;
      }
      if (guard_) {
        if (const std::optional<OutputClash> clash = guard_->Check(index, target.path)) {
          reason = ClashText(*clash, target.path);
          return Outcome::Error;
        }
      }
      result = dryRun ? DryRunConversion(files_, file.path, parsed.options)
                      : conversion_.Convert(file.path, target.path, parsed.options, WholeGuess(file));
      if (guard_ && result.ok()) {
        if (dryRun) {
          guard_->Planned(index, target.path);
        } else {
          guard_->Written(index, target.path);
        }
      }
    }
    if (result.ok()) return Outcome::Success;
    if (result.error == nkf::ConvertError::SeveralNames) return SeveralNames(file, reason);
    reason = DescribeFailure(result, TargetName(result), LineOf(file.path, result));
    return Outcome::Error;
  }

  Outcome SeveralNames(const WalkedFile& file, std::string& reason) {
    reason = "file has " + std::to_string(conversion_.OtherNames(file.path) + 1) + " hard links, left as it is";
    return Outcome::Skip;
  }

  // The walk's verdict, which the conversion takes only while the file is unchanged: the same file
  // met twice is replaced by its first conversion, an output file may be a later source, and
  // another process may replace the file at any moment.
  static const KnownGuess* WholeGuess(const WalkedFile& file) {
    return file.wholeGuess ? &*file.wholeGuess : nullptr;
  }

  // A path in a message, escaped as in the lines.
  std::string Shown(std::wstring_view path) const { return EscapedUtf8(path, separator_); }

  std::string ClashText(const OutputClash& clash, const std::wstring& target) const {
    const std::string other = Shown((*walked_)[clash.other].path);
    if (clash.kind == OutputClash::Kind::Target)
      return "not written: " + Shown(target) + " already holds the conversion of " + other;
    return "not written: " + Shown(target) + " is " + other + ", a file of this conversion";
  }

  std::string_view TargetName(const nkf::ConvertResult& result) const {
    if (options_.encodingChoice >= 0) return kTargetNames[options_.encodingChoice];
    return nkf::EncodingName(result.input);  // the encoding was kept
  }

  // The source is unchanged after a failure, so its line can be counted afterwards.
  std::uint64_t LineOf(const std::wstring& path, const nkf::ConvertResult& result) {
    if (result.error != nkf::ConvertError::Unrepresentable) return 0;
    const std::unique_ptr<ReadableFile> file = files_.Open(path);
    return file ? LineAtOffset(*file, result.input, result.position) : 0;
  }

  const ConvertOptions& options_;
  FileSystem& files_;
  ConversionFiles& conversion_;
  wchar_t separator_;
  std::FILE* out_;
  std::FILE* err_;
  ConverterChoices choices_;
  std::string line_;
  OutputGuard* guard_ = nullptr;
  const std::vector<WalkedFile>* walked_ = nullptr;
};

}  // namespace

int RunConvert(const ConvertOptions& options, FileSystem& files, ConversionFiles& conversion,
               wchar_t separator, std::FILE* out, std::FILE* err) {
  std::vector<WalkedFile> walked;
  std::vector<std::wstring> refused;
  {
    OptionSettings settings(options.walk);
    NkfCoreGuesser guesser;
    StampingFileSystem stamping(files, conversion);
    WalkCollector collector(walked, guesser, stamping, options.walk.readSize, !options.dryRun);
    EngineOptions engineOptions;
    engineOptions.separator = separator;
    // Whole files are guessed (unless --readsize says otherwise); over 64 MiB the guess streams in
    // chunks, in bounded memory.
    engineOptions.wholeBufferLimit = std::uint64_t{64} << 20;
    InspectionEngine engine(stamping, settings, guesser, collector, engineOptions);
    for (std::size_t root = 0; root < options.walk.paths.size(); ++root) {
      collector.SetRoot(root);
      engine.InspectPath(options.walk.paths[root], -1);
    }
    refused = std::move(collector.refused);
  }
  for (const std::wstring& entry : refused) {
    std::fprintf(err, "zentrel-cli: %s: %s\n", InspectErrorText(InspectError::RefusedEntry),
                 WideToUtf8(entry).c_str());
  }
  Converter converter(options, files, conversion, separator, out, err);
  std::optional<OutputGuard> guard;
  if (!options.outputFolder.empty()) {
    std::vector<std::wstring> sources;
    sources.reserve(walked.size());
    for (const WalkedFile& file : walked) sources.push_back(file.path);
    guard.emplace(std::move(sources), conversion);
    converter.Guard(*guard, walked);
  }
  bool failed = !refused.empty();
  for (std::size_t i = 0; i < walked.size(); ++i) failed = !converter.Handle(walked[i], i) || failed;
  std::fflush(out);
  return failed ? kExitFailed : 0;
}

}  // namespace zentrel::cli
