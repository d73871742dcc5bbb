#include "glimmet/core/key_names.h"

#include <string>

namespace glimmet {
namespace {

using Names = std::array<std::u16string, 257>;

Names BuildNames() {
  Names names;
  const std::u16string mouseButton = u" ";
  names[1] = names[2] = names[4] = mouseButton;
  names[3] = u"Break";
  names[8] = u"Backspace";
  names[9] = u"Tab";
  names[13] = u"Enter";
  names[16] = u"Shift";
  names[17] = u"Ctrl";
  names[18] = u"Alt";
  names[19] = u"Pause";
  names[20] = names[240] = u"Caps Lock";
  names[27] = u"Esc";
  names[28] = u"\u5909\u63db";
  names[29] = u"\u7121\u5909\u63db";
  names[32] = u"\u30b9\u30da\u30fc\u30b9";
  names[33] = u"PgUp";
  names[34] = u"PgDn";
  names[35] = u"End";
  names[36] = u"Home";
  names[37] = u"\u2190";
  names[38] = u"\u2191";
  names[39] = u"\u2192";
  names[40] = u"\u2193";
  names[44] = u"Print Screen";
  names[45] = u"Insert";
  names[46] = u"Delete";
  for (char16_t c = u'0'; c <= u'9'; ++c) names[c] = std::u16string(1, c);
  for (char16_t c = u'A'; c <= u'Z'; ++c) names[c] = std::u16string(1, c);
  const std::u16string windowsKey = u"\u30a6\u30a3\u30f3\u30c9\u30a6\u30ba\u30ad\u30fc";
  names[91] = u"\u5de6" + windowsKey;
  names[92] = u"\u53f3" + windowsKey;
  names[93] = u"\u30a2\u30d7\u30ea\u30b1\u30fc\u30b7\u30e7\u30f3\u30ad\u30fc";
  for (int digit = 0; digit <= 9; ++digit)
    names[96 + digit] = u"\u30c6\u30f3\u30ad\u30fc" + std::u16string(1, static_cast<char16_t>(u'0' + digit));
  const char16_t* numpadSigns[] = {u"*", u"+", u",", u"-", u".", u"/"};
  for (int i = 0; i < 6; ++i) names[106 + i] = numpadSigns[i];
  for (int f = 1; f <= 24; ++f) {
    std::u16string name = u"F";
    for (char c : std::to_string(f)) name += static_cast<char16_t>(c);
    names[111 + f] = name;
  }
  names[144] = u"Num Lock";
  names[145] = u"Scroll Lock";
  const char16_t* oemSigns[] = {u":", u";", u",", u"-^", u".", u"/", u"@"};
  for (int i = 0; i < 7; ++i) names[186 + i] = oemSigns[i];
  names[219] = u"[";
  names[220] = u"\\";
  names[221] = u"]";
  names[222] = u"^";
  names[226] = u"\\(\u30d0\u30c3\u30af\u30b9\u30e9\u30c3\u30b7\u30e5\uff09";
  names[242] = u"\u30ab\u30bf\u30ab\u30ca";
  names[243] = names[244] = u"\u534a\u89d2\uff0f\u5168\u89d2";
  return names;
}

std::array<HotKeyEntry, 29> BuildHotKeys() {
  static const char16_t* fNames[] = {u"F1", u"F2", u"F3", u"F4",  u"F5",  u"F6",
                                     u"F7", u"F8", u"F9", u"F10", u"F11", u"F12"};
  static const char16_t* shiftFNames[] = {u"Shift+F1", u"Shift+F2", u"Shift+F3", u"Shift+F4",
                                          u"Shift+F5", u"Shift+F6", u"Shift+F7", u"Shift+F8",
                                          u"Shift+F9", u"Shift+F10", u"Shift+F11", u"Shift+F12"};
  std::array<HotKeyEntry, 29> table{};
  table[0] = {u"", 0};
  table[1] = {u"PAUSE/BREAK", 19};
  table[2] = {u"ESC", 27};
  table[15] = {u"Shift+PAUSE/BREAK", kKeyShift | 19};
  table[16] = {u"Shift+ESC", kKeyShift | 27};
  for (int i = 0; i < 12; ++i) {
    table[3 + i] = {fNames[i], 112 + i};
    table[17 + i] = {shiftFNames[i], kKeyShift | (112 + i)};
  }
  return table;
}

}  // namespace

std::u16string_view KeyName(int virtualKey) {
  static const Names names = BuildNames();
  if (virtualKey < 0 || virtualKey >= static_cast<int>(names.size())) return {};
  return names[static_cast<std::size_t>(virtualKey)];
}

const std::array<HotKeyEntry, 29>& HotKeyTable() {
  static const std::array<HotKeyEntry, 29> table = BuildHotKeys();
  return table;
}

KeyCode HotKeyCode(std::u16string_view name) {
  for (const HotKeyEntry& entry : HotKeyTable())
    if (entry.name == name) return entry.code;
  return 0;
}

KeyCode HotKeyCode(std::wstring_view name) {
  std::u16string text;
  for (wchar_t c : name) text += static_cast<char16_t>(c);
  return HotKeyCode(std::u16string_view(text));
}

}  // namespace glimmet
