// The shipped webres.dll, loaded and called the way the skinned controls read their resources: LoadLibrary,
// GetProcAddress of the eight names, wide-character paths, size first and then the bytes, listings through two
// string handles.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/unit/companions/webres/PackageFiles.h"

namespace {

using TPathCall = int(__stdcall*)(const wchar_t*);
using TDataCall = int(__stdcall*)(const wchar_t*, BYTE*, int*);
using TEnumCall = int(__stdcall*)(const wchar_t*, void*, void*);
using TCreateCall = void*(__stdcall*)();
using TGetCall = const wchar_t*(__stdcall*)(void*);
using TSetCall = void(__stdcall*)(void*, const wchar_t*);
using TCloseCall = void(__stdcall*)(void*);

std::wstring DllPath() {
  // The build passes the host path of the DLL; Wine shows the host's root as drive Z:.
  std::string path = QOR_WEBRES_DLL;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return std::wstring(path.begin(), path.end());
}

template <typename T>
T Export(HMODULE module, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class WebResDllTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FModule = LoadLibraryW(DllPath().c_str());
    ASSERT_NE(FModule, nullptr) << "cannot load " << QOR_WEBRES_DLL << " error " << GetLastError();
    Register = Export<TPathCall>(FModule, "WebUIResourceRegister");
    Unregister = Export<TPathCall>(FModule, "WebUIResourceUnregister");
    Data = Export<TDataCall>(FModule, "WebUIResourceData");
    Enum = Export<TEnumCall>(FModule, "WebUIResourceEnum");
    Create = Export<TCreateCall>(FModule, "QStringCreate");
    Get = Export<TGetCall>(FModule, "QStringGet");
    Set = Export<TSetCall>(FModule, "QStringSet");
    Close = Export<TCloseCall>(FModule, "QStringClose");
    ASSERT_TRUE(Register && Unregister && Data && Enum && Create && Get && Set && Close);
  }
  void TearDown() override {
    if (FModule) FreeLibrary(FModule);
  }
  std::string Read(const wchar_t* path) {
    int size = 0;
    Data(path, nullptr, &size);
    if (size <= 0) return "<none>";
    std::string buffer(size_t(size), '\0');
    Data(path, reinterpret_cast<BYTE*>(buffer.data()), nullptr);
    return buffer;
  }
  std::pair<std::wstring, std::wstring> List(const wchar_t* folder) {
    void* folders = Create();
    void* files = Create();
    Enum(folder, folders, files);
    std::pair<std::wstring, std::wstring> out{Get(folders), Get(files)};
    Close(folders);
    Close(files);
    return out;
  }
  HMODULE FModule = nullptr;
  TPathCall Register = nullptr, Unregister = nullptr;
  TDataCall Data = nullptr;
  TEnumCall Enum = nullptr;
  TCreateCall Create = nullptr;
  TGetCall Get = nullptr;
  TSetCall Set = nullptr;
  TCloseCall Close = nullptr;
};

TEST_F(WebResDllTest, ReadsAndListsASkinPackageBesideTheProgram) {
  qor::webres::testing::TPackageFolder folder("dll");
  std::filesystem::create_directories(folder.Root() / "skin" / "ScreenShotSkin");
  const std::filesystem::path file =
      folder.Write("skin/ScreenShotSkin/classic.rcc", qor::webres::testing::SkinPackage("classic"));
  // The resource layer lowercases the path and uses backslashes.
  std::wstring path = file.wstring();
  for (wchar_t& c : path) c = c == L'/' ? L'\\' : towlower(c);
  ASSERT_EQ(Register(path.c_str()), 1);

  EXPECT_EQ(Read(L":/classic/main.ini"), "[validate]\nskinname=classic\n");
  EXPECT_EQ(Read(L":/classic/images/bg_window.png"), std::string(3000, 'p') + "classic");
  EXPECT_EQ(Read(L":/classic/images/none.png"), "<none>");
  EXPECT_EQ(List(L":/classic/"),
            std::make_pair(std::wstring(L"images|empty|"), std::wstring(L"main.ini|color_setting.ini|")));
  EXPECT_EQ(List(L":/classic/images/buttons/").second, L"close.png|min.png|");

  void* text = Create();
  Set(text, L"Größe");
  EXPECT_EQ(std::wstring(Get(text)), L"Größe");
  Close(text);

  std::wstring alternate = path.substr(0, path.size() - 4) + L".dll";
  EXPECT_EQ(Unregister(alternate.c_str()), 0);
  EXPECT_EQ(Read(L":/classic/images/icon.png"), "icon");
  EXPECT_EQ(Unregister(path.c_str()), 1);
  EXPECT_EQ(Read(L":/classic/images/icon.png"), "<none>");
  EXPECT_EQ(List(L":/classic/"), std::make_pair(std::wstring(), std::wstring()));
}

}  // namespace
