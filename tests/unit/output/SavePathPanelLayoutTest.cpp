#include "output/SavePathPanelLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/FileSystem.h"

namespace qor {
namespace {

TEST(SavePathPanelLayout, ChildrenStayInsideAndApartAtBothScales) {
  for (const bool scaled : {false, true}) {
    for (const int32_t width : {0, 320, 816, 1632}) {
      SCOPED_TRACE(std::to_string(width) + (scaled ? " scaled" : ""));
      const TSavePathPanelLayout l = LayoutSavePathPanel(width, TScale::Of(scaled));
      const int32_t k = scaled ? 2 : 1;
      EXPECT_EQ(l.Client.Width, std::max(width, 320 * k));
      EXPECT_EQ(l.Client.Height, 72 * k);
      const TRect client{0, 0, l.Client.Width, l.Client.Height};
      const std::vector<TRect> children{l.chbtn_always, l.btn_pthpnl_close, l.edit_savepath, l.btn_browseSavePath};
      for (size_t i = 0; i < children.size(); ++i) {
        EXPECT_FALSE(children[i].IsEmpty()) << i;
        EXPECT_EQ(client.Intersect(children[i]), children[i]) << i;
        for (size_t j = i + 1; j < children.size(); ++j)
          EXPECT_TRUE(children[i].Intersect(children[j]).IsEmpty()) << i << " overlaps " << j;
      }
      // The folder field takes the room the Browse button leaves on its row.
      EXPECT_EQ(l.edit_savepath.Top, l.btn_browseSavePath.Top);
      EXPECT_EQ(l.btn_browseSavePath.Right, l.btn_pthpnl_close.Right);
    }
  }
}

TEST(SavePathPanelLayout, DriveRootOfDriveLettersAndSharesOnly) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"C:\\Users\\me\\Pictures", u"C:\\"},
      {u"d:", u"D:\\"},
      {u"e:/shots", u"E:\\"},
      {u"\\\\server\\share\\dir", u"\\\\server\\share\\"},
      {u"//server/share", u"\\\\server\\share\\"},
      {u"\\\\server", u""},
      {u"\\\\server\\", u""},
      {u"\\\\\\share", u""},
      {u"relative\\dir", u""},
      {u"1:\\x", u""},
      {u"", u""},
      {u"\\", u""},
      {u":", u""},
  };
  for (const auto& [folder, root] : cases) EXPECT_EQ(FolderDriveRoot(folder), root);
}

TEST(SavePathPanelLayout, BrowsedFolderIsKeptOnlyOnAFixedDisk) {
  std::vector<std::u16string> asked;
  const auto onlyC = [&](const std::u16string& root) {
    asked.push_back(root);
    return root == u"C:\\";
  };
  TBrowsedFolder got = ResolveBrowsedFolder(u"  C:\\Shots  ", onlyC);
  EXPECT_EQ(got.Outcome, TBrowseOutcome::Accepted);
  EXPECT_EQ(got.Folder, std::u16string(u"C:\\Shots") + PathSeparator);
  EXPECT_EQ(ResolveBrowsedFolder(u"C:\\", onlyC).Folder, u"C:\\");  // no second separator

  EXPECT_EQ(ResolveBrowsedFolder(u"Q:\\Shots", onlyC).Outcome, TBrowseOutcome::NotFixedDisk);
  EXPECT_EQ(ResolveBrowsedFolder(u"\\\\nas\\photos", onlyC).Outcome, TBrowseOutcome::NotFixedDisk);
  EXPECT_EQ(asked, (std::vector<std::u16string>{u"C:\\", u"C:\\", u"Q:\\", u"\\\\nas\\photos\\"}));

  // A rootless answer is never asked about and never taken; a blank one is no choice at all.
  asked.clear();
  EXPECT_EQ(ResolveBrowsedFolder(u"Shots", onlyC).Outcome, TBrowseOutcome::NotFixedDisk);
  EXPECT_EQ(ResolveBrowsedFolder(u" \t ", onlyC).Outcome, TBrowseOutcome::NothingChosen);
  EXPECT_TRUE(asked.empty());
}

}  // namespace
}  // namespace qor
