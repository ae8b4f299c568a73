// The library's exports called as the program calls them: size first, then the bytes; listings through string
// handles; and all of it from several threads at once.
#include "companions/webres/WebResApi.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "base/Utf16Text.h"
#include "tests/unit/companions/webres/PackageFiles.h"

namespace qor::webres {
namespace {

using testing::SkinPackage;
using testing::TPackageFolder;

std::u16string Wide(const std::filesystem::path& path) { return qor::Utf8ToUtf16(path.string()); }

// Size call, then data call into a buffer of that size, as the resource layer reads.
std::string ReadResource(const char16_t* path) {
  int32_t size = -1;
  EXPECT_EQ(WebUIResourceData(path, nullptr, &size), size);
  if (size <= 0) return size == 0 ? "<none>" : "<negative>";
  std::string buffer(size_t(size) + 1, '#');  // one guard byte that must stay
  EXPECT_EQ(WebUIResourceData(path, reinterpret_cast<uint8_t*>(buffer.data()), nullptr), size);
  EXPECT_EQ(buffer.back(), '#');
  buffer.pop_back();
  return buffer;
}

std::pair<std::u16string, std::u16string> Enum(const char16_t* folder, int32_t* found) {
  void* folders = QStringCreate();
  void* files = QStringCreate();
  *found = WebUIResourceEnum(folder, folders, files);
  std::pair<std::u16string, std::u16string> out{QStringGet(folders), QStringGet(files)};
  QStringClose(folders);
  QStringClose(files);
  return out;
}

class WebResApiTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetWebRes(); }
  void TearDown() override { ResetWebRes(); }
};

TEST_F(WebResApiTest, RegisterReadListUnregister) {
  TPackageFolder folder("api");
  const std::u16string skin = Wide(folder.Write("classic.rcc", SkinPackage("classic")));
  EXPECT_EQ(ReadResource(u":/classic/images/icon.png"), "<none>");
  ASSERT_EQ(WebUIResourceRegister(skin.c_str()), 1);
  EXPECT_EQ(ReadResource(u":/classic/images/icon.png"), "icon");
  EXPECT_EQ(ReadResource(u":/classic/images/bg_window.png"), std::string(3000, 'p') + "classic");
  EXPECT_EQ(ReadResource(u":/classic/nothing"), "<none>");

  int32_t found = -1;
  EXPECT_EQ(Enum(u":/classic/images/", &found),
            std::make_pair(std::u16string(u"buttons|"), std::u16string(u"bg_window.png|icon.png|")));
  EXPECT_EQ(found, 1);
  EXPECT_EQ(Enum(u":/classic/missing/", &found), std::make_pair(std::u16string(), std::u16string()));
  EXPECT_EQ(found, 0);

  EXPECT_EQ(WebUIResourceUnregister(u"Z:\\nowhere\\classic.rcc"), 0);
  EXPECT_EQ(ReadResource(u":/classic/images/icon.png"), "icon");
  EXPECT_EQ(WebUIResourceUnregister(skin.c_str()), 1);
  EXPECT_EQ(ReadResource(u":/classic/images/icon.png"), "<none>");
  EXPECT_EQ(WebUIResourceRegister((skin + u".missing").c_str()), 0);
  EXPECT_EQ(WebUIResourceRegister(nullptr), 0);
  EXPECT_EQ(WebUIResourceUnregister(nullptr), 0);
}

TEST_F(WebResApiTest, TheDataCallCopiesWhatTheSizeCallCounted) {
  // Another package of the same name is mounted between the two calls of one read; the buffer sized by the
  // first call must receive exactly the bytes it counted, never the larger new entry.
  TPackageFolder folder("between");
  testing::TZipBuilder small, large;
  small.Add("a.txt", "tiny");
  large.Add("a.txt", std::string(5000, 'L'), true);
  const std::u16string smallFile = Wide(folder.Write("p.rcc", small.Bytes()));
  const std::u16string largeFile = Wide(folder.Write("p.dll", large.Bytes()));
  ASSERT_EQ(WebUIResourceRegister(smallFile.c_str()), 1);
  int32_t size = 0;
  ASSERT_EQ(WebUIResourceData(u":/p/a.txt", nullptr, &size), 4);
  ASSERT_EQ(WebUIResourceRegister(largeFile.c_str()), 1);
  std::string buffer(size_t(size) + 1, '#');
  EXPECT_EQ(WebUIResourceData(u":/p/a.txt", reinterpret_cast<uint8_t*>(buffer.data()), nullptr), 4);
  EXPECT_EQ(buffer, "tiny#");
  EXPECT_EQ(ReadResource(u":/p/a.txt"), std::string(5000, 'L')) << "the next read sees the new package";

  // A size call for another path in between starts a new read; its data call then reads now.
  ASSERT_EQ(WebUIResourceData(u":/p/a.txt", nullptr, &size), 5000);
  ASSERT_EQ(WebUIResourceData(u":/p/missing", nullptr, &size), 0);
  std::string whole(5000, '#');
  EXPECT_EQ(WebUIResourceData(u":/p/a.txt", reinterpret_cast<uint8_t*>(whole.data()), nullptr), 5000);
  EXPECT_EQ(whole, std::string(5000, 'L'));
}

TEST_F(WebResApiTest, StringHandlesHoldTheirTextUntilClosed) {
  void* a = QStringCreate();
  void* b = QStringCreate();
  ASSERT_NE(a, b);
  EXPECT_EQ(std::u16string(QStringGet(a)), u"");
  QStringSet(a, u"Größe|名前|");
  QStringSet(b, nullptr);
  EXPECT_EQ(std::u16string(QStringGet(a)), u"Größe|名前|");
  EXPECT_EQ(std::u16string(QStringGet(b)), u"");
  QStringClose(a);
  // A closed or made-up handle is ignored rather than trusted.
  int notAHandle = 0;
  EXPECT_EQ(std::u16string(QStringGet(a)), u"");
  EXPECT_EQ(std::u16string(QStringGet(&notAHandle)), u"");
  QStringSet(&notAHandle, u"x");
  QStringClose(&notAHandle);
  QStringClose(nullptr);
  EXPECT_EQ(WebUIResourceEnum(u":/", &notAHandle, nullptr), 1);
  QStringClose(b);
}

TEST_F(WebResApiTest, ReadersAndMountersRunTogether) {
  TPackageFolder folder("threads");
  const std::u16string skin = Wide(folder.Write("classic.rcc", SkinPackage("classic")));
  ASSERT_EQ(WebUIResourceRegister(skin.c_str()), 1);
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 3; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 200; ++i) {
        // The package comes and goes; every read is either the whole resource or nothing.
        int32_t size = 0;
        if (WebUIResourceData(u":/classic/images/bg_window.png", nullptr, &size) != 0) {
          std::string buffer(size_t(size), '#');
          WebUIResourceData(u":/classic/images/bg_window.png", reinterpret_cast<uint8_t*>(buffer.data()), nullptr);
          if (buffer != std::string(3000, 'p') + "classic") ++wrong;
        }
        int32_t found = 0;
        const auto listing = Enum(u":/classic/images/buttons", &found);
        if (found ? listing.second != u"close.png|min.png|" : !listing.second.empty()) ++wrong;
        void* h = QStringCreate();
        QStringSet(h, u"x");
        if (std::u16string(QStringGet(h)) != u"x") ++wrong;
        QStringClose(h);
      }
    });
  for (int i = 0; i < 100; ++i) {
    WebUIResourceUnregister(skin.c_str());
    WebUIResourceRegister(skin.c_str());
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace qor::webres
