// Known binary signatures make "BINARY" already from a short header.
#include <gtest/gtest.h>

#include "guess_signatures.h"
#include "guess_test_support.h"

namespace nkf::test {
namespace {

TEST(GuessSignature, ShortHeadersOfBinaryFormatsAreBinary) {
  struct Case {
    const char* what;
    std::string_view header;
    std::uint64_t decidedAt;
  } const cases[] = {
      {"PNG", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"sv, 8},
      {"JPEG", "\xff\xd8\xff\xe0\0\x10JFIF"sv, 3},
      {"GIF", "GIF89a\x01\0\x01\0"sv, 6},
      {"PDF", "%PDF-1.7\n%\xe2\xe3\xcf\xd3\n"sv, 5},
      {"ZIP", "PK\x03\x04\x14\0\0\0"sv, 4},
      {"gzip", "\x1f\x8b\x08\0\0\0\0\0"sv, 3},
      {"7z", "7z\xbc\xaf\x27\x1c\0\x04"sv, 6},
      {"xz", "\xfd" "7zXZ\0\0\x04"sv, 6},
      {"ELF", "\x7f" "ELF\x02\x01\x01"sv, 4},
      {"class", "\xca\xfe\xba\xbe\0\0\0\x37"sv, 4},
      {"SQLite", "SQLite format 3\0\x10\0"sv, 16},
      {"MZ", "MZ\x90\0\x03\0\0\0"sv, 4},
      {"RIFF", "RIFF\x24\x08\0\0WAVEfmt "sv, 12},
      {"MP4", "\0\0\0\x18" "ftypmp42"sv, 8},
      {"OLE2", "\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1"sv, 8},
  };
  for (const Case& c : cases) {
    const GuessResult r = Guess(c.header);
    EXPECT_EQ(r.encoding, Encoding::Binary) << c.what;
    EXPECT_EQ(r.decidedAt, c.decidedAt) << c.what;
  }
}

TEST(GuessSignature, TextThatMerelyBeginsLikeASignatureIsText) {
  EXPECT_EQ(Guess("MZ is how an executable begins\r\n"sv).encoding, Encoding::Ascii);
  EXPECT_EQ(Guess("GIF images are old\n"sv).encoding, Encoding::Ascii);
  EXPECT_EQ(Guess("PK is a name\n"sv).encoding, Encoding::Ascii);
  EXPECT_EQ(Guess("RIFF is a container\n"sv).encoding, Encoding::Ascii);
  EXPECT_EQ(Guess("%PDF"sv).encoding, Encoding::Ascii);  // shorter than the signature
}

TEST(GuessSignature, OnlyTheStartOfTheInputCounts) {
  EXPECT_EQ(guess::BinarySignatureLength(Bytes("text then \x89PNG\r\n\x1a\n"sv)), 0u);
}

}  // namespace
}  // namespace nkf::test
