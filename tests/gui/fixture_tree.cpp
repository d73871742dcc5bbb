#include "fixture_tree.h"

#include <algorithm>

using guidriver::Rows;

namespace fixture_tree {
namespace {

// The literal's bytes without its terminating NUL; the samples hold NUL bytes of their own.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

struct FindTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle listing) { ::FindClose(listing); }
};

// The Japanese samples are these lines in each encoding (made with Python's codecs, checked with
// `nkf -g`):
//   L1 = \u4e0a\u4e0b\u306e\u4e0d\u601d\u8b70\u306a\u6587\u5b57\u5217\u3067\u3059\u3002
//        (U+4E0A and U+4E0D: in UTF-16 their bytes include those of LF and CR)
//   L2 = \u65e5\u672c\u8a9e\u306e\u6587\u7ae0\u3092\u66f8\u3044\u3066\u3044\u307e\u3059\u3002
//   L3 = \u6f22\u5b57\u3068\u3072\u3089\u304c\u306a\u3068\u30ab\u30bf\u30ab\u30ca\u304c\u6df7\u3056\u3063\u3066\u3044\u307e\u3059\u3002
//   L4 = \u4eca\u65e5\u306f\u826f\u3044\u5929\u6c17\u3067\u3059\u306d\u3002
// Shift_JIS, EUC-JP, ISO-2022-JP: L2 L3 L4. CP932: NEC (87 40..) and IBM (FA 40.., FB FC)
// characters, then L2 L3. UTF-8 and UTF-16: L1 L2 L3. Inner (Shift_JIS, CR): L2 L3.

std::string Sjis() {
  return Bytes(
      "\x93\xfa\x96{\x8c\xea\x82\xcc\x95\xb6\x8f\xcd\x82\xf0\x8f\x91\x82\xa2\x82\xc4\x82\xa2\x82"
      "\xdc\x82\xb7\x81" "B\x0d\x0a\x8a\xbf\x8e\x9a\x82\xc6\x82\xd0\x82\xe7\x82\xaa\x82\xc8\x82"
      "\xc6\x83J\x83^\x83J\x83i\x82\xaa\x8d\xac\x82\xb4\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb7"
      "\x81" "B\x0d\x0a\x8d\xa1\x93\xfa\x82\xcd\x97\xc7\x82\xa2\x93V\x8b" "C\x82\xc5\x82\xb7\x82"
      "\xcb\x81" "B\x0d\x0a");
}

std::string Cp932() {
  return Bytes(
      "\x87@\x87" "A\x87" "B\xfa@\xfa" "A\xfaX\xfb\xfc\x0d\x0a\x93\xfa\x96{\x8c\xea\x82\xcc\x95"
      "\xb6\x8f\xcd\x82\xf0\x8f\x91\x82\xa2\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81" "B\x0d\x0a\x8a"
      "\xbf\x8e\x9a\x82\xc6\x82\xd0\x82\xe7\x82\xaa\x82\xc8\x82\xc6\x83J\x83^\x83J\x83i\x82\xaa"
      "\x8d\xac\x82\xb4\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81" "B\x0d\x0a");
}

std::string Eucjp() {
  return Bytes(
      "\xc6\xfc\xcb\xdc\xb8\xec\xa4\xce\xca\xb8\xbe\xcf\xa4\xf2\xbd\xf1\xa4\xa4\xa4\xc6\xa4\xa4"
      "\xa4\xde\xa4\xb9\xa1\xa3\x0a\xb4\xc1\xbb\xfa\xa4\xc8\xa4\xd2\xa4\xe9\xa4\xac\xa4\xca\xa4"
      "\xc8\xa5\xab\xa5\xbf\xa5\xab\xa5\xca\xa4\xac\xba\xae\xa4\xb6\xa4\xc3\xa4\xc6\xa4\xa4\xa4"
      "\xde\xa4\xb9\xa1\xa3\x0a\xba\xa3\xc6\xfc\xa4\xcf\xce\xc9\xa4\xa4\xc5\xb7\xb5\xa4\xa4\xc7"
      "\xa4\xb9\xa4\xcd\xa1\xa3\x0a");
}

