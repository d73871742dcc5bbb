#include "glimmet/core/window_report_text.h"

#include "glimmet/core/box_text.h"

namespace glimmet {
namespace {

std::wstring Padded(std::wstring text, std::size_t width, bool right) {
  if (text.size() < width) text.insert(right ? 0 : text.size(), width - text.size(), L' ');
  return text;
}

std::wstring RectText(const WindowRect& r) {
  return L"(" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," +
         std::to_wstring(r.bottom) + L")";
}

std::wstring BothForms(std::uint64_t handle) {
  return HandleText(handle, false) + L"(x" + HandleText(handle, true) + L")";
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring ParentLine(const ReportedWindow& p) {
  std::wstring line = L" " + HandleText(p.handle, false) + L" " + p.className + L" " + RectText(p.rect);
  if (!p.title.empty()) line += L" " + Quoted(p.title);
  return line + L"\r\n";
}

std::wstring ChildRow(const ReportedWindow& c, bool hex) {
  const std::wstring handle = hex ? L"x" + HandleText(c.handle, true) : HandleText(c.handle, false);
  std::wstring line = Padded(handle, 8, true) + L" " + Padded(c.className, 25, false) + L" " + RectText(c.rect) + L" ";
  if (!c.title.empty()) line += Quoted(c.title);
  return line + L" \r\n";
}

}  // namespace

std::wstring FormatWindowReport(const WindowReportParts& parts) {
  const ReportedWindow& w = parts.window;
  std::wstring text = L"Window Info.\r\n" + std::wstring(38, L'-') + L"\r\n";
  text += L"handle  \u3000\u3000\u3000\uFF1A" + BothForms(w.handle) + L"\r\n";
  text += L"class name\u3000\u3000\uFF1A" + w.className + L"\r\n";
  text += L"title     \u3000\u3000\uFF1A" + w.title + L"\r\n";
  text += L"location(LTRB)\uFF1A" + RectText(w.rect) + L"\r\n\r\n";
  text += L"owner   \u3000\u3000  \uFF1A\r\n";
  if (parts.owner) {
    text += L" " + BothForms(parts.owner->handle) + L" " + parts.owner->className + L" " + Quoted(parts.owner->title) +
            L"\r\n";
  }
  text += L"\r\nparent windows\uFF1A top \u2192 bottom\r\n";
  for (const ReportedWindow& p : parts.parents) text += ParentLine(p);
  text += L"\r\nchild windows\r\n\r\n";
  text += L"handle   class name               location(l,t,r,b)     text\r\n";
  text += std::wstring(61, L'-') + L"\r\n";
  for (const ReportedWindow& c : parts.children) text += ChildRow(c, parts.hexHandles);
  return text;
}

}  // namespace glimmet
