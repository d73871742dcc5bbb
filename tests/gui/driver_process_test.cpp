// Starting and ending programs, and finding their windows.
#include "driver_target.h"

using namespace guidriver;
using fixture::DriverTargetTest;

TEST_F(DriverTargetTest, StartsInTheGivenWorkingFolder) {
  // The fixture shows its current directory in its edit box.
  EXPECT_EQ(WindowText(Item(fixture::kEdit)), folder_.Path());
  EXPECT_TRUE(process_->IsRunning());
  EXPECT_EQ(ClassName(window_), L"#32770");
}

TEST_F(DriverTargetTest, ReportsTheExitCodeOfAProgramThatEnds) {
  // Restart with a known exit code; the first instance is ended by the move.
  StartTarget(L"exit=7");
  PostCommand(window_, fixture::kMenuExit);
  EXPECT_EQ(process_->WaitForExit(), 7u);
  EXPECT_FALSE(process_->IsRunning());
}

TEST_F(DriverTargetTest, OwnerEndsAProcessStillRunning) {
  const DWORD id = process_->Id();
  process_.reset();
  KernelHandle handle(::OpenProcess(SYNCHRONIZE, FALSE, id));
  // Either the process is gone entirely or its handle is already signalled.
  if (handle) EXPECT_EQ(::WaitForSingleObject(handle.Get(), 0), WAIT_OBJECT_0);
  EXPECT_TRUE(WaitUntilGone(window_));
}

TEST_F(DriverTargetTest, OwnerEndsWhatTheProcessStartedToo) {
  PostCommand(window_, fixture::kSpawnCopy);
  HWND childWindow = WaitForTopLevelWindow(
      {.className = L"#32770", .caption = L"Driver Child " + std::to_wstring(process_->Id())});
  DWORD childId = 0;
  ::GetWindowThreadProcessId(childWindow, &childId);
  KernelHandle child(::OpenProcess(SYNCHRONIZE, FALSE, childId));
  ASSERT_TRUE(child);
  process_.reset();
  EXPECT_EQ(::WaitForSingleObject(child.Get(), 5000), WAIT_OBJECT_0);
}

TEST_F(DriverTargetTest, WindowTimeoutNamesWhatWasAwaitedAndWhatWasSeen) {
  WindowQuery query;
  query.caption = L"No Such Window";
  try {
    process_->WaitForMainWindow(query, Milliseconds{200});
    FAIL() << "a window that does not exist was found";
  } catch (const DriverError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("No Such Window"), std::string::npos) << message;
    EXPECT_NE(message.find("#32770 'Driver Target'"), std::string::npos) << message;
  }
}

TEST(DriverProcess, StartingAMissingProgramThrowsWithItsName) {
  try {
    Process::Start(ProgramBesideTest(L"no_such_program.exe"));
    FAIL() << "a missing program started";
  } catch (const DriverError& error) {
    EXPECT_NE(std::string(error.what()).find("no_such_program.exe"), std::string::npos) << error.what();
  }
}

TEST(DriverProcess, WaitingForTheWindowOfAProgramThatEndsFailsAtOnce) {
  TempFolder folder;
  // cmd.exe ends at once and never shows a window: the wait reports the exit, not a timeout.
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  auto process = Process::Start(std::wstring(system) + L"\\cmd.exe", L"/c exit 3", folder.Path());
  WindowQuery query;
  query.caption = L"never";
  try {
    process.WaitForMainWindow(query, Milliseconds{8000});
    FAIL() << "found a window of a program that shows none";
  } catch (const DriverError& error) {
    // The exit is reported, not a timeout.
    EXPECT_NE(std::string(error.what()).find("exit code 3"), std::string::npos) << error.what();
  }
}

TEST(DriverTempFolder, RemovesItsTreeIncludingReadOnlyFiles) {
  std::wstring path;
  {
    TempFolder folder;
    path = folder.Path();
    ASSERT_TRUE(::CreateDirectoryW(folder.File(L"sub").c_str(), nullptr));
    WriteFileBytes(folder.File(L"sub\\a.txt"), "abc");
    ::SetFileAttributesW(folder.File(L"sub\\a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadFileBytes(folder.File(L"sub\\a.txt")), "abc");
    TempFolder other;
    EXPECT_NE(other.Path(), folder.Path());
  }
  EXPECT_FALSE(FileExists(path));
}
