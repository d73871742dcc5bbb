#include <algorithm>
#include <memory>
#include <variant>

#include "decoder.h"
#include "encoder.h"
#include "fast_paths.h"
#include "line_end_copy.h"
#include "nkf32/convert.h"

namespace nkf {
namespace {

using detail::Decoder;
using detail::DecodeStatus;

using AnyEncoder = std::variant<detail::AsciiEncoder, detail::SjisEncoder, detail::EucEncoder,
                                detail::Iso2022Encoder, detail::Utf8Encoder, detail::Utf16Encoder<false>,
                                detail::Utf16Encoder<true>, detail::Utf32Encoder<false>,
                                detail::Utf32Encoder<true>>;

AnyEncoder MakeEncoder(Encoding e) {
  switch (e) {
    case Encoding::ShiftJis:
    case Encoding::Cp932: return detail::SjisEncoder{};
    case Encoding::EucJp: return detail::EucEncoder{};
    case Encoding::Iso2022Jp: return detail::Iso2022Encoder{};
    case Encoding::Utf8: return detail::Utf8Encoder{};
    case Encoding::Utf16LE: return detail::Utf16Encoder<false>{};
    case Encoding::Utf16BE: return detail::Utf16Encoder<true>{};
    case Encoding::Utf32LE: return detail::Utf32Encoder<false>{};
    case Encoding::Utf32BE: return detail::Utf32Encoder<true>{};
    default: return detail::AsciiEncoder{};
  }
}

detail::UnitFormat UnitOf(Encoding e) {
  switch (e) {
    case Encoding::Utf16LE: return {2, false};
    case Encoding::Utf16BE: return {2, true};
    case Encoding::Utf32LE: return {4, false};
    case Encoding::Utf32BE: return {4, true};
    default: return {1, false};
  }
}

void AppendBom(Encoding e, std::vector<std::uint8_t>& out) {
  switch (e) {
    case Encoding::Utf8: out.insert(out.end(), {0xEF, 0xBB, 0xBF}); break;
    case Encoding::Utf16LE: out.insert(out.end(), {0xFF, 0xFE}); break;
    case Encoding::Utf16BE: out.insert(out.end(), {0xFE, 0xFF}); break;
    case Encoding::Utf32LE: out.insert(out.end(), {0xFF, 0xFE, 0x00, 0x00}); break;
    case Encoding::Utf32BE: out.insert(out.end(), {0x00, 0x00, 0xFE, 0xFF}); break;
    default: break;
  }
}

// Writes the code points through `enc`, turning line ends into `Ending`. Returns the index of the
// first code point the encoder refused, or n.
template <LineEnding Ending, class Enc>
std::size_t EncodeBatch(Enc& enc, bool& pendingCr, const char32_t* cps, std::size_t n, std::uint8_t*& o) {
  auto eol = [&] {
    if constexpr (Ending != LineEnding::Lf) enc.Put('\r', o);
    if constexpr (Ending != LineEnding::Cr) enc.Put('\n', o);
  };
  for (std::size_t i = 0; i < n; ++i) {
    char32_t cp = cps[i];
    if constexpr (Ending != LineEnding::Keep) {
      if (cp == '\r' || cp == '\n' || pendingCr) {
        if (pendingCr) {
          pendingCr = false;
          eol();
          if (cp == '\n') continue;
        }
        if (cp == '\r') {
          pendingCr = true;
          continue;
        }
        if (cp == '\n') {
          eol();
          continue;
        }
      }
    }
    if (!enc.Put(cp, o)) return i;
  }
  return n;
}

template <class Enc>
std::size_t EncodeBatchFor(LineEnding ending, Enc& enc, bool& pendingCr, const char32_t* cps, std::size_t n,
                           std::uint8_t*& o) {
  switch (ending) {
    case LineEnding::CrLf: return EncodeBatch<LineEnding::CrLf>(enc, pendingCr, cps, n, o);
    case LineEnding::Cr: return EncodeBatch<LineEnding::Cr>(enc, pendingCr, cps, n, o);
    case LineEnding::Lf: return EncodeBatch<LineEnding::Lf>(enc, pendingCr, cps, n, o);
    case LineEnding::Keep: break;
  }
  return EncodeBatch<LineEnding::Keep>(enc, pendingCr, cps, n, o);
}

constexpr std::size_t kBatch = 16 * 1024;          // code points decoded before they are written
constexpr std::size_t kBlockBytes = 64 * 1024;     // input bytes handed to one ProcessBlock
constexpr std::size_t kGeneralStep = 256;        // code points decoded generally between direct stretches
constexpr std::size_t kCarryTopUp = 16;            // longer than any character or escape sequence
// Every code point may become a line end of two characters, each at most kMaxBytesPerCodePoint.
constexpr std::size_t kScratchBytes = (kBatch + 1) * 2 * detail::kMaxBytesPerCodePoint;

}  // namespace

struct StreamConverter::State {
  explicit State(const ConversionPlan& p)
      : plan(p), decoder(p.input, p.cp932Input), encoder(MakeEncoder(p.output)), batch(kBatch),
        scratch(p.sameEncoding ? nullptr : new std::uint8_t[kScratchBytes]),
        fastPath(p.directPaths && !p.sameEncoding ? detail::ChooseFastPath(p.input, p.output)
                                                  : detail::FastPath::None),
        validates(p.directPaths && p.sameEncoding && detail::HasValidator(p.input)),
        hasDirectPath(fastPath != detail::FastPath::None || validates) {}

