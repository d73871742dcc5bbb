#include "nkf32/options.h"

#include <cctype>

namespace nkf {
namespace {

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// Reads the UTF flavour after "w" at text[i]; advances i. False when the digits are not ours.
bool ParseUtfLetters(std::string_view text, std::size_t& i, ConvertOptions& o) {
  auto rest = text.substr(i);
  auto take = [&](std::string_view p) {
    if (rest.substr(0, p.size()) != p) return false;
    i += p.size();
    return true;
  };
  // Longest forms first, so "w16L0" is not read as "w16L" followed by a stray "0".
  if (take("16L0")) { o.output = Encoding::Utf16LE; o.outputBom = false; return true; }
  if (take("16B0")) { o.output = Encoding::Utf16BE; o.outputBom = false; return true; }
  if (take("16L")) { o.output = Encoding::Utf16LE; o.outputBom = true; return true; }
  if (take("16B")) { o.output = Encoding::Utf16BE; o.outputBom = true; return true; }
  if (take("16")) { o.output = Encoding::Utf16BE; o.outputBom = true; return true; }
  if (take("80")) { o.output = Encoding::Utf8; o.outputBom = false; return true; }
  if (take("8")) { o.output = Encoding::Utf8; o.outputBom = true; return true; }
  if (!rest.empty() && std::isdigit(static_cast<unsigned char>(rest[0]))) return false;
  o.output = Encoding::Utf8;  // a bare "w" is UTF-8 without a BOM
  o.outputBom = false;
  return true;
}

bool ParseShortGroup(std::string_view text, std::size_t& i, ConvertOptions& o) {
  while (i < text.size() && text[i] != ' ') {
    char c = text[i++];
    switch (c) {
      case 'g': o.guessOnly = true; break;
      case 's': o.output = Encoding::Cp932; o.outputBom = false; break;
      case 'e': o.output = Encoding::EucJp; o.outputBom = false; break;
      case 'j': o.output = Encoding::Iso2022Jp; o.outputBom = false; break;
      case 'w':
        if (!ParseUtfLetters(text, i, o)) return false;
        break;
      case 'L': {
        if (i >= text.size()) return false;
        char k = text[i++];
        if (k == 'w') o.lineEnding = LineEnding::CrLf;
        else if (k == 'm') o.lineEnding = LineEnding::Cr;
        else if (k == 'u') o.lineEnding = LineEnding::Lf;
        else {
          --i;
          return false;
        }
        break;
      }
      default: --i; return false;
    }
  }
  return true;
}

}  // namespace

OptionsResult ParseOptions(std::string_view text) {
  ConvertOptions o;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') { ++i; continue; }
    std::size_t start = i;
    if (text[i] != '-') return {false, {}, i};
    if (text.substr(i, 2) == "--") {
      std::size_t end = text.find(' ', i);
      if (end == std::string_view::npos) end = text.size();
      std::string_view opt = text.substr(i, end - i);
      constexpr std::string_view kInput = "--ic=";
      if (opt.substr(0, kInput.size()) != kInput) return {false, {}, start};
      std::string_view name = opt.substr(kInput.size());
      // Only the Windows flavour can be named: every other input encoding is guessed.
      if (!EqualsIgnoreCase(name, "CP932") && !EqualsIgnoreCase(name, "Windows-31J"))
        return {false, {}, start + kInput.size()};
      o.cp932Hint = true;
      i = end;
      continue;
    }
    ++i;
    if (!ParseShortGroup(text, i, o)) return {false, {}, i};
  }
  return {true, o, 0};
}

}  // namespace nkf
