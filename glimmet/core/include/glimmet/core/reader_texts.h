#pragma once
// Fixed texts of the readers: what a reader returns, the labels that say how a text was obtained,
// and the marks a list reader adds.

#include <string>
#include <string_view>

namespace glimmet {

// A reader's answer: the text and the name of the message or source it came from (may be empty).
struct ReadResult {
  std::wstring text;
  std::wstring methodLabel;
  bool operator==(const ReadResult&) const = default;
};

namespace label {
inline constexpr std::wstring_view kWmGetText = L"WM_GETTEXT";
inline constexpr std::wstring_view kLbGetText = L"LB_GETTEXT";
inline constexpr std::wstring_view kCbGetLbText = L"CB_GETLBTEXT";
inline constexpr std::wstring_view kLvmGetItem = L"LVM_GETITEMW";
inline constexpr std::wstring_view kTbGetButton = L"TB_GETBUTTON";
inline constexpr std::wstring_view kTcmGetItem = L"TCM_GETITEM";
inline constexpr std::wstring_view kTvmGetItem = L"TVM_GETITEMW";
inline constexpr std::wstring_view kAccessible = L"Accessible";
inline constexpr std::wstring_view kValue = L"Value";
inline constexpr std::wstring_view kHtml = L"HTML";
}  // namespace label

// Appended to a list that stopped before its end (the pointer left, the run stopped, or the
// target stopped answering).
inline constexpr std::wstring_view kInterruptionMark = L"\u30FB\u30FB\u30FB\u4E2D\u65AD\u30FB\u30FB\u30FB";

// What the accessibility list reader answers when no accessible object is at the point; readers
// treat it as no text.
inline constexpr std::wstring_view kAccessibleError = L"% \u53D6\u5F97\u30A8\u30E9\u30FC\uFF01 %";

// Progress texts of the list readers: "3/10", "5/-".
std::wstring ProgressText(long long done, long long total);

}  // namespace glimmet
