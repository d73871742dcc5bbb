#include "nkf32/file_convert.h"

#include <memory>
#include <optional>
#include <vector>

#include "platform/file_io.h"

namespace nkf {
namespace {

constexpr std::size_t kChunk = 256 * 1024;

// The input and output buffers of a file held whole stay with the thread for its next file: a batch
// of ordinary files then asks for no fresh memory per file (under Wine every new large block is
// mapped and faulted in page by page, which cost as much as converting the file). Buffers grown
// beyond kKeptCapacity are given back when the file is done.
constexpr std::size_t kKeptCapacity = std::size_t{8} << 20;

class ThreadBuffers {
 public:
  ThreadBuffers() : buffers_(Kept()) {
    buffers_.held.clear();
    buffers_.out.clear();
  }
  ~ThreadBuffers() {
    if (buffers_.held.capacity() > kKeptCapacity) std::vector<std::uint8_t>().swap(buffers_.held);
    if (buffers_.out.capacity() > kKeptCapacity) std::vector<std::uint8_t>().swap(buffers_.out);
  }
  ThreadBuffers(const ThreadBuffers&) = delete;
  ThreadBuffers& operator=(const ThreadBuffers&) = delete;

  std::vector<std::uint8_t>& held() { return buffers_.held; }
  std::vector<std::uint8_t>& out() { return buffers_.out; }
  void ReleaseHeld() { std::vector<std::uint8_t>().swap(buffers_.held); }

