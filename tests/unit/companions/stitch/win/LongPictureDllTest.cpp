// The shipped DLL, loaded and called exactly as the scrolling capture does: LoadLibrary, GetProcAddress of
// "OpencvLongScreenShot", five arguments, the boolean in the low byte, the result copied right after the call.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/unit/companions/stitch/StitchTestSupport.h"

namespace {

using TEntry = BOOL(__stdcall*)(int, const BYTE*, int, BYTE**, int*);

std::wstring DllPath() {
  // The build passes the host path of the DLL; Wine shows the host's root as drive Z:.
  std::string path = QOR_LONGPICTURE_DLL;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return std::wstring(path.begin(), path.end());
}

class LongPictureDllTest : public ::testing::Test {
 protected:
  void SetUp() override { Load(); }
  void Load() {
    FModule = LoadLibraryW(DllPath().c_str());
    ASSERT_NE(FModule, nullptr) << "cannot load " << QOR_LONGPICTURE_DLL << " error " << GetLastError();
    FEntry = reinterpret_cast<TEntry>(reinterpret_cast<void*>(GetProcAddress(FModule, "OpencvLongScreenShot")));
    ASSERT_NE(FEntry, nullptr);
  }
  void TearDown() override {
    if (FModule) FreeLibrary(FModule);
  }
  // One call as the program makes it; the result is copied before anything else happens.
  bool Call(int direction, const std::vector<uint8_t>& frame, std::vector<uint8_t>& result) {
    BYTE* data = nullptr;
    int size = 0;
    const BOOL ok = FEntry(direction, frame.data(), int(frame.size()), &data, &size);
    result.clear();
    if (data != nullptr && size != 0) result.assign(data, data + size);
    return (ok & 0xFF) != 0;
  }
  HMODULE FModule = nullptr;
  TEntry FEntry = nullptr;
};

qor::stitch::corpus::TCaseRecipe Recipe() {
  auto recipe =
      qor::stitch::testing::PageRecipe("dll", 400, 300, 40, 24, 2000, 600, {80, 80, 80, -80, -80, -80, -80, -80, 80});
  recipe.Caret = true;
  return recipe;
}
TEST_F(LongPictureDllTest, StitchesARunAndReturnsAReadableBmpEveryTime) {
  const auto c = qor::stitch::corpus::BuildCase(Recipe());
  std::vector<uint8_t> result;
  for (size_t i = 0; i < c.Frames.size(); ++i) {
    ASSERT_TRUE(Call(c.Directions[i], c.Frames[i], result)) << i;
    qor::TImage image;
    ASSERT_EQ(qor::ReadBmp(result.data(), result.size(), image), qor::TBmpError::None) << i;
  }
  EXPECT_TRUE(qor::stitch::testing::MatchesIdeal(c, result.data(), result.size()));
}

TEST_F(LongPictureDllTest, ALoadStartsANewPictureAndFailuresKeepTheOldOne) {
  const auto c = qor::stitch::corpus::BuildCase(Recipe());
  std::vector<uint8_t> result;
  ASSERT_TRUE(Call(1, c.Frames[0], result));
  ASSERT_TRUE(Call(1, c.Frames[1], result));
  const std::vector<uint8_t> kept = result;
  std::vector<uint8_t> bad = c.Frames[2];
  bad[28] = 16;  // 16 bits per pixel
  EXPECT_FALSE(Call(1, bad, result));
  EXPECT_EQ(result, kept);

  // Unload and load again, as a new scrolling run does: the first frame is the whole picture again.
  FreeLibrary(FModule);
  ASSERT_NO_FATAL_FAILURE(Load());
  ASSERT_TRUE(Call(1, c.Frames[3], result));
  qor::TImage image;
  ASSERT_EQ(qor::ReadBmp(result.data(), result.size(), image), qor::TBmpError::None);
  EXPECT_EQ(image.Height(), 300);
}

TEST_F(LongPictureDllTest, OnlyTheEntryPointIsExportedUndecorated) {
  EXPECT_EQ(GetProcAddress(FModule, "_OpencvLongScreenShot@20"), nullptr);
  EXPECT_EQ(GetProcAddress(FModule, "ResetEntryPoint"), nullptr);
}

}  // namespace
