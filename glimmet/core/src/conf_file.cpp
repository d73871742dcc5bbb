#include "glimmet/core/conf_file.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>

namespace glimmet {
namespace {

using S = StoredSettings;

constexpr std::array<ConfKey, 36> kKeys{{
    {L"form left = ", L"form left", &S::formLeft},
    {L"form top = ", L"form top", &S::formTop},
    {L"form right = ", L"form right", &S::formRight},
    {L"form bottom = ", L"form bottom", &S::formBottom},
    {L"top height = ", L"top height", &S::topHeight},
    {L"disp Top = ", L"disp top", &S::dispTop},
    {L"treeview indent = ", L"treeview indent", &S::treeviewIndent},
    {L"listview col = ", L"listview col", &S::listviewCol},
    {L"to file = ", L"to file", &S::toFile},
    {L"turn back = ", L"turn back", &S::turnBack},
    {L"mous pos = ", L"mous pos", &S::mousPos},
    {L"win handle = ", L"win handle", &S::winHandle},
    {L"hotkey = ", L"hotkey", &S::hotkey},
    {L"enable hot t = ", L"enable hot t", &S::enableHotT},
    {L"disp text = ", L"disp text", &S::dispText},
    {L"start node = ", L"start node", &S::startNode},
    {L"auto start= ", L"auto start", &S::autoStart},
    {L"clipboard= ", L"clipboard", &S::clipboard},
    {L"hint = ", L"hint", &S::hint},
    {L"auto stop = ", L"auto stop", &S::autoStop},
    {L"auto stop time = ", L"auto stop time", &S::autoStopTime},
    {L"auto close = ", L"auto close", &S::autoClose},
    {L"chime = ", L"chime", &S::chime},
    {L"chime file = ", L"chime file", &S::chimeFile},
    {L"detail = ", L"detail", &S::detail},
    {L"shift = ", L"shift", &S::shift},
    {L"shiftx = ", L"shiftx", &S::shiftX},
    {L"shifty = ", L"shifty", &S::shiftY},
    {L"parent & children = ", L"parent & children", &S::parentAndChildren},
    {L"parent & children max= ", L"parent & children max", &S::parentAndChildrenMax},
    {L"from hwnd = ", L"from hwnd", &S::fromHwnd},
    {L"action test = ", L"action test", &S::actionTest},
    {L"html tag text length = ", L"html tag text length", &S::htmlTagTextLength},
    {L"setting no = ", L"setting no", &S::settingNo},
    {L"setting left = ", L"setting left", &S::settingLeft},
    {L"setting top = ", L"setting top", &S::settingTop},
}};

std::wstring_view TrimBlanks(std::wstring_view text) {
  while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
  return text;
}

std::wstring LowerAscii(std::wstring_view text) {
  std::wstring lower(text);
  for (auto& c : lower)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return lower;
}

// The two check boxes whose state is stored: a state other than 0 or 1 means nothing to them.
bool IsCheckBoxState(int S::*field) { return field == &S::turnBack || field == &S::detail; }

}  // namespace

std::optional<int> LeadingInteger(std::wstring_view value) {
  std::size_t i = 0;
  while (i < value.size() && value[i] == L' ') ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == L'-' || value[i] == L'+')) negative = value[i++] == L'-';
  double number = 0;
  bool digits = false;
  for (; i < value.size() && value[i] >= L'0' && value[i] <= L'9'; ++i, digits = true) {
    number = number * 10 + (value[i] - L'0');
    if (number > 1e12) return std::nullopt;
  }
  if (i < value.size() && value[i] == L'.') {
    double scale = 0.1;
    for (++i; i < value.size() && value[i] >= L'0' && value[i] <= L'9'; ++i, scale /= 10) {
      number += (value[i] - L'0') * scale;
      digits = true;
    }
  }
  if (!digits) return 0;
  const long long rounded = RoundHalfEven(negative ? -number : number);
  if (rounded < std::numeric_limits<std::int32_t>::min() ||
      rounded > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<int>(rounded);
}

std::span<const ConfKey> ConfKeys() { return kKeys; }

void ApplyConfLine(std::wstring_view line, StoredSettings& settings) {
  const auto equals = line.find(L'=');
  if (equals == std::wstring_view::npos || line.find(L'=', equals + 1) != std::wstring_view::npos)
    return;
  const std::wstring key = LowerAscii(TrimBlanks(line.substr(0, equals)));
  const std::wstring_view value = TrimBlanks(line.substr(equals + 1));
  for (const auto& entry : kKeys) {
    if (entry.read != key) continue;
    if (auto text = std::get_if<std::wstring S::*>(&entry.field)) {
      settings.*(*text) = std::wstring(value);
    } else {
      const auto number = std::get<int S::*>(entry.field);
      const auto parsed = LeadingInteger(value);
      if (!parsed) return;
      if (IsCheckBoxState(number) && *parsed != 0 && *parsed != 1) return;
      settings.*number = *parsed;
    }
    return;
  }
}

void ApplyConfText(std::wstring_view text, StoredSettings& settings) {
  while (!text.empty()) {
    const auto end = text.find_first_of(L"\r\n");
    ApplyConfLine(text.substr(0, end), settings);
    if (end == std::wstring_view::npos) break;
    const bool crlf = text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
  }
}

std::wstring ConfText(const StoredSettings& settings) {
  std::wstring text;
  for (const auto& entry : kKeys) {
    text += entry.written;
    if (auto field = std::get_if<std::wstring S::*>(&entry.field))
      text += settings.*(*field);
    else
      text += std::to_wstring(settings.*std::get<int S::*>(entry.field));
    text += L"\r\n";
  }
  return text;
}

}  // namespace glimmet
