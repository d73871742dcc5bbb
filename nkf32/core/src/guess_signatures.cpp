#include "guess_signatures.h"

#include <algorithm>
#include <string_view>

namespace nkf::guess {
namespace {

struct Signature {
  std::size_t offset;
  std::string_view bytes;
};

using namespace std::string_view_literals;

// Text-like magic (PDF, GIF, RIFF ...) is long and specific enough that a text file does not
// begin with it. PDF counts as binary: its objects are compressed streams, and converting it as
// text would destroy it.
constexpr Signature kSignatures[] = {
    {0, "\x89PNG\r\n\x1A\n"sv},
    {0, "\xFF\xD8\xFF"sv},                          // JPEG
    {0, "GIF87a"sv},
    {0, "GIF89a"sv},
    {0, "%PDF-"sv},
    {0, "PK\x03\x04"sv},                            // ZIP, and the formats built on it
    {0, "PK\x05\x06"sv},
    {0, "PK\x07\x08"sv},
    {0, "\x1F\x8B\x08"sv},                          // gzip
    {0, "7z\xBC\xAF\x27\x1C"sv},
    {0, "\xFD" "7zXZ\x00"sv},                       // xz
    {0, "\x28\xB5\x2F\xFD"sv},                      // zstd
    {0, "\x04\x22\x4D\x18"sv},                      // lz4
    {0, "Rar!\x1A\x07"sv},
    {0, "!<arch>\n"sv},                             // ar, .deb
    {0, "\x7F" "ELF"sv},
    {0, "\xCA\xFE\xBA\xBE"sv},                      // Java class, fat Mach-O
    {0, "\xFE\xED\xFA\xCE"sv},                      // Mach-O
    {0, "\xFE\xED\xFA\xCF"sv},
    {0, "\xCE\xFA\xED\xFE"sv},
    {0, "\xCF\xFA\xED\xFE"sv},
    {0, "\x00" "asm"sv},                            // WebAssembly
    {0, "\xAC\xED\x00\x05"sv},                      // Java serialization
    {0, "SQLite format 3\x00"sv},
    {0, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"sv},      // OLE2 compound file (old Office)
    {0, "II*\x00"sv},                               // TIFF
    {0, "MM\x00*"sv},
    {0, "OggS\x00"sv},
    {0, "fLaC"sv},
    {0, "wOFF"sv},
    {0, "wOF2"sv},
    {4, "ftyp"sv},                                  // MP4, MOV, HEIF
};

bool Matches(std::span<const std::uint8_t> head, const Signature& s) {
  if (head.size() < s.offset + s.bytes.size()) return false;
  return std::equal(s.bytes.begin(), s.bytes.end(), head.begin() + s.offset,
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

// RIFF containers: the form type follows a four-byte size.
std::size_t RiffLength(std::span<const std::uint8_t> head) {
  constexpr std::string_view kForms[] = {"WAVE"sv, "AVI "sv, "WEBP"sv};
  if (!Matches(head, {0, "RIFF"sv})) return 0;
  for (const auto form : kForms)
    if (Matches(head, {8, form})) return 12;
  return 0;
}

// "MZ" alone starts ordinary words; an executable header has NUL bytes right after it.
std::size_t ExecutableLength(std::span<const std::uint8_t> head) {
  if (!Matches(head, {0, "MZ"sv})) return 0;
  const std::size_t limit = std::min<std::size_t>(head.size(), 16);
  for (std::size_t i = 2; i < limit; ++i)
    if (head[i] == 0) return i + 1;
  return 0;
}

// ID3-tagged MP3: a version byte 2-4 and a zero revision.
std::size_t Id3Length(std::span<const std::uint8_t> head) {
  if (!Matches(head, {0, "ID3"sv}) || head.size() < 5) return 0;
  return head[3] >= 2 && head[3] <= 4 && head[4] == 0 ? 5 : 0;
}

// The first bytes of the signatures at offset 0 and of those checked below: text seldom starts
// with one, and is then compared only against the signatures further in.
struct FirstBytes {
  bool possible[256];
};

constexpr FirstBytes MakeFirstBytes() {
  FirstBytes f{};
  for (const Signature& s : kSignatures)
    if (s.offset == 0) f.possible[static_cast<std::uint8_t>(s.bytes[0])] = true;
  for (const char c : {'R', 'M', 'I'}) f.possible[static_cast<std::uint8_t>(c)] = true;  // RIFF, MZ, ID3
  return f;
}
constexpr FirstBytes kFirstBytes = MakeFirstBytes();

}  // namespace

std::size_t BinarySignatureLength(std::span<const std::uint8_t> head) {
  if (head.empty()) return 0;
  if (!kFirstBytes.possible[head[0]]) {
    for (const Signature& s : kSignatures)
      if (s.offset != 0 && Matches(head, s)) return s.offset + s.bytes.size();
    return 0;
  }
  for (const Signature& s : kSignatures)
    if (Matches(head, s)) return s.offset + s.bytes.size();
  if (const std::size_t n = RiffLength(head)) return n;
  if (const std::size_t n = ExecutableLength(head)) return n;
  return Id3Length(head);
}

}  // namespace nkf::guess
