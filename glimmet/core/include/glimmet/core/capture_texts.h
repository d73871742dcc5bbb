#pragma once
// The texts of the last capture, from which the detail switch fills the two big boxes.

#include <array>
#include <string>

namespace glimmet {

struct CaptureTexts {
  // Upper slots: 1 the accessibility report, 2 the text at the point (0 unused).
  std::array<std::wstring, 3> upper;
  // Lower slots: 0 "1" after a browser document, 1 the details report (or element table),
  // 2 the reader's text (or the HTML source), 3 the document text.
  std::array<std::wstring, 4> lower;

  std::wstring& pointText() { return upper[2]; }
  std::wstring& accReport() { return upper[1]; }
  std::wstring& htmlMode() { return lower[0]; }
  std::wstring& detailReport() { return lower[1]; }
  std::wstring& lowerText() { return lower[2]; }
  std::wstring& htmlText() { return lower[3]; }
};

// The slot each box shows for the settings "detail" and "disp text".
int UpperSlot(int detail);
int LowerSlot(int detail, int dispText, const std::wstring& htmlMode);

}  // namespace glimmet
