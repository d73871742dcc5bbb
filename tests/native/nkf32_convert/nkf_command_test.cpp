// Differential check against the Debian nkf command, for the conversions where it loses nothing:
// JIS X 0208 text between the legacy encodings and from UTF-8, and line-end rewriting.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "test_support.h"

namespace nkf::test {
namespace {

constexpr const char* kNkf = "/usr/bin/nkf";

Bytes RunNkf(const std::string& args, const Bytes& input) {
  std::filesystem::path in = std::filesystem::temp_directory_path() /
                             ("nkf32_nkf_in_" + std::to_string(::getpid()));
  std::ofstream(in, std::ios::binary).write(reinterpret_cast<const char*>(input.data()),
                                            static_cast<std::streamsize>(input.size()));
  std::string command = std::string(kNkf) + " " + args + " " + in.string();
  Bytes out;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.insert(out.end(), buf, buf + n);
    ::pclose(p);
  }
  std::filesystem::remove(in);
  return out;
}

class NkfCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kNkf)) GTEST_SKIP() << "the nkf command is a test dependency: apt-get install nkf";
  }
};

TEST_F(NkfCommand, JisX0208TextConvertsToTheSameBytes) {
  struct Case {
    const char* file;
    Encoding from;
    const char* nkfArgs;
    const char* ours;
  };
  const Case cases[] = {
      {"jis0208.sjis", Encoding::ShiftJis, "-S -e", "-e"},  {"jis0208.sjis", Encoding::ShiftJis, "-S -j", "-j"},
      {"jis0208.euc", Encoding::EucJp, "-E -s", "-s"},      {"jis0208.euc", Encoding::EucJp, "-E -j", "-j"},
      {"jis0208.iso2022", Encoding::Iso2022Jp, "-J -s", "-s"}, {"jis0208.iso2022", Encoding::Iso2022Jp, "-J -e", "-e"},
      {"jis0208.utf8", Encoding::Utf8, "-W -s", "-s"},      {"jis0208.utf8", Encoding::Utf8, "-W -e", "-e"},
      {"jis0208.utf8", Encoding::Utf8, "-W -j", "-j"},
  };
  for (const Case& c : cases) {
    Bytes in = Oracle(c.file);
    ASSERT_FALSE(in.empty());
    EXPECT_EQ(Convert(in, c.from, c.ours), RunNkf(c.nkfArgs, in)) << c.file << " " << c.nkfArgs;
  }
}

TEST_F(NkfCommand, LineEndsAreRewrittenTheSameWay) {
  Bytes sjis = B("\x82\xa0\r\nb\rc\nd\r\r\n\n");
  for (const char* l : {"-Lu", "-Lw", "-Lm"}) {
    for (auto [nkfOut, ours] : {std::pair{"-s", "-s"}, {"-e", "-e"}, {"-j", "-j"}}) {
      std::string options = std::string(ours) + (l + 1);
      EXPECT_EQ(Convert(sjis, Encoding::ShiftJis, options), RunNkf(std::string("-S ") + nkfOut + " " + l, sjis))
          << options;
    }
  }
}

}  // namespace
}  // namespace nkf::test
