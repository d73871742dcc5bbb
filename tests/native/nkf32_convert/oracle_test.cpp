// Conversions compared with Python's codecs (make_oracle.py), character set by character set.
#include <gtest/gtest.h>

#include "test_support.h"

namespace nkf::test {
namespace {

TEST(Cp932Oracle, EveryCharacterReadsAsWindowsReadsIt) {
  Bytes cp932 = Oracle("cp932.cp932");
  ASSERT_FALSE(cp932.empty());
  EXPECT_EQ(Convert(cp932, Encoding::Cp932, "-w80"), Oracle("cp932.utf8"));
  EXPECT_EQ(Convert(cp932, Encoding::ShiftJis, "--ic=CP932 -w80"), Oracle("cp932.utf8"));
  EXPECT_EQ(Convert(cp932, Encoding::Cp932, "-w16L0"), Oracle("cp932.utf16le"));
  EXPECT_EQ(Convert(cp932, Encoding::Cp932, "-w16B0"), Oracle("cp932.utf16be"));
}

TEST(Cp932Oracle, EveryCharacterIsWrittenAsWindowsWritesIt) {
  EXPECT_EQ(Convert(Oracle("cp932.utf8"), Encoding::Utf8, "-s"), Oracle("cp932.written.cp932"));
  EXPECT_EQ(Convert(Oracle("cp932.utf16le"), Encoding::Utf16LE, "-s"), Oracle("cp932.written.cp932"));
  EXPECT_EQ(Convert(Oracle("cp932.utf16be"), Encoding::Utf16BE, "-s"), Oracle("cp932.written.cp932"));
}

TEST(Cp932Oracle, RoundTripsThroughUnicodeResolveVendorDuplicatesOnce) {
  Bytes written = Oracle("cp932.written.cp932");
  for (const char* via : {"-w80", "-w8", "-w16L", "-w16B0"}) {
    Bytes unicode = Convert(Oracle("cp932.cp932"), Encoding::Cp932, via);
    Encoding e = std::string_view(via).starts_with("-w8") ? Encoding::Utf8
                 : std::string_view(via) == "-w16L"       ? Encoding::Utf16LE
                                                          : Encoding::Utf16BE;
    bool bom = std::string_view(via) == "-w8" || std::string_view(via) == "-w16L";
    Bytes back;
    ASSERT_TRUE(ConvertAs(unicode, e, "-s", back, bom).ok()) << via;
    EXPECT_EQ(back, written) << via;
  }
  // What Windows wrote once survives any number of further round trips unchanged.
  EXPECT_EQ(Convert(Convert(written, Encoding::Cp932, "-w80"), Encoding::Utf8, "-s"), written);
}

TEST(Cp932Oracle, KeepingTheEncodingKeepsEveryByte) {
  Bytes cp932 = Oracle("cp932.cp932");
  EXPECT_EQ(Convert(cp932, Encoding::Cp932, "-"), cp932);
  EXPECT_EQ(Convert(cp932, Encoding::Cp932, "-s"), cp932);
  EXPECT_EQ(Convert(cp932, Encoding::ShiftJis, "--ic=CP932 -sLu"), cp932);
}

TEST(Jis0208Oracle, EveryCharacterConvertsBetweenEveryPairOfEncodings) {
  struct Form {
    const char* file;
    Encoding encoding;
    const char* letters;
  };
  const Form forms[] = {{"jis0208.sjis", Encoding::ShiftJis, "-s"},
                        {"jis0208.euc", Encoding::EucJp, "-e"},
                        {"jis0208.iso2022", Encoding::Iso2022Jp, "-j"},
                        {"jis0208.utf8", Encoding::Utf8, "-w80"},
                        {"jis0208.utf16be", Encoding::Utf16BE, "-w16B0"}};
  for (const Form& from : forms) {
    Bytes in = Oracle(from.file);
    ASSERT_FALSE(in.empty()) << from.file;
    for (const Form& to : forms) EXPECT_EQ(Convert(in, from.encoding, to.letters), Oracle(to.file)) << from.file << " -> " << to.file;
  }
}

TEST(FastPaths, AgreeWithTheGeneralPathOnEveryCharacter) {
  struct Case {
    const char* file;
    Encoding from;
    const char* letters;
    const char* expected;
  };
  const Case cases[] = {{"cp932.cp932", Encoding::Cp932, "-w80", "cp932.utf8"},
                        {"jis0208.sjis", Encoding::ShiftJis, "-w80", "jis0208.utf8"},
                        {"jis0208.euc", Encoding::EucJp, "-w80", "jis0208.utf8"},
                        {"cp932.utf8", Encoding::Utf8, "-s", "cp932.written.cp932"},
                        {"jis0208.utf8", Encoding::Utf8, "-s", "jis0208.sjis"},
                        {"cp932.utf8", Encoding::Utf8, "-w16L0", "cp932.utf16le"}};
  for (const Case& c : cases) {
    Bytes in = Oracle(c.file);
    EXPECT_EQ(Convert(in, c.from, c.letters), Oracle(c.expected)) << c.file << " " << c.letters;
    Bytes general;
    ASSERT_TRUE(ConvertGeneral(in, c.from, c.letters, general).ok()) << c.file << " " << c.letters;
    EXPECT_EQ(general, Oracle(c.expected)) << c.file << " " << c.letters;
  }
}

TEST(Jis0212Oracle, SupplementaryKanjiReadFromEucJpAndWrittenBack) {
  Bytes euc = Oracle("jis0212.euc");
  ASSERT_FALSE(euc.empty());
  EXPECT_EQ(Convert(euc, Encoding::EucJp, "-w80"), Oracle("jis0212.utf8"));
  EXPECT_EQ(Convert(Oracle("jis0212.utf8"), Encoding::Utf8, "-e"), euc);
  EXPECT_EQ(Convert(euc, Encoding::EucJp, "-Lw"), Convert(euc, Encoding::EucJp, "-eLw"));
}

TEST(VariantMapping, ShiftJisReadsTheJisWaveDashUnlessTheCp932HintIsGiven) {
  Bytes waveDash = B("\x81\x60\x81\x61\x81\x7c\x81\x91\x81\x92\x81\xca");
  EXPECT_EQ(Convert(waveDash, Encoding::ShiftJis, "-w80"),
            B("\xe3\x80\x9c\xe2\x80\x96\xe2\x88\x92\xc2\xa2\xc2\xa3\xc2\xac"));
  EXPECT_EQ(Convert(waveDash, Encoding::ShiftJis, "--ic=CP932 -w80"),
            B("\xef\xbd\x9e\xe2\x88\xa5\xef\xbc\x8d\xef\xbf\xa0\xef\xbf\xa1\xef\xbf\xa2"));
  EXPECT_EQ(Convert(waveDash, Encoding::Cp932, "-w80"), Convert(waveDash, Encoding::ShiftJis, "--ic=CP932 -w80"));
  // Either reading writes back to the same bytes, in Shift_JIS and in EUC-JP.
  for (const char* hint : {"-w80", "--ic=CP932 -w80"}) {
    Bytes utf8 = Convert(waveDash, Encoding::ShiftJis, hint);
    EXPECT_EQ(Convert(utf8, Encoding::Utf8, "-s"), waveDash) << hint;
    EXPECT_EQ(Convert(utf8, Encoding::Utf8, "-e"), B("\xa1\xc1\xa1\xc2\xa1\xdd\xa1\xf1\xa1\xf2\xa2\xcc")) << hint;
  }
}

TEST(HalfwidthKatakana, StayHalfWidthWhereTheOutputHasThem) {
  Bytes sjis = B("\xb6\xde\xb1\xdd\xca\xdf");  // ka + voiced mark, a, n, ha + semi-voiced mark
  EXPECT_EQ(Convert(sjis, Encoding::ShiftJis, "-e"), B("\x8e\xb6\x8e\xde\x8e\xb1\x8e\xdd\x8e\xca\x8e\xdf"));
  EXPECT_EQ(Convert(sjis, Encoding::ShiftJis, "-w80"),
            B("\xef\xbd\xb6\xef\xbe\x9e\xef\xbd\xb1\xef\xbe\x9d\xef\xbe\x8a\xef\xbe\x9f"));
  EXPECT_EQ(Convert(Convert(sjis, Encoding::ShiftJis, "-e"), Encoding::EucJp, "-s"), sjis);
}

TEST(HalfwidthKatakana, BecomeFullWidthInIso2022JpWithSoundMarksJoined) {
  // ga, a, n, pa: the marks join the kana before them.
  EXPECT_EQ(Convert(B("\xb6\xde\xb1\xdd\xca\xdf"), Encoding::ShiftJis, "-j"),
            B("\x1b$B%,%\"%s%Q\x1b(B"));
  // A mark with nothing to join stays a mark of its own; wa + voiced mark has no JIS X 0208 form.
  EXPECT_EQ(Convert(B("\xde\xdc\xde" "a"), Encoding::ShiftJis, "-j"), B("\x1b$B!+%o!+\x1b(Ba"));
  // Kana at the very end of the input is written too.
  EXPECT_EQ(Convert(B("\xb1"), Encoding::ShiftJis, "-j"), B("\x1b$B%\"\x1b(B"));
}

TEST(Iso2022Jp, ReadsEveryDesignationItMeetsInTheWild) {
  // JIS X 0208-1978, JIS X 0201 Roman (yen sign), half-width katakana by ESC ( I.
  EXPECT_EQ(Convert(B("\x1b$@0!\x1b(J\\~\x1b(I1\x1b(Bz"), Encoding::Iso2022Jp, "-w80"),
            B("\xe4\xba\x9c\xc2\xa5\xe2\x80\xbe\xef\xbd\xb1z"));
  EXPECT_EQ(Convert(B("\xc2\xa5"), Encoding::Utf8, "-j"), B("\x1b(J\\\x1b(B"));
}

TEST(ByteOrderMarks, InputMarksAreConsumedAndOutputMarksFollowTheLetters) {
  Bytes bomUtf8 = B("\xef\xbb\xbf" "a");
  Bytes out;
  ASSERT_TRUE(ConvertAs(bomUtf8, Encoding::Utf8, "-w80", out, true).ok());
  EXPECT_EQ(out, B("a"));
  ASSERT_TRUE(ConvertAs(bomUtf8, Encoding::Utf8, "-w8", out, true).ok());
  EXPECT_EQ(out, bomUtf8);
  ASSERT_TRUE(ConvertAs(bomUtf8, Encoding::Utf8, "-w16L", out, true).ok());
  EXPECT_EQ(out, B(std::string("\xff\xfe" "a\0", 4)));
  ASSERT_TRUE(ConvertAs(bomUtf8, Encoding::Utf8, "-w16B0", out, true).ok());
  EXPECT_EQ(out, B(std::string("\0a", 2)));
  ASSERT_TRUE(ConvertAs(bomUtf8, Encoding::Utf8, "-s", out, true).ok());
  EXPECT_EQ(out, B("a"));
  // Without output letters the input's encoding, mark included, is kept.
  ASSERT_TRUE(ConvertAs(bomUtf8, Encoding::Utf8, "-Lu", out, true).ok());
  EXPECT_EQ(out, bomUtf8);
  Bytes bomUtf16 = B(std::string("\xfe\xff\0a\0\r", 6));
  ASSERT_TRUE(ConvertAs(bomUtf16, Encoding::Utf16BE, "-Lw", out, true).ok());
  EXPECT_EQ(out, B(std::string("\xfe\xff\0a\0\r\0\n", 8)));
}

TEST(GuessedInput, TheWholeCallGuessesThenConverts) {
  // "Japanese text." in Shift_JIS (with a CP932 circled digit one) and EUC-JP, read without any hint.
  Bytes cp932 = B("\x87\x40\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67\x82\xc5\x82\xb7\x81\x42\r\n");
  Bytes euc = B("\xc6\xfc\xcb\xdc\xb8\xec\xa4\xce\xa5\xc6\xa5\xad\xa5\xb9\xa5\xc8\xa4\xc7\xa4\xb9\xa1\xa3\r\n");
  Bytes out;
  ConvertResult r = ConvertBuffer(cp932, Opts("-w80Lu"), out);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.input, Encoding::Cp932);
  EXPECT_EQ(out, Convert(cp932, Encoding::Cp932, "-w80Lu"));
  r = ConvertBuffer(euc, Opts("-s"), out);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.input, Encoding::EucJp);
  EXPECT_EQ(out, Convert(euc, Encoding::EucJp, "-s"));
  // No letters: EUC-JP stays EUC-JP, only the line ends change.
  r = ConvertBuffer(euc, Opts("-Lm"), out);
  ASSERT_TRUE(r.ok());
  Bytes expected(euc.begin(), euc.end() - 2);
  expected.push_back('\r');
  EXPECT_EQ(out, expected);
}

TEST(AsciiInput, IsValidInEveryOutput) {
  Bytes ascii = B("plain text\r\n");
  EXPECT_EQ(Convert(ascii, Encoding::Ascii, "-s"), ascii);
  EXPECT_EQ(Convert(ascii, Encoding::Ascii, "-j"), ascii);
  EXPECT_EQ(Convert(ascii, Encoding::Ascii, "-w16L0"), B(std::string("p\0l\0a\0i\0n\0 \0t\0e\0x\0t\0\r\0\n\0", 24)));
}

}  // namespace
}  // namespace nkf::test
