#include "glimmet_session.h"

namespace glimmet_test {
namespace {

guidriver::Process StartIn(const guidriver::TempFolder& folder, const std::string& conf,
                           const std::wstring& arguments) {
  const std::wstring program = folder.File(L"Glimmet.exe");
  if (!::CopyFileW(guidriver::ProgramBesideTest(L"Glimmet.exe").c_str(), program.c_str(), TRUE))
    throw guidriver::DriverError("Glimmet.exe is not beside the test");
  if (!conf.empty()) guidriver::WriteFileBytes(folder.File(L"Conf.txt"), conf);
  return guidriver::Process::Start(program, arguments, folder.Path());
}

}  // namespace

GlimmetSession::GlimmetSession(const guidriver::TempFolder& folder, const std::string& conf,
                               const std::wstring& arguments)
    : folder(folder), process(StartIn(folder, conf, arguments)) {
  guidriver::WindowQuery query;
  query.captionPrefix = L"Glimmet from point ";
  main = process.WaitForMainWindow(query);
}

DWORD GlimmetSession::Close() {
  guidriver::Post(main, WM_CLOSE);
  return process.WaitForExit();
}

}  // namespace glimmet_test