std::string Iso2022jp() {
  return Bytes(
      "\x1b$BF|K\x5c" "8l$NJ8>O$r=q$$$F$$$^$9!#\x1b(B\x0d\x0a\x1b$B4A;z$H$R$i$,$J$H%+%\x3f%+%J$"
      ",:.$6$C$F$$$^$9!#\x1b(B\x0d\x0a\x1b$B:#F|$ONI$$E75$$G$9$M!#\x1b(B\x0d\x0a");
}

std::string Utf8() {
  return Bytes(
      "\xe4\xb8\x8a\xe4\xb8\x8b\xe3\x81\xae\xe4\xb8\x8d\xe6\x80\x9d\xe8\xad\xb0\xe3\x81\xaa\xe6"
      "\x96\x87\xe5\xad\x97\xe5\x88\x97\xe3\x81\xa7\xe3\x81\x99\xe3\x80\x82\x0a\xe6\x97\xa5\xe6"
      "\x9c\xac\xe8\xaa\x9e\xe3\x81\xae\xe6\x96\x87\xe7\xab\xa0\xe3\x82\x92\xe6\x9b\xb8\xe3\x81"
      "\x84\xe3\x81\xa6\xe3\x81\x84\xe3\x81\xbe\xe3\x81\x99\xe3\x80\x82\x0a\xe6\xbc\xa2\xe5\xad"
      "\x97\xe3\x81\xa8\xe3\x81\xb2\xe3\x82\x89\xe3\x81\x8c\xe3\x81\xaa\xe3\x81\xa8\xe3\x82\xab"
      "\xe3\x82\xbf\xe3\x82\xab\xe3\x83\x8a\xe3\x81\x8c\xe6\xb7\xb7\xe3\x81\x96\xe3\x81\xa3\xe3"
      "\x81\xa6\xe3\x81\x84\xe3\x81\xbe\xe3\x81\x99\xe3\x80\x82\x0a");
}

std::string Utf8Bom() {
  return Bytes(
      "\xef\xbb\xbf\xe4\xb8\x8a\xe4\xb8\x8b\xe3\x81\xae\xe4\xb8\x8d\xe6\x80\x9d\xe8\xad\xb0\xe3"
      "\x81\xaa\xe6\x96\x87\xe5\xad\x97\xe5\x88\x97\xe3\x81\xa7\xe3\x81\x99\xe3\x80\x82\x0d\x0a"
      "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xae\xe6\x96\x87\xe7\xab\xa0\xe3\x82\x92\xe6"
      "\x9b\xb8\xe3\x81\x84\xe3\x81\xa6\xe3\x81\x84\xe3\x81\xbe\xe3\x81\x99\xe3\x80\x82\x0d\x0a"
      "\xe6\xbc\xa2\xe5\xad\x97\xe3\x81\xa8\xe3\x81\xb2\xe3\x82\x89\xe3\x81\x8c\xe3\x81\xaa\xe3"
      "\x81\xa8\xe3\x82\xab\xe3\x82\xbf\xe3\x82\xab\xe3\x83\x8a\xe3\x81\x8c\xe6\xb7\xb7\xe3\x81"
      "\x96\xe3\x81\xa3\xe3\x81\xa6\xe3\x81\x84\xe3\x81\xbe\xe3\x81\x99\xe3\x80\x82\x0d\x0a");
}

std::string Utf16le() {
  return Bytes(
      "\x0aN\x0bNn0\x0dN\x1d`p\x8bj0\x87" "eW[\x17Rg0Y0\x02" "0\x0d\x00\x0a\x00\xe5" "e,g\x9e\x8a"
      "n0\x87" "e\xe0z\x92" "0\xf8" "fD0f0D0~0Y0\x02" "0\x0d\x00\x0a\x00\x22oW[h0r0\x89" "0L0j0"
      "h0\xab" "0\xbf" "0\xab" "0\xca" "0L0\xf7mV0c0f0D0~0Y0\x02" "0\x0d\x00\x0a\x00");
}

