// What Windows and Explorer read from the released files without running them: the application
// manifest, the version resource in Japanese and English, the icon sizes; and the version each
// program shows when it runs is the one its resource carries.
#include "glimmet_session.h"
#include "guidriver/guidriver.h"

#include <gtest/gtest.h>
#include <msxml2.h>
#include <wrl/client.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;
using namespace guidriver;

namespace {

struct ReleasedFile {
  std::wstring file;
  std::wstring name;
  int iconGroup;  // 0: none
  bool manifest;
  DWORD fileType;
};

// Every file of the release zip but its readme.
const std::vector<ReleasedFile> kFiles = {{L"Zentrel.exe", L"Zentrel", 108, true, VFT_APP},
                                          {L"Glimmet.exe", L"Glimmet", 1, true, VFT_APP},
                                          {L"zentrel-cli.exe", L"zentrel-cli", 0, true, VFT_APP},
                                          {L"nkf32.dll", L"nkf32", 0, false, VFT_DLL}};

// Explorer's list and details views, the taskbar, Alt+Tab and the large icon view.
const std::set<int> kIconSizes = {16, 24, 32, 48, 256};

class ResourceImage {
 public:
  explicit ResourceImage(const std::wstring& path)
      : module_(::LoadLibraryExW(path.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {
    if (!module_) throw DriverError("cannot map the resources of the program");
  }
  ~ResourceImage() { ::FreeLibrary(module_); }
  ResourceImage(const ResourceImage&) = delete;
  ResourceImage& operator=(const ResourceImage&) = delete;

  // The resource's bytes; empty when there is none.
  std::string Bytes(LPCWSTR type, LPCWSTR name) const {
    HRSRC found = ::FindResourceW(module_, name, type);
    if (!found) return {};
    const void* data = ::LockResource(::LoadResource(module_, found));
    return std::string(static_cast<const char*>(data), ::SizeofResource(module_, found));
  }

 private:
  HMODULE module_;
};

std::wstring Utf8ToWide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                    static_cast<int>(wide.size())));
  return wide;
}

const IID kIidXmlDocument2 = {0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

struct ComScope {
  ComScope() { ::CoInitialize(nullptr); }
  ~ComScope() { ::CoUninitialize(); }
};

// The manifest parsed by the system's XML parser, queried with the namespaces Windows reads.
class Manifest {
 public:
  explicit Manifest(const std::string& utf8) {
    CLSID clsid{};
    if (FAILED(::CLSIDFromProgID(L"MSXML.DOMDocument", &clsid)) ||
        FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, kIidXmlDocument2, &document_))) {
      throw DriverError("no XML document object");
    }
    // Skip the UTF-8 declaration: loadXML takes UTF-16 text.
    std::wstring text = Utf8ToWide(utf8.substr(utf8.find("?>") + 2));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    BSTR markup = ::SysAllocString(text.c_str());
    document_->loadXML(markup, &loaded);
    ::SysFreeString(markup);
    parsed_ = loaded == VARIANT_TRUE;
    SetProperty(L"SelectionLanguage", L"XPath");
    SetProperty(L"SelectionNamespaces",
                L"xmlns:a='urn:schemas-microsoft-com:asm.v1' xmlns:v3='urn:schemas-microsoft-com:asm.v3' "
                L"xmlns:c='urn:schemas-microsoft-com:compatibility.v1' "
                L"xmlns:ws05='http://schemas.microsoft.com/SMI/2005/WindowsSettings' "
                L"xmlns:ws16='http://schemas.microsoft.com/SMI/2016/WindowsSettings'");
  }

  bool Parsed() const { return parsed_; }

  // The text of the first node the path selects; "(none)" when it selects nothing.
  std::wstring Text(const wchar_t* path) const {
    ComPtr<IXMLDOMNode> node;
    BSTR query = ::SysAllocString(path);
    HRESULT selected = document_->selectSingleNode(query, &node);
    ::SysFreeString(query);
    if (selected != S_OK || !node) return L"(none)";
    BSTR text = nullptr;
    node->get_text(&text);
    std::wstring result = text ? text : L"";
    ::SysFreeString(text);
    return result;
  }

 private:
  void SetProperty(const wchar_t* name, const wchar_t* value) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocString(value);
    BSTR key = ::SysAllocString(name);
    document_->setProperty(key, v);
    ::SysFreeString(key);
    ::VariantClear(&v);
  }

  ComPtr<IXMLDOMDocument2> document_;
  bool parsed_ = false;
};

