// The byte scan and the code-unit scan: the line-ending table, every tail position, the NUL rule,
// and the chunked form agreeing with the one-buffer form.
#include "zentrel/core/line_ending_scan.h"

#include <gtest/gtest.h>

#include <string>

#include "test_bytes.h"
#include "zentrel/core/encoding_verdict.h"

namespace zentrel {
namespace {

using namespace std::string_view_literals;
using testing::AsBytes;
using testing::Utf16Bytes;

// The line-ending text of `bytes` judged under the guess `guess`.
std::wstring EndingOf(std::string_view bytes, const wchar_t* guess = L"UTF-8") {
  return std::wstring(LineEndingText(JudgeBytes(guess, AsBytes(bytes)).lineEnding));
}

const std::wstring kMixed = L"\u6DF7\u5728";

TEST(LineEndingText, NamesEveryStateAndNothingElse) {
  EXPECT_EQ(LineEndingText(LineEnding::None), L"");
  EXPECT_EQ(LineEndingText(LineEnding::CrLf), L"CR LF");
  EXPECT_EQ(LineEndingText(LineEnding::Cr), L"CR");
  EXPECT_EQ(LineEndingText(LineEnding::Lf), L"LF");
  EXPECT_EQ(LineEndingText(LineEnding::Mixed), kMixed);
  EXPECT_EQ(LineEndingText(static_cast<LineEnding>(7)), L"");
}

TEST(ByteLineEndingScan, ClassifiesPlainKinds) {
  EXPECT_EQ(EndingOf("no line end at all"), L"");
  EXPECT_EQ(EndingOf("a\r\nb\r\nc"), L"CR LF");
  EXPECT_EQ(EndingOf("a\rb\rc"), L"CR");
  EXPECT_EQ(EndingOf("a\nb\nc"), L"LF");
  EXPECT_EQ(EndingOf("a\r\nb\nc\r\nd\r\n"), kMixed);  // one LF among CR LF lines
  EXPECT_EQ(EndingOf("a\rb\nc\r\nd\ne"), kMixed);     // mixed stays mixed
}

TEST(ByteLineEndingScan, RecognisesTwoByteUnitCrLfInBothOrders) {
  EXPECT_EQ(EndingOf("a\0\r\0\n\0b\0\r\0\n\0c\0"sv), L"CR LF");
  EXPECT_EQ(EndingOf("\0a\0\r\0\n\0b\0\r\0\n\0c"sv), L"CR LF");
}

TEST(ByteLineEndingScan, ForgivesALastByteCrOnlyAtTheVeryEnd) {
  EXPECT_EQ(EndingOf("a\nb\nc\r"), L"LF");
  EXPECT_EQ(EndingOf("a\nb\nc\rd"), kMixed);
}

TEST(ByteLineEndingScan, ForgivesACrLfThreeBytesBeforeTheEndButNotTwo) {
  EXPECT_EQ(EndingOf("a\nb\nc\r\nd"), L"LF");
  EXPECT_EQ(EndingOf("a\nb\nc\r\n"), kMixed);
}

struct TailCase {
  const char* name;
  std::string_view sequence;  // the line end placed near the end
  std::string_view body;      // lines of a conflicting kind before it
  std::wstring bodyText;      // the verdict when the sequence is forgiven
  std::size_t forgivenBack;   // the tail position: the sequence starts this many bytes before n
};

// Every placement of each line end from 1 to 6 bytes before the end of the examined bytes: only its
// own tail position is forgiven; everywhere else the conflict makes the text mixed.
TEST(ByteLineEndingScan, EachLineEndIsForgivenAtExactlyItsTailPosition) {
  const TailCase cases[] = {
      {"a: CR LF", "\r\n"sv, "x\ny\n"sv, L"LF", 3},
      {"b: CR NUL LF NUL", "\r\0\n\0"sv, "x\ny\n"sv, L"LF", 5},
      {"c: NUL CR NUL LF", "\0\r\0\n"sv, "x\ny\n"sv, L"LF", 5},
      {"d: CR", "\r"sv, "x\ny\n"sv, L"LF", 1},
      {"e: LF", "\n"sv, "x\r\ny\r\n"sv, L"CR LF", 1},
  };
  for (const TailCase& c : cases) {
    for (std::size_t back = c.sequence.size(); back <= 6; ++back) {
      std::string bytes(c.body);
      bytes += c.sequence;
      bytes.append(back - c.sequence.size(), 'z');
      const std::wstring expected = back == c.forgivenBack ? c.bodyText : kMixed;
      EXPECT_EQ(EndingOf(bytes), expected) << c.name << " starting at n-" << back;
    }
  }
}

TEST(ByteLineEndingScan, NulIsTextOnlyForUtf8) {
  const auto afterLines = "a\r\nb\r\nc\0d\ne"sv;
  const Verdict sjis = JudgeBytes(L"Shift_JIS", AsBytes(afterLines));
  EXPECT_EQ(sjis.encoding, L"BINARY");
  EXPECT_EQ(sjis.lineEnding, LineEnding::CrLf);  // what the bytes before the NUL showed

  const Verdict first = JudgeBytes(L"Shift_JIS", AsBytes("\0a\r\nb"sv));
  EXPECT_EQ(first.encoding, L"BINARY");
  EXPECT_EQ(first.lineEnding, LineEnding::None);

  const Verdict utf8 = JudgeBytes(L"UTF-8", AsBytes(afterLines));
  EXPECT_EQ(utf8.encoding, L"UTF-8");
  EXPECT_EQ(utf8.lineEnding, LineEnding::Mixed);
}

TEST(ByteLineEndingScan, OtherNamesForUtf16BecomeBinaryAtTheFirstStrayNul) {
  // "A" then CR LF in UTF-16LE: the NUL after "A" starts a four-byte CR LF and is not stray; the
  // NUL after LF is.
  const Verdict v = JudgeBytes(L"UTF-16LE", AsBytes("A\0\r\0\n\0B\0"sv));
  EXPECT_EQ(v.encoding, L"BINARY");
  EXPECT_EQ(v.lineEnding, LineEnding::CrLf);
}

TEST(EncodingVerdict, BinaryGuessAndEmptyInputAreNotScanned) {
  const Verdict binary = JudgeBytes(L"BINARY", AsBytes("a\r\nb\n"sv));
  EXPECT_EQ(binary.encoding, L"BINARY");
  EXPECT_EQ(binary.lineEnding, LineEnding::None);
  const Verdict empty = JudgeBytes(L"ASCII", {});
  EXPECT_EQ(empty.encoding, L"ASCII");
  EXPECT_EQ(empty.lineEnding, LineEnding::None);
  // Names are compared exactly: a lower-case "binary" is just another name.
  EXPECT_EQ(JudgeBytes(L"binary", AsBytes("a\nb"sv)).lineEnding, LineEnding::Lf);
}

// U+4E0A and U+4E0D hold the bytes of LF and CR; in UTF-16 they are text, not line ends.
TEST(Utf16LineEndings, KanjiWithLineEndBytesDoNotLookLikeLineEnds) {
  const std::u16string text = u"\u4E0A\u4E0D\r\n\u4E0D\u4E0A\r\n\u4E0A\r\n";
  for (bool bigEndian : {false, true}) {
    for (bool bom : {false, true}) {
      std::u16string units = bom ? u"\uFEFF" + text : text;
      const std::string bytes = Utf16Bytes(units, bigEndian);
      const Verdict v = JudgeBytes(L"UTF-16", AsBytes(bytes));
      EXPECT_EQ(v.encoding, L"UTF-16") << "big-endian " << bigEndian << " bom " << bom;
      EXPECT_EQ(v.lineEnding, LineEnding::CrLf) << "big-endian " << bigEndian << " bom " << bom;
      // The byte scan is what misreads them.
      EXPECT_EQ(ByteLineEndingScan::Scan(AsBytes(bytes), false).lineEnding, LineEnding::Mixed);
    }
  }
}

TEST(Utf16LineEndings, AppliesTheTailRuleInUnits) {
  const auto ending = [](std::u16string_view units, bool bigEndian) {
    return JudgeBytes(L"UTF-16", AsBytes(Utf16Bytes(units, bigEndian))).lineEnding;
  };
  for (bool big : {false, true}) {
    EXPECT_EQ(ending(u"\uFEFFa\nb\nc\r", big), LineEnding::Lf);  // last unit forgiven
    EXPECT_EQ(ending(u"\uFEFFa\nb\nc\rd", big), LineEnding::Mixed);
    EXPECT_EQ(ending(u"\uFEFFa\nb\nc\r\nd", big), LineEnding::Lf);    // pair at m-3 forgiven
    EXPECT_EQ(ending(u"\uFEFFa\nb\nc\r\n", big), LineEnding::Mixed);  // pair at m-2 is not
    EXPECT_EQ(ending(u"\uFEFFa\rb\r", big), LineEnding::Cr);
  }
}

TEST(Utf16LineEndings, IgnoresAPartialLastUnitAndNulUnits) {
  std::string bytes = Utf16Bytes(u"a\r\n\0b\r\n"sv, false);
  bytes += '\n';  // half a unit cut off by the read size
  const Verdict v = JudgeBytes(L"UTF-16", AsBytes(bytes));
  EXPECT_EQ(v.encoding, L"UTF-16");
  EXPECT_EQ(v.lineEnding, LineEnding::CrLf);
}

TEST(Utf32LineEndings, ClassifiesUnitsInEitherOrderAndKeepsTheName) {
  const auto le = "\xFF\xFE\0\0A\0\0\0\r\0\0\0\n\0\0\0\x0A\x4E\0\0\r\0\0\0\n\0\0\0"sv;
  const auto be = "\0\0\0A\0\0\0\r\0\0\0\n\0\0\x4E\x0A\0\0\0\r\0\0\0\n"sv;  // no mark
  for (std::string_view bytes : {le, be}) {
    const Verdict v = JudgeBytes(L"UTF-32", AsBytes(bytes));
    EXPECT_EQ(v.encoding, L"UTF-32");
    EXPECT_EQ(v.lineEnding, LineEnding::CrLf);
  }
}

TEST(ByteOrderEvidence, TakesTheMarkFirstThenWhereTheZerosAre) {
  const auto order16 = [](std::string_view bytes) {
    ByteOrderEvidence e;
    e.Feed(AsBytes(bytes));
    return e.Utf16();
  };
  EXPECT_EQ(order16("\xFF\xFE\0a\0b"sv), ByteOrder::Little);  // the mark wins over the zeros
  EXPECT_EQ(order16("\xFE\xFF"
                    "a\0b\0"sv),
            ByteOrder::Big);
  EXPECT_EQ(order16("a\0b\0c\0"sv), ByteOrder::Little);
  EXPECT_EQ(order16("\0a\0b\0c"sv), ByteOrder::Big);
  EXPECT_EQ(order16("\x0A\x4E\x0D\x4E"sv), ByteOrder::Little);  // no evidence: Windows' order
  EXPECT_EQ(order16("\0a\0b"sv), ByteOrder::Big);  // the first bytes count as evidence too

  // Fed in pieces of every size, the evidence is the same as fed whole.
  const auto bytes = AsBytes("\0\0\0A\0\0\0\r\0\0\0\n\0\0\x4E\x0A\0\0\0\r\0"sv);
  for (std::size_t piece = 1; piece <= 6; ++piece) {
    ByteOrderEvidence e;
    for (std::size_t i = 0; i < bytes.size(); i += piece) {
      e.Feed(bytes.subspan(i, std::min(piece, bytes.size() - i)));
    }
    EXPECT_EQ(e.Utf32(), ByteOrder::Big) << piece;
    EXPECT_EQ(e.Utf16(), ByteOrder::Big) << piece;
  }
}

// Deterministic inputs rich in the bytes the scans care about.
std::vector<std::string> SampleInputs() {
  std::vector<std::string> inputs;
  const char alphabet[] = {'a', '\r', '\n', '\0', '\x4E'};
  std::uint32_t seed = 12345;
  for (int i = 0; i < 60; ++i) {
    std::string s;
    const int length = i % 30;
    for (int k = 0; k < length; ++k) {
      seed = seed * 1103515245u + 12345u;
      s += alphabet[(seed >> 16) % 5];
    }
    inputs.push_back(s);
  }
  return inputs;
}

TEST(ChunkedScans, AgreeWithTheOneBufferScanWhereverTheInputIsSplit) {
  for (const std::string& input : SampleInputs()) {
    const auto all = AsBytes(input);
    for (bool stop : {false, true}) {
      const ByteScanResult whole = ByteLineEndingScan::Scan(all, stop);
      for (std::size_t cut = 0; cut <= all.size(); ++cut) {
        ByteLineEndingScan scan(stop);
        scan.Feed(all.first(cut));
        scan.Feed(all.subspan(cut));
        const ByteScanResult split = scan.Finish();
        EXPECT_EQ(split.lineEnding, whole.lineEnding) << "cut " << cut;
        EXPECT_EQ(split.sawNul, whole.sawNul) << "cut " << cut;
        EXPECT_EQ(split.lineEndingAtFirstNul, whole.lineEndingAtFirstNul) << "cut " << cut;
      }
      ByteLineEndingScan byteByByte(stop);
      for (std::size_t i = 0; i < all.size(); ++i) byteByByte.Feed(all.subspan(i, 1));
      EXPECT_EQ(byteByByte.Finish().lineEnding, whole.lineEnding);
    }
    for (std::size_t unit : {2u, 4u}) {
      for (ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
        const LineEnding whole = UnitLineEndingScan::Scan(all, unit, order);
        for (std::size_t cut = 0; cut <= all.size(); ++cut) {
          UnitLineEndingScan scan(unit, order);
          scan.Feed(all.first(cut));
          scan.Feed(all.subspan(cut));
          EXPECT_EQ(scan.Finish(), whole) << "unit " << unit << " cut " << cut;
        }
      }
    }
  }
}

// Long runs of plain bytes (passed over several at a time in one buffer) between line ends and
// NULs at every offset; fed a byte at a time, the scan sees them one by one.
TEST(ChunkedScans, LongPlainRunsGiveTheSameVerdictAsByteByByte) {
  const std::string_view plain[] = {"abcdefghijklmnopqrstu"sv, "\t\x0b\x0c\x0e\x1f xyz\x80\xff\x0b\t"sv};
  const std::string_view ends[] = {"\r\n"sv, "\n"sv, "\r"sv, "\0"sv, "\r\0\n\0"sv, "\0\r\0\n"sv};
  for (const std::string_view run : plain) {
    for (std::size_t at = 0; at <= run.size(); ++at) {
      for (const std::string_view first : ends) {
        for (const std::string_view second : ends) {
          std::string input(run.substr(0, at));
          input += first;
          input += run;
          input += second;
          input += run.substr(at);
          const auto all = AsBytes(input);
          for (bool stop : {false, true}) {
            const ByteScanResult whole = ByteLineEndingScan::Scan(all, stop);
            ByteLineEndingScan byteByByte(stop);
            for (std::size_t i = 0; i < all.size(); ++i) byteByByte.Feed(all.subspan(i, 1));
            const ByteScanResult single = byteByByte.Finish();
            EXPECT_EQ(single.lineEnding, whole.lineEnding) << at;
            EXPECT_EQ(single.sawNul, whole.sawNul) << at;
            EXPECT_EQ(single.lineEndingAtFirstNul, whole.lineEndingAtFirstNul) << at;
          }
        }
      }
    }
  }
}

TEST(ChunkedScans, StreamingJudgeAgreesWithJudgeBytesForEveryKindOfGuess) {
  const wchar_t* guesses[] = {L"ASCII", L"Shift_JIS", L"UTF-8", L"UTF-16", L"UTF-32", L"BINARY"};
  for (const std::string& input : SampleInputs()) {
    const auto all = AsBytes(input);
    for (const wchar_t* guess : guesses) {
      const Verdict whole = JudgeBytes(guess, all);
      StreamingJudge judge;
      for (std::size_t i = 0; i < all.size(); i += 3)
        judge.Feed(all.subspan(i, std::min<std::size_t>(3, all.size() - i)));
      const Verdict streamed = judge.Finish(guess);
      EXPECT_EQ(streamed.encoding, whole.encoding);
      EXPECT_EQ(streamed.lineEnding, whole.lineEnding);
    }
  }
}

}  // namespace
}  // namespace zentrel
