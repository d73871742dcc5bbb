// Windows paths made literal: device names, trailing dots and blanks, long paths and the doubled
// separator of a dropped drive root must all reach the file system as the names they are.
#include "nkf32/verbatim_path.h"

#include <gtest/gtest.h>

namespace {

struct VerbatimCase {
  const wchar_t* path;
  const wchar_t* expected;
};

TEST(VerbatimPath, NamesEveryFileLiterally) {
  const VerbatimCase cases[] = {
      {L"C:\\dir\\aux.txt", L"\\\\?\\C:\\dir\\aux.txt"},
      {L"C:\\dir\\nul", L"\\\\?\\C:\\dir\\nul"},
      {L"C:\\dir\\dot. ", L"\\\\?\\C:\\dir\\dot. "},
      {L"C:\\\\name", L"\\\\?\\C:\\name"},            // a dropped root's child
      {L"C:\\", L"\\\\?\\C:\\"},
      {L"Z:/tree/./sub/../a.txt", L"\\\\?\\Z:\\tree\\a.txt"},
      {L"C:\\..\\..\\x", L"\\\\?\\C:\\x"},              // ".." stops at the root
      {L"\\\\server\\share\\..\\a", L"\\\\?\\UNC\\server\\share\\a"},
      {L"rel\\com1.txt", L"\\\\?\\D:\\work\\rel\\com1.txt"},
      {L"\\top\\a", L"\\\\?\\D:\\top\\a"},
      {L"D:b", L"\\\\?\\D:\\work\\b"},
      {L"E:b", L"\\\\?\\E:\\b"},
      {L"\\\\?\\C:\\already\\x.", L"\\\\?\\C:\\already\\x."},
      {L"\\\\.\\pipe\\p", L"\\\\.\\pipe\\p"},
  };
  for (const VerbatimCase& c : cases) {
    EXPECT_EQ(nkf::VerbatimPath(c.path, L"D:\\work"), c.expected);
  }
}

}  // namespace