class VersionInfo {
 public:
  explicit VersionInfo(const std::wstring& path) {
    DWORD ignored = 0;
    data_.resize(::GetFileVersionInfoSizeW(path.c_str(), &ignored));
    if (data_.empty() || !::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data_.size()), data_.data()))
      throw DriverError("the program has no version resource");
  }

  const VS_FIXEDFILEINFO& Fixed() const { return *static_cast<const VS_FIXEDFILEINFO*>(Query(L"\\")); }

  // "041104b0" style keys of the blocks the Translation value lists.
  std::set<std::wstring> Translations() const {
    UINT size = 0;
    void* value = nullptr;
    std::set<std::wstring> keys;
    if (!::VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &size)) return keys;
    const WORD* pairs = static_cast<const WORD*>(value);
    for (UINT i = 0; i + 1 < size / sizeof(WORD); i += 2) {
      wchar_t key[9];
      swprintf(key, 9, L"%04x%04x", pairs[i], pairs[i + 1]);
      keys.insert(key);
    }
    return keys;
  }

  std::wstring String(const std::wstring& block, const std::wstring& name) const {
    const void* value = Query(L"\\StringFileInfo\\" + block + L"\\" + name);
    return value ? static_cast<const wchar_t*>(value) : L"(none)";
  }

 private:
  const void* Query(const std::wstring& path) const {
    void* value = nullptr;
    UINT size = 0;
    return ::VerQueryValueW(data_.data(), path.c_str(), &value, &size) && size ? value : nullptr;
  }

  std::vector<char> data_;
};

std::wstring DottedVersion(const VS_FIXEDFILEINFO& fixed) {
  return std::to_wstring(HIWORD(fixed.dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(fixed.dwFileVersionMS)) +
         L"." + std::to_wstring(HIWORD(fixed.dwFileVersionLS));
}

const std::wstring kJapanese = L"041104b0";
const std::wstring kEnglish = L"040904b0";

}  // namespace

TEST(ReleaseResources, ManifestAsksForVisualStylesPerMonitorDpiLongPathsAndNoElevation) {
  ComScope com;
  struct Expectation {
    const wchar_t* path;
    std::wstring text;
  };
  for (const auto& program : kFiles) {
    if (!program.manifest) continue;
    SCOPED_TRACE(program.file);
    ResourceImage image(ProgramBesideTest(program.file));
    const std::string bytes = image.Bytes(RT_MANIFEST, MAKEINTRESOURCEW(1));
    ASSERT_FALSE(bytes.empty()) << "no manifest resource 1 (the one CreateProcess reads)";
    Manifest manifest(bytes);
    // A manifest that does not parse keeps the program from starting on Windows.
    ASSERT_TRUE(manifest.Parsed());
    const Expectation expectations[] = {
        {L"/a:assembly/a:assemblyIdentity/@name", program.name},
        {L"/a:assembly/a:assemblyIdentity/@version",
         DottedVersion(VersionInfo(ProgramBesideTest(program.file)).Fixed()) + L".0"},
        {L"/a:assembly/a:dependency/a:dependentAssembly/"
         L"a:assemblyIdentity[@name='Microsoft.Windows.Common-Controls']/@version",
         L"6.0.0.0"},
        {L"/a:assembly/v3:trustInfo/v3:security/v3:requestedPrivileges/v3:requestedExecutionLevel/@level",
         L"asInvoker"},
        {L"/a:assembly/v3:application/v3:windowsSettings/ws16:dpiAwareness", L"PerMonitorV2, PerMonitor"},
        {L"/a:assembly/v3:application/v3:windowsSettings/ws05:dpiAware", L"true/pm"},
        {L"/a:assembly/v3:application/v3:windowsSettings/ws16:longPathAware", L"true"},
        // Windows 10 and 11 share one id; without it they run the program as for Windows 8.
        {L"/a:assembly/c:compatibility/c:application/c:supportedOS[@Id='{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}']/@Id",
         L"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"},
        {L"/a:assembly/c:compatibility/c:application/c:supportedOS[@Id='{35138b9a-5d96-4fbd-8e2d-a2440225f93a}']/@Id",
         L"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"},
    };
    for (const auto& expected : expectations) EXPECT_EQ(manifest.Text(expected.path), expected.text) << expected.path;
  }
}

