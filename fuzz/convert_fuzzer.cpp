// libFuzzer target for the converter: any option the conversion builds, any input, guessed or read
// as a chosen encoding. No crash, no sanitizer report, the direct paths agree with the general path,
// and a successful conversion reads back as the same text (modulo the documented normalisations of
// the output encoding).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "nkf32/convert.h"
#include "nkf32/options.h"

namespace {

using nkf::Encoding;

constexpr const char* kOptions[] = {
    "-g",     "-",          "-s",     "-e",     "-j",      "-w8",      "-w80",       "-w16L",
    "-w16L0", "-w16B",      "-w16B0", "-Lw",    "-Lm",     "-Lu",      "-sLw",       "-eLm",
    "-jLu",   "-w80Lu",     "-w16L0Lm", "-w16BLw", "--ic=CP932 -w80Lu", "--ic=CP932 -s", "--ic=CP932 -Lw",
    "--ic=CP932 -j", "--ic=CP932 -w16L0",
};
constexpr Encoding kInputs[] = {Encoding::Ascii,   Encoding::ShiftJis, Encoding::Cp932,   Encoding::EucJp,
                                Encoding::Iso2022Jp, Encoding::Utf8,   Encoding::Utf16LE, Encoding::Utf16BE,
                                Encoding::Utf32LE, Encoding::Utf32BE};

// The text as code points: the input converted to UTF-32LE with `plan`'s line ends.
bool ToCodePoints(std::span<const std::uint8_t> bytes, nkf::ConversionPlan plan, std::vector<char32_t>& cps) {
  plan.output = Encoding::Utf32LE;
  plan.outputBom = false;
  plan.sameEncoding = plan.input == Encoding::Utf32LE;
  std::vector<std::uint8_t> out;
  nkf::StreamConverter s(plan);
  if (!s.Feed(bytes, out).ok() || !s.Finish(out).ok()) return false;
  cps.resize(out.size() / 4);
  for (std::size_t i = 0; i < cps.size(); ++i)
    cps[i] = out[4 * i] | out[4 * i + 1] << 8 | out[4 * i + 2] << 16 | char32_t{out[4 * i + 3]} << 24;
  return true;
}

// The JIS and Microsoft code points of one Shift_JIS character are one character in the legacy
// encodings: compare them as one.
char32_t Canonical(char32_t cp) {
  switch (cp) {
    case 0xFF5E: return 0x301C;
    case 0x2225: return 0x2016;
    case 0xFF0D: return 0x2212;
    case 0xFFE0: return 0xA2;
    case 0xFFE1: return 0xA3;
    case 0xFFE2: return 0xAC;
    default: return cp;
  }
}

bool IsLegacy(Encoding e) {
  return e == Encoding::ShiftJis || e == Encoding::Cp932 || e == Encoding::EucJp || e == Encoding::Iso2022Jp;
}

void CheckRoundTrip(std::span<const std::uint8_t> input, const nkf::ConversionPlan& plan,
                    const std::vector<std::uint8_t>& output) {
  std::vector<char32_t> original, back;
  if (!ToCodePoints(input, plan, original)) std::abort();  // the conversion succeeded, so must this
  nkf::ConversionPlan reread;
  reread.input = plan.output == Encoding::ShiftJis ? Encoding::Cp932 : plan.output;
  reread.cp932Input = true;
  reread.inputBom = plan.outputBom ? (plan.output == Encoding::Utf8 ? 3 : plan.output == Encoding::Utf16LE ||
                                                                            plan.output == Encoding::Utf16BE ? 2 : 4)
                                   : 0;
  if (!ToCodePoints(output, reread, back)) std::abort();  // our own output must read back
  if (plan.output == Encoding::Iso2022Jp) {
    for (char32_t c : original) {
      if (c >= 0xFF61 && c <= 0xFF9F) return;  // half-width katakana become full width there, by design
    }
  }
  bool legacy = IsLegacy(plan.output);
  if (original.size() != back.size()) std::abort();
  for (std::size_t i = 0; i < original.size(); ++i) {
    char32_t a = legacy ? Canonical(original[i]) : original[i];
    char32_t b = legacy ? Canonical(back[i]) : back[i];
    // EUC-JP's JIS X 0212 tilde reads as '~' and is written back as '~'.
    if (a != b) std::abort();
  }
}

// The direct paths must give what the general path alone gives: the same bytes, or the same refusal
// at the same place.
void CheckDirectPaths(std::span<const std::uint8_t> input, nkf::ConversionPlan plan,
                      const nkf::ConvertResult& result, const std::vector<std::uint8_t>& output) {
  plan.directPaths = false;
  std::vector<std::uint8_t> general;
  nkf::StreamConverter s(plan);
  nkf::ConvertResult r = s.Feed(input, general);
  if (r.ok()) r = s.Finish(general);
  if (r.error != result.error || r.position != result.position || r.codePoint != result.codePoint) std::abort();
  if (r.ok() && general != output) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  nkf::OptionsResult options = nkf::ParseOptions(kOptions[data[0] % std::size(kOptions)]);
  if (!options.ok) std::abort();
  std::span<const std::uint8_t> input(data + 2, size - 2);
  std::vector<std::uint8_t> out;

  // As the library is called: guessed input.
  nkf::ConvertResult r = nkf::ConvertBuffer(input, options.options, out);
  if (!r.ok() && !out.empty()) std::abort();

  // As a chosen encoding, which drives every decoder over arbitrary bytes.
  std::uint8_t pick = data[1];
  nkf::GuessResult guess{kInputs[pick % std::size(kInputs)], (pick & 0x80) != 0, input.size()};
  if (guess.hasBom) {
    static const std::vector<std::uint8_t> boms[] = {{}, {}, {}, {}, {}, {0xEF, 0xBB, 0xBF}, {0xFF, 0xFE},
                                                     {0xFE, 0xFF}, {0xFF, 0xFE, 0, 0}, {0, 0, 0xFE, 0xFF}};
    const auto& bom = boms[pick % std::size(kInputs)];
    if (bom.empty() || input.size() < bom.size() || !std::equal(bom.begin(), bom.end(), input.begin()))
      guess.hasBom = false;
  }
  nkf::ConvertOptions o = options.options;
  o.guessOnly = false;
  r = nkf::ConvertWithGuess(input, guess, o, out);
  nkf::ConversionPlan plan;
  if (nkf::PlanConversion(o, guess, plan).ok()) CheckDirectPaths(input, plan, r, out);
  if (!r.ok()) {
    if (!out.empty() || r.position > input.size()) std::abort();
    return 0;
  }
  if (!nkf::PlanConversion(o, guess, plan).ok()) std::abort();
  CheckRoundTrip(input, plan, out);
  return 0;
}