  // Converts whole characters of `bytes`; returns how many bytes it used (fewer than given when the
  // input ends inside a character and !final). Sets `failure` on error.
  std::size_t ProcessBlock(const std::uint8_t* bytes, std::size_t n, bool final, std::vector<std::uint8_t>& out) {
    std::size_t i = 0;
    while (i < n) {
      // Plain stretches go through a direct path; the general one below takes what it leaves.
      if (fastPath != detail::FastPath::None) {
        std::size_t limit = std::min(n - i, kBatch);
        std::uint8_t* o = scratch.get();
        std::size_t used = detail::RunFastPath(fastPath, decoder.sjisTable(), std::get_if<detail::SjisEncoder>(&encoder),
                                               bytes + i, n - i, limit, o);
        // The outputs of the direct paths are byte or UTF-16 text in which a CR or LF unit is
        // always a line end, so the line ends can be rewritten on the converted bytes.
        detail::CopyWithLineEnds(scratch.get(), static_cast<std::size_t>(o - scratch.get()), UnitOf(plan.output),
                                 plan.lineEnding, pendingCr, out);
        i += used;
        if (used >= limit) continue;
      } else if (validates) {
        std::size_t valid = detail::ValidPrefix(plan.input, decoder.sjisTable(), bytes + i, n - i);
        detail::CopyWithLineEnds(bytes + i, valid, UnitOf(plan.output), plan.lineEnding, pendingCr, out);
        i += valid;
        if (i == n) break;
      }
      Decoder replay = decoder;
      // After a direct path stopped, decode only a little before handing back to it.
      std::size_t cap = hasDirectPath ? kGeneralStep : batch.size();
      DecodeStatus st = decoder.Decode(bytes + i, n - i, batch.data(), cap, final);
      if (plan.sameEncoding) {
        detail::CopyWithLineEnds(bytes + i, st.consumed, UnitOf(plan.output), plan.lineEnding, pendingCr, out);
      } else if (!Encode(st.produced, out)) {
        // Find the input offset of the refused character by decoding the batch again up to it.
        std::size_t refused = failure.position;
        DecodeStatus upTo = replay.Decode(bytes + i, n - i, batch.data(), refused, final);
        failure.position = consumed + i + upTo.consumed;
        return i;
      }
      i += st.consumed;
      if (st.error) {
        Fail(ConvertError::InvalidInput, consumed + i);
        return i;
      }
      if (st.produced < cap && i < n) break;  // a character cut off at the end
      if (st.consumed == 0) break;
    }
    consumed += i;
    return i;
  }

  // Encodes batch[0..count); on refusal records the index of the character in failure.position.
  bool Encode(std::size_t count, std::vector<std::uint8_t>& out) {
    std::uint8_t* o = scratch.get();
    std::size_t refused = std::visit(
        [&](auto& enc) { return EncodeBatchFor(plan.lineEnding, enc, pendingCr, batch.data(), count, o); },
        encoder);
    out.insert(out.end(), scratch.get(), o);
    if (refused == count) return true;
    failure.error = ConvertError::Unrepresentable;
    failure.position = refused;
    failure.codePoint = batch[refused];
    return false;
  }