std::string Utf16leBom() {
  return Bytes(
      "\xff\xfe\x0aN\x0bNn0\x0dN\x1d`p\x8bj0\x87" "eW[\x17Rg0Y0\x02" "0\x0d\x00\xe5" "e,g\x9e\x8a"
      "n0\x87" "e\xe0z\x92" "0\xf8" "fD0f0D0~0Y0\x02" "0\x0d\x00\x22oW[h0r0\x89" "0L0j0h0\xab" "0"
      "\xbf" "0\xab" "0\xca" "0L0\xf7mV0c0f0D0~0Y0\x02" "0\x0d\x00");
}

std::string Utf16be() {
  return Bytes(
      "N\x0aN\x0b" "0nN\x0d`\x1d\x8bp0je\x87[WR\x17" "0g0Y0\x02\x00\x0a" "e\xe5g,\x8a\x9e" "0ne"
      "\x87z\xe0" "0\x92" "f\xf8" "0D0f0D0~0Y0\x02\x00\x0ao\x22[W0h0r0\x89" "0L0j0h0\xab" "0\xbf"
      "0\xab" "0\xca" "0Lm\xf7" "0V0c0f0D0~0Y0\x02\x00\x0a");
}

std::string Utf16beBom() {
  return Bytes(
      "\xfe\xffN\x0aN\x0b" "0nN\x0d`\x1d\x8bp0je\x87[WR\x17" "0g0Y0\x02\x00\x0d\x00\x0a" "e\xe5"
      "g,\x8a\x9e" "0ne\x87z\xe0" "0\x92" "f\xf8" "0D0f0D0~0Y0\x02\x00\x0d\x00\x0ao\x22[W0h0r0\x89"
      "0L0j0h0\xab" "0\xbf" "0\xab" "0\xca" "0Lm\xf7" "0V0c0f0D0~0Y0\x02\x00\x0d\x00\x0a");
}

std::string InnerSjisCr() {
  return Bytes(
      "\x93\xfa\x96{\x8c\xea\x82\xcc\x95\xb6\x8f\xcd\x82\xf0\x8f\x91\x82\xa2\x82\xc4\x82\xa2\x82"
      "\xdc\x82\xb7\x81" "B\x0d\x8a\xbf\x8e\x9a\x82\xc6\x82\xd0\x82\xe7\x82\xaa\x82\xc8\x82\xc6"
      "\x83J\x83^\x83J\x83i\x82\xaa\x8d\xac\x82\xb4\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81"
      "B\x0d");
}

std::string Ascii(const char* eol, int lines) {
  std::string text;
  for (int line = 0; line < lines; ++line) text += "plain ASCII line number " + std::to_string(line) + eol;
  return text;
}

// A PNG signature and the start of its header chunk: NUL bytes from the ninth byte on.
std::string PngHeader() {
  return Bytes("\x89PNG\x0d\x0a\x1a\x0a\x00\x00\x00\x0dIHDR\x00\x00\x01\x00\x00\x00\x01\x00\x08\x06"
                     "\x00\x00\x00\x5c\x72\xa8\x66\x00\x00\x00\x00IEND\xae\x42\x60\x82");
}

}  // namespace

