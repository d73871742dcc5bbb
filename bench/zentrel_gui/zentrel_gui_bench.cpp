// Benchmark: a drop of a folder of small files on Zentrel's result list, timed from the posted
// drop until the title says the drop is done and every row is there. Anchors of the same run, on
// the same folder: zentrel-cli check (the same engine without the window), and the floor of
// listing, opening and reading 1000 bytes of each file in this process.
// Usage (from the folder holding Zentrel.exe, under Wine): zentrel_gui_bench.exe [FILES [ROUNDS]]
#include "guidriver/guidriver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

using namespace guidriver;
using Clock = std::chrono::steady_clock;

namespace {

const std::wstring kTitleDone = L"Zentrel - \x5b8c\x4e86\x3057\x307e\x3057\x305f\x3002";

// A few hundred bytes each, of the kinds a user drops: ASCII, Shift_JIS, UTF-8, UTF-16 with a
// byte-order mark; the line end varies with the file's number.
std::string SampleFile(int number) {
  static const char* const kEols[] = {"\x0d\x0a", "\x0a", "\x0d"};
  const std::string eol = kEols[number % 3];
  std::string text;
  switch (number % 4) {
    case 0:
      for (int line = 0; line < 12; ++line) text += "plain ASCII text line " + std::to_string(line) + eol;
      return text;
    case 1:
      for (int line = 0; line < 8; ++line)
        text += std::string("\x93\xfa\x96{\x8c\xea\x82\xcc\x95\xb6\x8f\xcd\x82\xc5\x82\xb7\x81" "B") + eol;
      return text;
    case 2:
      for (int line = 0; line < 8; ++line)
        text += std::string("\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xae\xe6\x96\x87\xe7\xab\xa0") + eol;
      return text;
    default:
      text = std::string("\xff\xfe", 2);
      for (int line = 0; line < 8; ++line) {
        text += std::string("\xe5\x65\x2c\x67\x9e\x8a\x6e\x30\x87\x65\xe0\x7a", 12);
        for (char c : eol) text += std::string(1, c) + std::string(1, '\0');
      }
      return text;
  }
}

void WriteFolder(const std::wstring& folder, int files) {
  for (int number = 0; number < files; ++number) {
    wchar_t name[32];
    std::swprintf(name, 32, L"\\f%05d.txt", number);
    WriteFileBytes(folder + name, SampleFile(number));
  }
}

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

struct FindTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle listing) { ::FindClose(listing); }
};

// Lists the folder and reads the first 1000 bytes of every file: what any inspection must do.
double ReadFloor(const std::wstring& folder) {
  const auto start = Clock::now();
  WIN32_FIND_DATAW entry{};
  UniqueHandle<FindTraits> listing(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
  unsigned long checksum = 0;
  char buffer[1000];
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    FileHandle file(::CreateFileW((folder + L"\\" + entry.cFileName).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD read = 0;
    if (file && ::ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0)
      checksum += static_cast<unsigned char>(buffer[read - 1]);
  } while (::FindNextFileW(listing.Get(), &entry));
  const double seconds = Seconds(Clock::now() - start);
  if (checksum == 0) std::printf("(no bytes read)\n");
  return seconds;
}

double CliCheck(const std::wstring& folder, const std::wstring& scratch) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  FileHandle out(::CreateFileW((scratch + L"\\cli.out").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                               CREATE_ALWAYS, 0, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out.Get();
  startup.hStdError = out.Get();
  const std::wstring program = ProgramBesideTest(L"zentrel-cli.exe");
  std::wstring commandLine = L"\"" + program + L"\" check \"" + folder + L"\"";
  PROCESS_INFORMATION info{};
  const auto start = Clock::now();
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &info))
    ThrowLastError("cannot start zentrel-cli.exe");
  KernelHandle process(info.hProcess);
  KernelHandle thread(info.hThread);
  ::WaitForSingleObject(process.Get(), INFINITE);
  return Seconds(Clock::now() - start);
}

// The title, asked with a long patience: while the drop runs, the program's thread is busy in the
// walk and answers sent messages only once it is back in its message loop.
std::wstring TitleOf(HWND main) {
  wchar_t text[256] = {};
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(main, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 600000, &copied))
    ThrowLastError("Zentrel did not answer within 10 minutes");
  return text;
}

// One drop on a running Zentrel: from the posted drop until the title is done and all rows show.
double GuiDrop(HWND main, HWND list, const std::wstring& folder, int files) {
  SetText(main, L"Zentrel");
  const auto start = Clock::now();
  PostDrop(list, {folder});
  while (TitleOf(main) != kTitleDone) PauseBriefly();
  const double seconds = Seconds(Clock::now() - start);
  const int rows = RemoteListView(list).RowCount();
  if (rows != files) throw DriverError("the drop showed " + std::to_string(rows) + " rows");
  return seconds;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int files = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10000;
  const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
  try {
    TempFolder scratch;
    const std::wstring folder = scratch.File(L"files");
    ::CreateDirectoryW(folder.c_str(), nullptr);
    WriteFolder(folder, files);

    double floor = 1e9, cli = 1e9, gui = 1e9;
    for (int round = 0; round < rounds; ++round) floor = std::min(floor, ReadFloor(folder));
    for (int round = 0; round < rounds; ++round) cli = std::min(cli, CliCheck(folder, scratch.Path()));

    Process zentrel = Process::Start(ProgramBesideTest(L"Zentrel.exe"), {}, scratch.Path());
    HWND main = zentrel.WaitForMainWindow({.className = L"#32770", .caption = L"Zentrel"});
    HWND list = Control(main, 40006);
    for (int round = 0; round < rounds; ++round) {
      const double seconds = GuiDrop(main, list, folder, files);
      std::printf("  drop %d: %.2f s\n", round + 1, seconds);
      gui = std::min(gui, seconds);
    }
    PostCommand(main, 105);
    zentrel.WaitForExit();

    std::printf("%d files, best of %d rounds (wall time under this process's platform)\n", files, rounds);
    std::printf("  read floor        %8.3f s  %10.0f files/s\n", floor, files / floor);
    std::printf("  zentrel-cli check %8.3f s  %10.0f files/s  (%.1f x the floor)\n", cli, files / cli, cli / floor);
    std::printf("  Zentrel drop      %8.3f s  %10.0f files/s  (%.1f x the floor, %.2f x zentrel-cli)\n", gui,
                files / gui, gui / floor, gui / cli);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zentrel_gui_bench: %s\n", error.what());
    return 1;
  }
}