 private:
  struct Buffers {
    std::vector<std::uint8_t> held, out;
  };
  static Buffers& Kept() {
    thread_local Buffers buffers;
    return buffers;
  }
  Buffers& buffers_;
};

// Called at once after the failing file operation, whose cause it keeps.
ConvertResult IoFailure(Encoding input = Encoding::Ascii) {
  ConvertResult r;
  r.error = ConvertError::Io;
  r.ioCause = detail::LastIoCause();
  r.input = input;
  return r;
}

// Reads from the start of `in` into `held` until the end of the file or until more than `limit`
// bytes have come. Returns false on a read error; `complete` tells whether the end was reached.
bool ReadUpTo(detail::SourceFile& in, std::vector<std::uint8_t>& held, std::size_t limit, bool& complete) {
  complete = false;
  for (;;) {
    const std::size_t used = held.size();
    held.resize(used + kChunk);
    const std::ptrdiff_t n = in.Read(held.data() + used, kChunk);
    if (n < 0) return false;
    held.resize(used + static_cast<std::size_t>(n));
    if (n == 0) {
      complete = true;
      return true;
    }
    if (held.size() > limit) return true;
  }
}

// Where a conversion writes: the file it replaces, and whether that is the source itself.
struct Target {
  std::filesystem::path path;
  bool inPlace = false;
};

// The whole input is in memory: convert it there and write the result in one go.
ConvertResult ConvertHeld(detail::SourceFile& in, const std::vector<std::uint8_t>& held,
                          std::vector<std::uint8_t>& out, const Target& target,
                          const ConvertOptions& options, const GuessResult& guess) {
  ConvertResult result = ConvertWithGuess(held, guess, options, out);
  if (!result.ok()) return result;
  detail::ReplacementFile outFile;
  if (!outFile.Create(target.path, target.inPlace ? &in : nullptr) || !outFile.Write(out.data(), out.size()))
    return IoFailure(guess.encoding);
  in.Close();  // the source may be the destination: let the rename replace it
  if (!outFile.Commit()) return IoFailure(guess.encoding);
  return result;
}

// Converts the whole of `in` (at its start) chunk by chunk into the replacement file.
ConvertResult ConvertStreaming(detail::SourceFile& in, const Target& target, const ConvertOptions& options,
                               const GuessResult& guess) {
  ConvertResult result;
  result.input = guess.encoding;
  if (options.guessOnly) return result;
  ConversionPlan plan;
  result = PlanConversion(options, guess, plan);
  if (!result.ok()) return result;

  auto buffer = std::make_unique<std::uint8_t[]>(kChunk);
  detail::ReplacementFile outFile;
  if (!outFile.Create(target.path, target.inPlace ? &in : nullptr)) return IoFailure(guess.encoding);
  StreamConverter converter(plan);
  std::vector<std::uint8_t> out;
  out.reserve(kChunk * 2);
  for (;;) {
    std::ptrdiff_t n = in.Read(buffer.get(), kChunk);
    if (n < 0) return IoFailure(guess.encoding);
    out.clear();
    result = n == 0 ? converter.Finish(out) : converter.Feed({buffer.get(), static_cast<std::size_t>(n)}, out);
    if (!result.ok()) return result;
    if (!outFile.Write(out.data(), out.size())) return IoFailure(guess.encoding);
    if (n == 0) break;
  }
  in.Close();
  if (!outFile.Commit()) return IoFailure(guess.encoding);
  return result;
}

// Where the result goes: in place (the same path), through a symbolic link to the file it names.
Target TargetOf(const detail::SourceFile& in, const std::filesystem::path& source,
                const std::filesystem::path& destination) {
  if (source != destination) return Target{destination, false};
  return Target{detail::InPlaceTarget(in, destination), true};
}

// In place, a file with several names is not replaced under one of them (ConvertError::SeveralNames).
std::optional<ConvertResult> Refusal(const detail::SourceFile& in, const Target& target, Encoding input) {
  if (!target.inPlace || in.NameCount() < 2) return std::nullopt;
  return ConvertResult{.error = ConvertError::SeveralNames, .input = input};
}

// Guesses the open file `in` (at its start) and converts it.
ConvertResult ConvertGuessing(detail::SourceFile& in, const Target& target,
                              const ConvertOptions& options, std::size_t heldWholeLimit) {
  ThreadBuffers buffers;
  std::vector<std::uint8_t>& held = buffers.held();
  bool complete = false;
  if (!ReadUpTo(in, held, heldWholeLimit, complete)) return IoFailure();
  if (complete) {
    const GuessResult guess = GuessEncoding(held);
    if (options.guessOnly) return ConvertResult{.input = guess.encoding};
    return ConvertHeld(in, held, buffers.out(), target, options, guess);
  }

  // Too large to hold: the guess needs the whole input before the first byte can be written, so
  // the file is read to its end for the guess, then again to convert.
  EncodingGuesser guesser;
  guesser.Feed(held);
  buffers.ReleaseHeld();
  auto buffer = std::make_unique<std::uint8_t[]>(kChunk);
  for (;;) {
    std::ptrdiff_t n = in.Read(buffer.get(), kChunk);
    if (n < 0) return IoFailure();
    if (n == 0) break;
    guesser.Feed({buffer.get(), static_cast<std::size_t>(n)});
  }
  const GuessResult guess = guesser.Finish();
  if (!options.guessOnly && !in.Rewind()) return IoFailure(guess.encoding);
  return ConvertStreaming(in, target, options, guess);
}

// Converts the open file `in` (at its start) whose encoding is known.
ConvertResult ConvertKnown(detail::SourceFile& in, const Target& target,
                           const ConvertOptions& options, const GuessResult& guess,
                           std::size_t heldWholeLimit) {
  if (options.guessOnly) return ConvertResult{.input = guess.encoding};
  ThreadBuffers buffers;
  bool complete = false;
  if (!ReadUpTo(in, buffers.held(), heldWholeLimit, complete)) return IoFailure(guess.encoding);
  if (complete) return ConvertHeld(in, buffers.held(), buffers.out(), target, options, guess);
  buffers.ReleaseHeld();
  if (!in.Rewind()) return IoFailure(guess.encoding);
  return ConvertStreaming(in, target, options, guess);
}

}  // namespace

ConvertResult ConvertFile(const std::filesystem::path& source, const std::filesystem::path& destination,
                          const ConvertOptions& options, std::size_t heldWholeLimit) {
  detail::SourceFile in;
  if (!in.Open(source)) return IoFailure();
  const Target target = TargetOf(in, source, destination);
  if (auto refused = Refusal(in, target, Encoding::Ascii)) return *refused;
  return ConvertGuessing(in, target, options, heldWholeLimit);
}

ConvertResult ConvertFile(const std::filesystem::path& source, const std::filesystem::path& destination,
                          const ConvertOptions& options, const GuessResult& guess, std::size_t heldWholeLimit) {
  detail::SourceFile in;
  if (!in.Open(source)) return IoFailure(guess.encoding);
  const Target target = TargetOf(in, source, destination);
  if (auto refused = Refusal(in, target, guess.encoding)) return *refused;
  return ConvertKnown(in, target, options, guess, heldWholeLimit);
}

ConvertResult ConvertFile(const std::filesystem::path& source, const std::filesystem::path& destination,
                          const ConvertOptions& options, const GuessResult& guess,
                          const FileStamp& guessedAs, std::size_t heldWholeLimit) {
  detail::SourceFile in;
  if (!in.Open(source)) return IoFailure(guess.encoding);
  const std::optional<FileStamp> now = in.Stamp();
  const Target target = TargetOf(in, source, destination);
  if (auto refused = Refusal(in, target, guess.encoding)) return *refused;
  if (!now || *now != guessedAs) return ConvertGuessing(in, target, options, heldWholeLimit);
  return ConvertKnown(in, target, options, guess, heldWholeLimit);
}

}  // namespace nkf
