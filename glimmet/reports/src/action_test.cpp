#include "glimmet/reports/action_test.h"

#include <string>

#include "accessible_object.h"

namespace glimmet::reports {
namespace {

std::wstring ErrorDescription(HRESULT result) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring description(text ? text : L"", length);
  ::LocalFree(text);
  while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r' || description.back() == L' ')) {
    description.pop_back();
  }
  return description;
}

}  // namespace

void RunActionTest(int kind, const AccessibleRef& ref, const MessageSink& show) {
  if (!ref) {
    show(L"MSAA\u30AA\u30D6\u30B8\u30A7\u30AF\u30C8\u3067\u306F\u3042\u308A\u307E\u305B\u3093");
    return;
  }
  IAccessible* object = ref.object.Get();
  const VARIANT& child = ref.child.Get();
  const std::wstring name = acc::Name(object, child);
  HRESULT result = S_OK;
  std::wstring label;
  switch (kind) {
    case 1:
      label = L"accDoDefaultAction";
      result = object->accDoDefaultAction(child);
      break;
    case 2:
      label = L"AccSelect 1";
      result = object->accSelect(SELFLAG_TAKEFOCUS, child);
      break;
    case 3:
      label = L"AccSelect 2";
      result = object->accSelect(SELFLAG_TAKESELECTION, child);
      break;
    default:
      return;
  }
  if (FAILED(result)) {
    show(std::to_wstring(static_cast<long>(result)) + L" " + ErrorDescription(result) + L"\r\n\r\n" + label +
         L" - " + name);
  }
}

void ShowActionMessage(const std::wstring& text) { ::MessageBoxW(nullptr, text.c_str(), L"Glimmet", MB_OK); }

}  // namespace glimmet::reports
