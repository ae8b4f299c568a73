#include "output/win/PictureWriter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

using test::TTestFolder;

// A visible message box of this process, or null.
HWND OurMessageBox() {
  for (HWND box = nullptr; (box = ::FindWindowExW(nullptr, box, L"#32770", L"Varnel Screenshot")) != nullptr;) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(box, &pid);
    if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(box)) return box;
  }
  return nullptr;
}

// Answers the program's message boxes as a user would: waits for each box of this process to appear, keeps its
// text and presses the next button of the script (IDYES, IDNO, IDOK); a box beyond the script gets No (or OK),
// so that a test expecting fewer boxes fails instead of hanging.
class TMessageBoxUser {
 public:
  explicit TMessageBoxUser(std::deque<int> buttons) : FButtons(std::move(buttons)) {
    FThread = std::thread([this] { Run(); });
  }
  ~TMessageBoxUser() {
    FStop = true;
    if (FThread.joinable()) FThread.join();
  }
  std::vector<std::wstring> Texts() {
    FStop = true;
    if (FThread.joinable()) FThread.join();
    return FTexts;
  }

 private:
  void Run() {
    while (!FStop) {
      HWND box = OurMessageBox();
      if (!box) {
        ::Sleep(5);  // polls for the box's state: shown
        continue;
      }
      wchar_t text[1024] = {};
      ::GetDlgItemTextW(box, 0xFFFF, text, 1024);  // the message's static control
      FTexts.push_back(text);
      int button = ::GetDlgItem(box, IDNO) ? IDNO : IDOK;
      if (!FButtons.empty()) {
        button = FButtons.front();
        FButtons.pop_front();
      }
      ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), LPARAM(::GetDlgItem(box, button)));
      while (::IsWindow(box) && !FStop) ::Sleep(5);  // until that box is gone
    }
  }

  std::deque<int> FButtons;
  std::vector<std::wstring> FTexts;
  std::atomic<bool> FStop{false};
  std::thread FThread;
};

TImage TallPicture() {
  TImage image(4, 70000);
  for (int32_t y = 0; y < image.Height(); ++y)
    for (int32_t x = 0; x < 4; ++x) image.View().At(x, y) = TBgra{uint8_t(x * 60), uint8_t(y), uint8_t(y >> 8), 0};
  return image;
}

std::vector<std::u16string> FilesIn(const std::u16string& folder) {
  std::vector<std::u16string> names;
  for (const auto& entry : std::filesystem::directory_iterator(ToFsPath(folder)))
    names.push_back(FromFsPath(entry.path().filename()));
  return names;
}

TEST(WritePictureFile, ATooTallJpegIsExplainedAndWrittenAsPngAfterYes) {
  TTestFolder folder;
  const TImage picture = TallPicture();
  std::u16string written;
  {
    TMessageBoxUser user({IDYES});
    ASSERT_TRUE(WritePictureFile(nullptr, picture.View(), folder.Path(u"long.jpeg"), &written));
    EXPECT_EQ(user.Texts(), std::vector<std::wstring>{L"The picture (4 x 70000 pixels) is too large to be saved as "
                                                      L"JPEG. Save it as PNG instead?"});
  }
  EXPECT_EQ(written, folder.Path(u"long.png"));
  EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::u16string>{u"long.png"});
  EXPECT_GT(FileSystem().SizeOfFile(written).value_or(0), 1000u);
}

TEST(WritePictureFile, NoWritesNothingAndAnExistingPngIsKeptUnlessReplaced) {
  TTestFolder folder;
  const TImage picture = TallPicture();
  std::u16string written = u"untouched";
  {
    TMessageBoxUser user({IDNO});
    EXPECT_FALSE(WritePictureFile(nullptr, picture.View(), folder.Path(u"long.gif"), &written));
    EXPECT_EQ(user.Texts().size(), 1u);
  }
  EXPECT_EQ(written, u"untouched");
  EXPECT_TRUE(FilesIn(folder.Path()).empty());
  // Yes to PNG, then No to replacing the PNG that is there.
  test::WriteBytes(folder.Path(u"long.png"), "mine");
  {
    TMessageBoxUser user({IDYES, IDNO});
    EXPECT_FALSE(WritePictureFile(nullptr, picture.View(), folder.Path(u"long.gif"), nullptr));
    const auto texts = user.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[1].find(L"long.png"), std::wstring::npos) << "the overwrite question names the PNG";
  }
  EXPECT_EQ(test::ReadBytes(folder.Path(u"long.png")), "mine");
}

TEST(WritePictureFile, AFailedWriteIsReportedOnce) {
  TTestFolder folder;
  const TImage small(3, 3);
  ASSERT_TRUE(FileSystem().MakeDirectories(folder.Path(u"taken.png")));  // a folder holds the name
  TMessageBoxUser user({IDOK});
  EXPECT_FALSE(WritePictureFile(nullptr, small.View(), folder.Path(u"taken.png"), nullptr));
  const auto texts = user.Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].find(L"could not be saved"), std::wstring::npos);
}

}  // namespace
}  // namespace qor
