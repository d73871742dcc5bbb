// Line ends: CR LF, lone CR and lone LF all become the chosen ending, in code units of every encoding.
#include <gtest/gtest.h>

#include "test_support.h"

namespace nkf::test {
namespace {

struct Form {
  const char* name;
  Encoding encoding;
  const char* letters;
  Bytes kana;  // HIRAGANA LETTER A
  std::size_t unit;
  bool bigEndian;
};

Bytes Unit(char c, const Form& f) {
  Bytes u(f.unit, 0);
  u[f.bigEndian ? f.unit - 1 : 0] = static_cast<std::uint8_t>(c);
  return u;
}

// "A CR LF A CR A LF A CR" with the given ending for every line end.
Bytes Text(const Form& f, const char* ending) {
  Bytes out;
  const char* ends[] = {"\r\n", "\r", "\n", "\r"};
  for (const char* e : ends) {
    out = Concat(out, f.kana);
    for (const char* c = ending ? ending : e; *c; ++c) out = Concat(out, Unit(*c, f));
  }
  return out;
}

const Form kForms[] = {
    {"Shift_JIS", Encoding::ShiftJis, "-s", B("\x82\xa0"), 1, false},
    {"EUC-JP", Encoding::EucJp, "-e", B("\xa4\xa2"), 1, false},
    {"ISO-2022-JP", Encoding::Iso2022Jp, "-j", B("\x1b$B$\"\x1b(B"), 1, false},
    {"UTF-8", Encoding::Utf8, "-w80", B("\xe3\x81\x82"), 1, false},
    {"UTF-16LE", Encoding::Utf16LE, "-w16L0", B("\x42\x30"), 2, false},
    {"UTF-16BE", Encoding::Utf16BE, "-w16B0", B("\x30\x42"), 2, true},
    {"UTF-32LE", Encoding::Utf32LE, "", B(std::string("\x42\x30\0\0", 4)), 4, false},
};

TEST(LineEndings, EveryLineEndBecomesTheChosenOneInEveryPairOfEncodings) {
  const std::pair<const char*, const char*> endings[] = {{"Lw", "\r\n"}, {"Lm", "\r"}, {"Lu", "\n"}};
  for (const Form& from : kForms) {
    for (const Form& to : kForms) {
      for (const auto& [letters, ending] : endings) {
        std::string options = std::string(to.letters[0] ? to.letters : "-") + letters;
        // UTF-32 has no output letters: it is reached by keeping the input's encoding only.
        if (!to.letters[0] && from.encoding != to.encoding) continue;
        if (!to.letters[0]) options = std::string("-") + letters;
        EXPECT_EQ(Convert(Text(from, nullptr), from.encoding, options), Text(to, ending))
            << from.name << " -> " << to.name << " " << options;
      }
    }
  }
}

TEST(LineEndings, WithoutAnLOptionLineEndsAreKept) {
  for (const Form& from : kForms) {
    for (const Form& to : kForms) {
      if (!to.letters[0]) continue;
      EXPECT_EQ(Convert(Text(from, nullptr), from.encoding, to.letters), Text(to, nullptr))
          << from.name << " -> " << to.name;
    }
  }
}

TEST(LineEndings, CrLfBytesInsideUtf16UnitsAreNotLineEnds) {
  // U+0D0A (a Malayalam letter) holds the bytes CR LF: it is no line end.
  Bytes in = B("\x0a\x0d\x0d\x0a");  // U+0D0A U+0A0D in UTF-16LE
  EXPECT_EQ(Convert(in, Encoding::Utf16LE, "-Lu"), in);
  EXPECT_EQ(Convert(in, Encoding::Utf16LE, "-w80Lw"), B("\xe0\xb4\x8a\xe0\xa8\x8d"));
}

TEST(LineEndings, RunsOfLineEnds) {
  EXPECT_EQ(Convert(B("\r\r\n\n\r"), Encoding::Ascii, "-Lw"), B("\r\n\r\n\r\n\r\n"));
  EXPECT_EQ(Convert(B("\r\r\n\n\r"), Encoding::Ascii, "-Lu"), B("\n\n\n\n"));
  EXPECT_EQ(Convert(B("\r\r\n\n\r"), Encoding::Utf8, "-w16B0Lm"), B(std::string("\0\r\0\r\0\r\0\r", 8)));
}

}  // namespace
}  // namespace nkf::test
