// Usage: export_bench [ROWS [ROUNDS [EMOJI_EVERY]]]   (defaults 20000 rows, 5 rounds; best round of each)
// Prints the writer's two steps beside their anchors, measured in the same run:
//   encode: EncodeCodePage932 over the whole list text (as the writer calls it: exactness checked,
//           lines with an unfit character redone) vs one unchecked WideCharToMultiByte(932);
//   write:  WriteWholeFile (temporary file, then replace) vs CreateFileW + WriteFile in place.
// Every EMOJI_EVERY-th row (third argument, default 100; 0 for none) holds an emoji, so the slow
// path for lines without an exact form is part of the figure.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "zentrel/platform/code_page_932_text.h"
#include "zentrel/platform/whole_file_write.h"

namespace {

double BestSeconds(int rounds, const std::function<void()>& work) {
  double best = 1e30;
  for (int round = 0; round < rounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

std::vector<std::wstring> Lines(int rows, int emojiEvery) {
  std::vector<std::wstring> lines;
  for (int i = 0; i < rows; ++i) {
    std::wstring line = L"C:\\Users\\someone\\Documents\\\x8cc7\x6599\\project\\src\\module_" + std::to_wstring(i);
    if (emojiEvery > 0 && i % emojiEvery == 0) line += L"\xd83d\xde00";
    line += L".txt\tShift_JIS\tCR LF\r\n";
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rows = argc > 1 ? std::max(1, _wtoi(argv[1])) : 20000;
  const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
  const int emojiEvery = argc > 3 ? _wtoi(argv[3]) : 100;
  const std::vector<std::wstring> lines = Lines(rows, emojiEvery);
  std::wstring whole;
  for (const auto& line : lines) whole += line;

  std::string encoded;
  const double encode = BestSeconds(rounds, [&] {
    encoded = zentrel::platform::EncodeCodePage932(whole).bytes;
  });
  std::string plain;
  const double anchorEncode = BestSeconds(rounds, [&] {
    const int size = static_cast<int>(whole.size());
    const int length = WideCharToMultiByte(932, 0, whole.data(), size, nullptr, 0, nullptr, nullptr);
    plain.assign(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(932, 0, whole.data(), size, plain.data(), length, nullptr, nullptr);
  });

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring target = std::wstring(temp) + L"export_bench_list.txt";
  const std::wstring anchorTarget = std::wstring(temp) + L"export_bench_anchor.txt";
  bool ok = true;
  const double write = BestSeconds(rounds, [&] { ok = zentrel::platform::WriteWholeFile(target, encoded) && ok; });
  const double anchorWrite = BestSeconds(rounds, [&] {
    HANDLE file = CreateFileW(anchorTarget.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ok = file != INVALID_HANDLE_VALUE && WriteFile(file, plain.data(), static_cast<DWORD>(plain.size()), &written, nullptr) && ok;
    CloseHandle(file);
  });
  DeleteFileW(target.c_str());
  DeleteFileW(anchorTarget.c_str());
  if (!ok) {
    std::fprintf(stderr, "export_bench: a write failed\n");
    return 1;
  }
  std::printf("rows=%d bytes=%zu\n", rows, encoded.size());
  std::printf("encode  checked         %.4f s  anchor whole unchecked %.4f s  ratio %.2f\n", encode, anchorEncode,
              encode / anchorEncode);
  std::printf("write   temp+replace   %.4f s  anchor in place       %.4f s  ratio %.2f\n", write, anchorWrite,
              write / anchorWrite);
  return 0;
}
