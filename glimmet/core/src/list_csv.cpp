#include "glimmet/core/list_csv.h"

namespace glimmet {
namespace {

std::wstring CsvField(std::wstring_view field) {
  const bool quoted = field.find_first_of(L",\"\r\n") != std::wstring_view::npos;
  std::wstring out;
  if (quoted) out += L'"';
  for (wchar_t c : field) {
    if (c == L'"') out += L'"';
    out += c;
  }
  if (quoted) out += L'"';
  return out;
}

std::wstring CsvRecord(std::wstring_view line) {
  std::wstring record;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find(L'\t', start);
    record += CsvField(line.substr(start, tab == std::wstring_view::npos ? std::wstring_view::npos : tab - start));
    if (tab == std::wstring_view::npos) return record;
    record += L',';
    start = tab + 1;
  }
}

}  // namespace

std::wstring ListViewToCsv(std::wstring_view text) {
  std::wstring csv;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(L"\r\n", start);
    csv += CsvRecord(text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start));
    csv += L"\r\n";
    if (end == std::wstring_view::npos) return csv;
    start = end + 2;
  }
}

}  // namespace glimmet
