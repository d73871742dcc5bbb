// Glimmet starts, names itself with its version and closes cleanly.
#include "guidriver/guidriver.h"

#include <gtest/gtest.h>

using namespace guidriver;

TEST(GlimmetShell, StartsWithItsVersionInTheCaptionAndClosesCleanly) {
  TempFolder folder;
  // Glimmet keeps "Conf.txt" beside itself: a copy in a fresh folder keeps the build tree clean.
  const std::wstring program = folder.File(L"Glimmet.exe");
  ASSERT_TRUE(::CopyFileW(ProgramBesideTest(L"Glimmet.exe").c_str(), program.c_str(), TRUE))
      << "Glimmet.exe is not beside the test (error " << ::GetLastError() << ")";
  auto process = Process::Start(program, {}, folder.Path());
  WindowQuery query;
  query.captionPrefix = L"Glimmet from point ";
  HWND main = process.WaitForMainWindow(query);
  const std::wstring caption = WindowText(main);
  const std::wstring version = caption.substr(query.captionPrefix->size());
  EXPECT_FALSE(version.empty()) << Utf8(caption);
  EXPECT_NE(version.find_first_of(L"0123456789"), std::wstring::npos) << Utf8(caption);
  SaveScreenshot(main, L"glimmet_start");

  Post(main, WM_CLOSE);
  EXPECT_EQ(process.WaitForExit(), 0u);
}