TEST(ReleaseResources, VersionResourceSaysTheSameInJapaneseAndEnglish) {
  std::wstring releaseVersion;
  for (const auto& program : kFiles) {
    SCOPED_TRACE(program.file);
    VersionInfo info(ProgramBesideTest(program.file));
    const VS_FIXEDFILEINFO& fixed = info.Fixed();
    EXPECT_EQ(fixed.dwFileVersionMS, fixed.dwProductVersionMS);
    EXPECT_EQ(fixed.dwFileVersionLS, fixed.dwProductVersionLS);
    EXPECT_EQ(fixed.dwFileType, program.fileType);
    // Every file is of one release.
    if (releaseVersion.empty()) releaseVersion = DottedVersion(fixed);
    EXPECT_EQ(DottedVersion(fixed), releaseVersion);

    EXPECT_EQ(info.Translations(), (std::set<std::wstring>{kJapanese, kEnglish}));
    for (const auto& block : {kJapanese, kEnglish}) {
      SCOPED_TRACE(block);
      EXPECT_EQ(info.String(block, L"ProductName"), program.name);
      EXPECT_EQ(info.String(block, L"OriginalFilename"), program.file);
      EXPECT_EQ(info.String(block, L"FileVersion"), info.String(kJapanese, L"ProductVersion"));
      EXPECT_EQ(info.String(block, L"ProductVersion"), info.String(kJapanese, L"ProductVersion"));
      EXPECT_EQ(info.String(block, L"FileDescription").rfind(program.name + L" ", 0), 0u)
          << "the description names the program first";
    }
    const std::wstring japanese = info.String(kJapanese, L"FileDescription");
    EXPECT_TRUE(std::any_of(japanese.begin(), japanese.end(), [](wchar_t c) { return c >= 0x3000; }))
        << "the Japanese description is written in Japanese";
    EXPECT_NE(japanese, info.String(kEnglish, L"FileDescription"));
  }
  EXPECT_EQ(VersionInfo(ProgramBesideTest(L"Zentrel.exe")).String(kJapanese, L"ProductVersion"), releaseVersion);
}

TEST(ReleaseResources, IconCarriesEverySizeExplorerAsksFor) {
  for (const auto& program : kFiles) {
    if (program.iconGroup == 0) continue;
    SCOPED_TRACE(program.file);
    ResourceImage image(ProgramBesideTest(program.file));
    const std::string group = image.Bytes(RT_GROUP_ICON, MAKEINTRESOURCEW(program.iconGroup));
    ASSERT_GE(group.size(), 6u);
    // GRPICONDIR: 6 bytes of header, then 14 bytes per image whose first byte is the width (0: 256).
    const size_t count = static_cast<unsigned char>(group[4]) | static_cast<unsigned char>(group[5]) << 8;
    ASSERT_EQ(group.size(), 6 + 14 * count);
    std::set<int> sizes;
    for (size_t i = 0; i < count; ++i) {
      const int width = static_cast<unsigned char>(group[6 + 14 * i]);
      sizes.insert(width == 0 ? 256 : width);
    }
    EXPECT_EQ(sizes, kIconSizes);
  }
}

TEST(ReleaseResources, RunningProgramsShowTheVersionOfTheirResource) {
  {
    TempFolder folder;
    glimmet_test::GlimmetSession glimmet(folder, "");
    EXPECT_EQ(WindowText(glimmet.main),
              L"Glimmet from point " +
                  VersionInfo(ProgramBesideTest(L"Glimmet.exe")).String(kJapanese, L"ProductVersion"));
    EXPECT_EQ(glimmet.Close(), 0u);
  }
  TempFolder folder;
  auto zentrel = Process::Start(ProgramBesideTest(L"Zentrel.exe"), {}, folder.Path());
  HWND main = zentrel.WaitForMainWindow({.className = L"#32770", .caption = L"Zentrel"});
  const int kMenuAbout = 104;
  const int kAboutVersion = 1101;
  PostCommand(main, kMenuAbout);
  HWND about = WaitForDialog(L"\x30d0\x30fc\x30b8\x30e7\x30f3\x60c5\x5831", zentrel.Id());
  EXPECT_EQ(WindowText(Control(about, kAboutVersion)),
            L"Zentrel " + VersionInfo(ProgramBesideTest(L"Zentrel.exe")).String(kJapanese, L"ProductVersion"));
  PressButton(about, IDOK);
  ASSERT_TRUE(WaitUntilGone(about));
  Post(main, WM_CLOSE);
  EXPECT_EQ(zentrel.WaitForExit(), 0u);
}
