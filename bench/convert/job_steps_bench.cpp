// Where the conversion job's time goes beside the library's own file work: the steps the job takes
// per file around each NkfFileConvert1SafeW call and in its re-check, each timed alone over every
// file of TREE (which is only read). With COPY (a fresh copy of TREE, converted in place), also the
// library's conversion through the DLL as the job calls it, alone and with the re-check's reads
// made beside it on a second thread, as the job's read-ahead makes them.
// Usage (under Wine, from the folder holding nkf32.dll): job_steps_bench.exe TREE [COPY]
// Prints one line per step: step=NAME files=N wall=SECONDS
#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "nkf32/verbatim_path.h"
#include "nkf32_api.h"
#include "zentrel/convert/converter_options.h"
#include "zentrel/core/inspection_engine.h"
#include "zentrel/core/read_ahead.h"
#include "zentrel/core/settings_snapshot.h"
#include "zentrel/engine/nkf_dll_guesser.h"
#include "zentrel/engine/store_settings_reader.h"
#include "zentrel/platform/file_system_win.h"
#include "zentrel/settings/settings_store.h"

namespace {

class NullSink final : public zentrel::InspectionSink {
 public:
  void SetStatus(std::wstring_view) override {}
  void WriteRow(int, const zentrel::ResultRow&) override {}
  void ReportError(std::wstring_view, zentrel::InspectError) override {}
};

std::vector<std::wstring> FilesOf(const wchar_t* tree) {
  std::vector<std::wstring> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(tree))
    if (entry.is_regular_file()) files.push_back(entry.path().wstring());
  return files;
}

void Time(const char* name, const std::vector<std::wstring>& files,
          const std::function<void(const std::wstring&)>& step) {
  const auto start = std::chrono::steady_clock::now();
  for (const std::wstring& file : files) step(file);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("step=%s files=%zu wall=%.3f\n", name, files.size(), wall);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: job_steps_bench.exe TREE [COPY]\n");
    return 2;
  }
  const std::vector<std::wstring> files = FilesOf(argv[1]);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  zentrel::SettingsStore settings(std::wstring(folder) + L"job_steps_bench.config");
  settings.LoadSettings();

  Time("attributes", files, [](const std::wstring& file) {
    GetFileAttributesW(nkf::VerbatimPath(file).c_str());
  });
  Time("settings-and-options", files, [&](const std::wstring&) {
    zentrel::ConverterChoices choices{.encodingChoice = 2, .eolChoice = 2};
    choices.cp932 = settings.GetSetting(zentrel::setting::kCp932) != 0;
    choices.bom8 = settings.GetSetting(zentrel::setting::kBom8) != 0;
    choices.bom16 = settings.GetSetting(zentrel::setting::kBom16) != 0;
    SetNkfOption(zentrel::BuildConverterOptions(L"Shift_JIS", choices).c_str());
  });
  zentrel::StoreSettingsReader live(settings);
  Time("recheck-settings", files, [&](const std::wstring&) {
    live.ReadIgnoreList();
    for (const zentrel::setting::Int& s : zentrel::setting::kWalkSettings) live.Get(s);
  });
  zentrel::SettingsSnapshot snapshot(live);
  const int readSize = snapshot.Get(zentrel::setting::kReadSize);
  zentrel::Win32FileSystem disk;
  Time("recheck-reads", files, [&](const std::wstring& file) { zentrel::ReadAhead(disk, file, readSize, 1 << 30); });
  zentrel::NkfDllGuesser guesser;
  NullSink sink;
  zentrel::InspectionEngine fromDisk(disk, snapshot, guesser, sink);
  Time("recheck-from-disk", files, [&](const std::wstring& file) { fromDisk.InspectPath(file, 0); });
  zentrel::ReadAheadFileSystem ahead(disk);
  for (const std::wstring& file : files) ahead.Add(file, *zentrel::ReadAhead(disk, file, readSize, 1 << 30));
  zentrel::InspectionEngine fromReads(ahead, snapshot, guesser, sink);
  Time("recheck-from-reads", files, [&](const std::wstring& file) { fromReads.InspectPath(file, 0); });

  if (argc > 2) {
    const std::vector<std::wstring> copies = FilesOf(argv[2]);
    const auto convert = [](const std::wstring& file) {
      NkfFileConvert1SafeW(file.c_str(), static_cast<DWORD>(file.size() + 1));
    };
    SetNkfOption("--ic=CP932 -w80Lu");
    Time("dll-convert", copies, convert);
    // The copy is UTF-8 now; read as CP932 again it converts at much the same pace.
    std::thread beside([&] {
      zentrel::Win32FileSystem own;
      Time("recheck-reads-beside", files, [&](const std::wstring& file) { zentrel::ReadAhead(own, file, readSize, 1 << 30); });
    });
    Time("dll-convert-with-reads-beside", copies, convert);
    beside.join();
  }
  CoUninitialize();
  return 0;
}