  void Fail(ConvertError error, std::uint64_t position) {
    failure.error = error;
    failure.position = position;
  }

  bool StartOutput(std::vector<std::uint8_t>& out) {
    if (started) return true;
    started = true;
    if (plan.outputBom) AppendBom(plan.output, out);
    return true;
  }

  ConversionPlan plan;
  Decoder decoder;
  AnyEncoder encoder;
  std::vector<char32_t> batch;
  std::unique_ptr<std::uint8_t[]> scratch;  // encoded bytes of one batch, before they join the output
  detail::FastPath fastPath;
  bool validates;      // the encoding is kept and a validator checks plain stretches
  bool hasDirectPath;  // a direct path takes the plain stretches: the general path only steps over the rest
  std::vector<std::uint8_t> carry;   // the start of a character cut off by the end of the last chunk
  std::uint64_t consumed = 0;        // input bytes fully handled, BOM included
  std::size_t bomLeft = 0;
  bool pendingCr = false;
  bool started = false;
  bool finished = false;
  ConvertResult failure;
};

StreamConverter::StreamConverter(const ConversionPlan& plan) : state_(std::make_unique<State>(plan)) {
  state_->bomLeft = plan.inputBom;
  state_->failure.input = plan.input;
}

StreamConverter::~StreamConverter() = default;

ConvertResult StreamConverter::Feed(std::span<const std::uint8_t> chunk, std::vector<std::uint8_t>& out) {
  State& s = *state_;
  if (!s.failure.ok() || s.finished) return s.failure;
  s.StartOutput(out);
  if (s.bomLeft) {
    std::size_t skip = std::min(s.bomLeft, chunk.size());
    s.bomLeft -= skip;
    s.consumed += skip;
    chunk = chunk.subspan(skip);
  }
  std::size_t pos = 0;
  if (!s.carry.empty() && !chunk.empty()) {
    std::size_t old = s.carry.size();
    std::size_t take = std::min(chunk.size(), kCarryTopUp);
    s.carry.insert(s.carry.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(take));
    std::size_t used = s.ProcessBlock(s.carry.data(), s.carry.size(), false, out);
    if (!s.failure.ok()) return s.failure;
    if (used >= old) {
      pos = used - old;
      s.carry.clear();
    } else {
      s.carry.erase(s.carry.begin(), s.carry.begin() + static_cast<std::ptrdiff_t>(used));
      pos = take;
    }
  }
  while (pos < chunk.size()) {
    std::size_t len = std::min(chunk.size() - pos, kBlockBytes);
    std::size_t used = s.ProcessBlock(chunk.data() + pos, len, false, out);
    if (!s.failure.ok()) return s.failure;
    pos += used;
    if (used < len && pos + (len - used) == chunk.size()) {
      s.carry.assign(chunk.begin() + static_cast<std::ptrdiff_t>(pos), chunk.end());
      break;
    }
  }
  return s.failure;
}

ConvertResult StreamConverter::Finish(std::vector<std::uint8_t>& out) {
  State& s = *state_;
  if (!s.failure.ok() || s.finished) return s.failure;
  s.StartOutput(out);
  if (s.bomLeft) {  // the input ended inside its own byte-order mark
    s.Fail(ConvertError::InvalidInput, s.consumed);
    return s.failure;
  }
  if (!s.carry.empty()) {
    s.ProcessBlock(s.carry.data(), s.carry.size(), true, out);
    if (!s.failure.ok()) return s.failure;
    s.carry.clear();
  }
  s.finished = true;
  if (s.plan.sameEncoding) {
    detail::FlushLineEnd(UnitOf(s.plan.output), s.plan.lineEnding, s.pendingCr, out);
    return s.failure;
  }
  std::size_t start = out.size();
  out.resize(start + 4 * detail::kMaxBytesPerCodePoint);
  std::uint8_t* o = out.data() + start;
  std::visit(
      [&](auto& enc) {
        if (s.pendingCr) {
          if (s.plan.lineEnding != LineEnding::Lf) enc.Put('\r', o);
          if (s.plan.lineEnding != LineEnding::Cr) enc.Put('\n', o);
        }
        enc.Finish(o);
      },
      s.encoder);
  out.resize(static_cast<std::size_t>(o - out.data()));
  return s.failure;
}

}  // namespace nkf
