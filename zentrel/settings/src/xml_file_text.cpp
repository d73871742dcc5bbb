#include "zentrel/settings/xml_file_text.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "zentrel/settings/code_page_text.h"

namespace zentrel {

namespace {

constexpr UINT kUtf8CodePage = CP_UTF8;

bool IsXmlSpace(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Where the declaration "<?xml ... ?>" ends (just past "?>") when the text starts with one.
template <typename Char>
std::size_t DeclarationEnd(std::basic_string_view<Char> text) {
  constexpr Char kOpen[] = {'<', '?', 'x', 'm', 'l'};
  if (text.size() < 6 || !std::equal(std::begin(kOpen), std::end(kOpen), text.begin())) return 0;
  if (!IsXmlSpace(static_cast<int>(text[5])) && text[5] != Char('?')) return 0;
  for (std::size_t at = 5; at + 1 < text.size(); ++at) {
    if (text[at] == Char('?') && text[at + 1] == Char('>')) return at + 2;
  }
  return 0;
}

// The value of encoding="..." inside an 8-bit declaration; empty when it names none.
std::string_view DeclaredEncoding(std::string_view bytes) {
  const std::size_t end = DeclarationEnd(bytes);
  if (end == 0) return {};
  const std::string_view declaration = bytes.substr(0, end);
  const std::size_t name = declaration.find("encoding");
  if (name == std::string_view::npos) return {};
  std::size_t at = name + 8;
  while (at < end && IsXmlSpace(declaration[at])) ++at;
  if (at >= end || declaration[at] != '=') return {};
  ++at;
  while (at < end && IsXmlSpace(declaration[at])) ++at;
  if (at >= end || (declaration[at] != '"' && declaration[at] != '\'')) return {};
  const char quote = declaration[at++];
  const std::size_t close = declaration.find(quote, at);
  if (close == std::string_view::npos) return {};
  return declaration.substr(at, close - at);
}

std::optional<std::wstring> DecodeUtf16(std::string_view bytes, bool bigEndian) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  std::wstring text(bytes.size() / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = static_cast<wchar_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  }
  return text;
}

std::optional<std::wstring> DecodeByMarkOrDeclaration(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return DecodeStrictly(kUtf8CodePage, bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
  const std::string_view encoding = DeclaredEncoding(bytes);
  const UINT codePage = encoding.empty() ? kUtf8CodePage : CodePageForXmlEncoding(encoding);
  if (codePage == 0) return std::nullopt;
  return DecodeStrictly(codePage, bytes);
}

}  // namespace

UINT CodePageForXmlEncoding(std::string_view name) {
  struct Alias {
    std::string_view name;
    UINT codePage;
  };
  static constexpr std::array kAliases = {
      Alias{"Shift_JIS", kShiftJisCodePage}, Alias{"Shift-JIS", kShiftJisCodePage},
      Alias{"SJIS", kShiftJisCodePage},      Alias{"x-sjis", kShiftJisCodePage},
      Alias{"windows-31j", kShiftJisCodePage}, Alias{"cp932", kShiftJisCodePage},
      Alias{"MS_Kanji", kShiftJisCodePage},  Alias{"csShiftJIS", kShiftJisCodePage},
      Alias{"UTF-8", kUtf8CodePage},         Alias{"UTF8", kUtf8CodePage},
      Alias{"US-ASCII", 20127},              Alias{"ASCII", 20127},
      Alias{"ISO-8859-1", 28591},            Alias{"latin1", 28591},
  };
  for (const Alias& alias : kAliases) {
    if (EqualsIgnoringCase(alias.name, name)) return alias.codePage;
  }
  return 0;
}

std::optional<std::wstring> DecodeXmlFile(std::string_view bytes) {
  std::optional<std::wstring> text = DecodeByMarkOrDeclaration(bytes);
  if (!text) return std::nullopt;
  text->erase(0, DeclarationEnd(std::wstring_view(*text)));
  return text;
}

}  // namespace zentrel
