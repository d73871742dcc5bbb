#include "nkf32/convert.h"

namespace nkf {
namespace {

std::size_t BomSize(Encoding e) {
  switch (e) {
    case Encoding::Utf8: return 3;
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: return 2;
    case Encoding::Utf32LE:
    case Encoding::Utf32BE: return 4;
    default: return 0;
  }
}

bool IsShiftJisFamily(Encoding e) { return e == Encoding::ShiftJis || e == Encoding::Cp932; }

// True when the input bytes are already valid output: then they are validated and copied, not
// re-encoded, so that nothing but the line ends (and the BOM) can change.
bool SameEncoding(Encoding in, Encoding out) {
  if (in == Encoding::Iso2022Jp || out == Encoding::Iso2022Jp) return false;  // re-encoded: designations
  if (IsShiftJisFamily(in) && IsShiftJisFamily(out)) return true;
  if (in == Encoding::Ascii)
    return out == Encoding::Ascii || IsShiftJisFamily(out) || out == Encoding::EucJp || out == Encoding::Utf8;
  return in == out;
}

}  // namespace

ConvertResult PlanConversion(const ConvertOptions& options, const GuessResult& guess, ConversionPlan& plan) {
  ConvertResult result;
  result.input = guess.encoding;
  if (guess.encoding == Encoding::Binary) {
    result.error = ConvertError::InvalidInput;
    return result;
  }
  plan = {};
  plan.input = guess.encoding;
  plan.cp932Input = guess.encoding == Encoding::Cp932 || (guess.encoding == Encoding::ShiftJis && options.cp932Hint);
  plan.inputBom = guess.hasBom ? BomSize(guess.encoding) : 0;
  if (options.output) {
    plan.output = *options.output;
    plan.outputBom = options.outputBom && BomSize(plan.output) != 0;
  } else {
    plan.output = guess.encoding;
    plan.outputBom = guess.hasBom;
  }
  plan.lineEnding = options.lineEnding;
  plan.sameEncoding = SameEncoding(plan.input, plan.output);
  return result;
}

}  // namespace nkf
