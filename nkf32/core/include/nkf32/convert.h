#pragma once
// Converting text between the Japanese encodings without losing a character.
//
// The input encoding is always guessed over the whole input (the guesser of guess.h); the output is
// chosen by ConvertOptions. A conversion either succeeds completely or reports why not: nothing of a
// failed conversion is meant to be used.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "nkf32/encoding.h"
#include "nkf32/guess.h"
#include "nkf32/options.h"

namespace nkf {

enum class ConvertError : std::uint8_t {
  None,
  InvalidInput,      // a byte sequence that is not valid in the guessed input encoding (or binary data)
  Unrepresentable,   // a character the output encoding cannot hold
  BadOption,         // option text not understood
  Io,                // reading or writing a file failed
  SeveralNames,      // in place, a file with hard links: replaced under one name, it would part
                     // from the others, which would keep the old content; left as it is
};

// Why a file could not be read or written (ConvertError::Io), as far as the system says.
enum class IoCause : std::uint8_t {
  Unknown,
  NotFound,            // the file or its folder does not exist
  Permission,          // access denied
  ReadOnlyFileSystem,  // the volume is mounted (or marked) read-only
  DiskFull,            // no space left (or a quota reached)
  InUse,               // another program holds the file (a sharing or lock violation)
  NameTooLong,         // the path is longer than the file system allows
};

struct ConvertResult {
  ConvertError error = ConvertError::None;
  IoCause ioCause = IoCause::Unknown;  // with ConvertError::Io
  std::uint64_t position = 0;   // input byte offset of the offending byte or character
  char32_t codePoint = 0;       // the character that could not be written (Unrepresentable)
  Encoding input = Encoding::Ascii;  // the guessed input encoding

  bool ok() const { return error == ConvertError::None; }
};

// How one conversion runs, fixed once the input encoding is known.
struct ConversionPlan {
  Encoding input = Encoding::Ascii;
  bool cp932Input = false;      // Shift_JIS input read with the Microsoft mapping
  std::size_t inputBom = 0;     // bytes of input BOM to skip
  Encoding output = Encoding::Ascii;
  bool outputBom = false;
  LineEnding lineEnding = LineEnding::Keep;
  bool sameEncoding = false;    // bytes are validated and copied, only line endings change
  bool directPaths = true;      // false: the general path alone (tests hold the direct paths to it)
};

// Fails with InvalidInput at `guess.decidedAt` for binary input: there is no text to convert.
ConvertResult PlanConversion(const ConvertOptions& options, const GuessResult& guess, ConversionPlan& plan);

// Converts `input` as a whole. On success `output` holds the converted bytes; on failure it is empty.
// With options.guessOnly only the guess is made (result.input) and `output` stays empty.
ConvertResult ConvertBuffer(std::span<const std::uint8_t> input, const ConvertOptions& options,
                            std::vector<std::uint8_t>& output);

// Converts `input` whose encoding is already known (from a guess made elsewhere, or a test).
ConvertResult ConvertWithGuess(std::span<const std::uint8_t> input, const GuessResult& guess,
                               const ConvertOptions& options, std::vector<std::uint8_t>& output);

// The second pass of a conversion in bounded memory: feed the input in chunks of any size (a
// multibyte character may straddle two chunks); converted bytes are appended to `out`. After the
// first failure every call returns that failure.
class StreamConverter {
 public:
  explicit StreamConverter(const ConversionPlan& plan);
  ~StreamConverter();
  StreamConverter(const StreamConverter&) = delete;
  StreamConverter& operator=(const StreamConverter&) = delete;

  ConvertResult Feed(std::span<const std::uint8_t> chunk, std::vector<std::uint8_t>& out);
  // The end of the input: a cut-off character fails here; pending line ends are written.
  ConvertResult Finish(std::vector<std::uint8_t>& out);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace nkf