std::vector<SampleFile> EncodingTree() {
  const std::wstring kUtf16 = L"UTF-16";
  const std::wstring kUtf8 = L"UTF-8";
  const std::wstring kAscii = L"ASCII";
  return {
      {L"ascii_cr.txt", Ascii("\x0d", 4), kAscii, L"CR"},
      {L"ascii_crlf.txt", Ascii("\x0d\x0a", 4), kAscii, L"CR LF"},
      {L"ascii_lf.txt", Ascii("\x0a", 4), kAscii, L"LF"},
      // CR LF lines with one LF line in the middle.
      {L"ascii_mixed.txt", Ascii("\x0d\x0a", 2) + Ascii("\x0a", 1) + Ascii("\x0d\x0a", 2), kAscii, kMixed},
      {L"ascii_none.txt", "one line without any line break", kAscii, L""},
      {L"binary.png", PngHeader(), L"BINARY", L""},
      {L"cp932.txt", Cp932(), L"CP932", L"CR LF"},
      {L"empty.txt", "", kAscii, L""},
      {L"eucjp.txt", Eucjp(), L"EUC-JP", L"LF"},
      {L"hidden.txt", Ascii("\x0a", 2), kAscii, L"LF", true},
      {L"iso2022jp.txt", Iso2022jp(), L"ISO-2022-JP", L"CR LF"},
      {kLockedName, Ascii("\x0a", 3), kAscii, L"LF"},
      {L"sjis.txt", Sjis(), L"Shift_JIS", L"CR LF"},
      // "sub" itself is hidden (set on the folder after its files are written).
      {L"sub\\deeper\\deep.txt", Utf8(), kUtf8, L"LF"},
      {L"sub\\inner.txt", InnerSjisCr(), L"Shift_JIS", L"CR"},
      {L"utf16be.txt", Utf16be(), kUtf16, L"LF"},
      {L"utf16be_bom.txt", Utf16beBom(), kUtf16, L"CR LF"},
      {L"utf16le.txt", Utf16le(), kUtf16, L"CR LF"},
      {L"utf16le_bom.txt", Utf16leBom(), kUtf16, L"CR"},
      {L"utf8.txt", Utf8(), kUtf8, L"LF"},
      {L"utf8_bom.txt", Utf8Bom(), kUtf8, L"CR LF"},
  };
}

SampleFile TreeSample(const std::wstring& relativePath) {
  for (SampleFile& file : EncodingTree()) {
    if (file.relativePath == relativePath) return std::move(file);
  }
  throw guidriver::DriverError("no sample " + guidriver::Utf8(relativePath));
}

void WriteTree(const std::wstring& root, const std::vector<SampleFile>& files) {
  for (const SampleFile& file : files) {
    const std::wstring path = root + L"\\" + file.relativePath;
    for (size_t slash = file.relativePath.find(L'\\'); slash != std::wstring::npos;
         slash = file.relativePath.find(L'\\', slash + 1)) {
      const std::wstring folder = root + L"\\" + file.relativePath.substr(0, slash);
      if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        guidriver::ThrowLastError("cannot create '" + guidriver::Utf8(folder) + "'");
    }
    guidriver::WriteFileBytes(path, file.bytes);
    if (file.hidden && !::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN))
      guidriver::ThrowLastError("cannot hide '" + guidriver::Utf8(path) + "'");
  }
  // A hidden folder: the walk must enter it like any other.
  const std::wstring sub = root + L"\\sub";
  if (guidriver::FileExists(sub) &&
      !::SetFileAttributesW(sub.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN))
    guidriver::ThrowLastError("cannot hide '" + guidriver::Utf8(sub) + "'");
}

Rows ExpectedRows(const std::wstring& root, const std::vector<SampleFile>& files,
                  const std::wstring& unreadable) {
  Rows rows;
  for (const SampleFile& file : files) {
    if (file.relativePath == unreadable) continue;
    rows.push_back({root + L"\\" + file.relativePath, file.encoding, file.lineEnding});
  }
  return rows;
}

ExclusiveLock::ExclusiveLock(const std::wstring& path)
    : file_(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}

std::vector<std::wstring> ListingOrder(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry{};
  guidriver::UniqueHandle<FindTraits> listing(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
  if (!listing) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(listing.Get(), &entry));
  return names;
}

}  // namespace fixture_tree
