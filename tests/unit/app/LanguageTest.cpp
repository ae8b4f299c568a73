#include <gtest/gtest.h>

#include <random>

#include "app/Language.h"
#include "app/MessageTexts.h"
#include "app/SafeIniFile.h"
#include "base/TextDecoding.h"
#include "base/Utf16Text.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

using namespace test;

class LanguageTest : public testing::Test {
 protected:
  void WriteLanguage(std::u16string_view name, std::u16string_view text) {
    WriteBytes(Folder.Path(u"Language/") + std::u16string(name) + u".lng", EncodeUtf16LeWithBom(text));
  }
  TTestFolder Folder;
  TLanguage Language{Folder.Path(u"Language")};
};

TEST_F(LanguageTest, LoadsTheNamedLanguage) {
  WriteLanguage(u"Deutsch", u"[Main]\r\nDisplayName=Deutsch (DE)\r\n[Qor_Screen_M]\r\nM_OK=Gut\r\n");
  ASSERT_TRUE(Language.Load(u"Deutsch"));
  EXPECT_EQ(Language.LanguageName(), u"Deutsch");
  EXPECT_EQ(Language.DisplayName(), u"Deutsch (DE)");
  EXPECT_EQ(Language.MessageText(u"M_OK", u"OK"), u"Gut");
  EXPECT_EQ(Language.MessageText(u"M_Close", u"Close"), u"Close");
}

TEST_F(LanguageTest, AMissingLanguageOrANameLeadingOutOfTheFolderLoadsEnglish) {
  WriteLanguage(u"English", u"[Qor_Screen_M]\r\nM_OK=Okay\r\n");
  WriteBytes(Folder.Path(u"Evil.lng"), EncodeUtf16LeWithBom(u"[Qor_Screen_M]\r\nM_OK=evil\r\n"));
  for (std::u16string_view name : {u"Klingon", u"../Evil"}) {
    ASSERT_TRUE(Language.Load(name));
    EXPECT_EQ(Language.LanguageName(), u"English");
    EXPECT_EQ(Language.DisplayName(), u"English");  // no DisplayName: the file's base name
    EXPECT_EQ(Language.MessageText(u"M_OK", u"OK"), u"Okay");
  }
}

TEST_F(LanguageTest, WithoutAnyFileEveryMessageTakesItsDefault) {
  EXPECT_FALSE(Language.Load(u"Klingon"));
  EXPECT_EQ(Language.MessageText(u"M_OK", u"OK"), u"OK");
  EXPECT_EQ(Language.WindowText(u"FormScrollWinsTools", u"Btn.Caption"), std::nullopt);
}

TEST_F(LanguageTest, KeyLookupIgnoresCaseAndAnEmptyValueIsAnEmptyTextNotTheDefault) {
  WriteLanguage(u"English", u"[qor_screen_m]\r\nM_OK=Fine\r\nM_Close=\r\n[QOR_SCREEN_FORMX]\r\nBTN_A.CAPTION=A\r\n");
  ASSERT_TRUE(Language.Load(u"english"));
  EXPECT_EQ(Language.MessageText(u"m_ok", u"OK"), u"Fine");
  EXPECT_EQ(Language.MessageText(u"M_Close", u"Close"), u"");
  EXPECT_EQ(Language.WindowText(u"FormX", u"Btn_A.Caption"), u"A");
}

TEST_F(LanguageTest, LineBreakTagBreaksWindowAndMainTextsButNotMessages) {
  WriteLanguage(u"English",
                u"[Main]\r\nDisplayName=Eng<br>lish\r\nNote=a<br>b\r\n"
                u"[Qor_Screen_M]\r\nM_TipShow=Don't show<br>again\r\n"
                u"[Qor_Screen_FormScrollWinsTools]\r\nBtn_Save.Caption=Save<br>now\r\n");
  ASSERT_TRUE(Language.Load(u"English"));
  EXPECT_EQ(Language.WindowText(u"FormScrollWinsTools", u"Btn_Save.Caption"), u"Save\r\nnow");
  EXPECT_EQ(Language.MessageText(u"M_TipShow", u""), u"Don't show<br>again");
  EXPECT_EQ(Language.DisplayName(), u"Eng\r\nlish");
  EXPECT_EQ(Language.MainText(u"Note", u""), u"a\r\nb");
  EXPECT_EQ(Language.MainText(u"Missing", u"d"), u"d");
}

TEST_F(LanguageTest, TranslateWindowAnswersOnlyTheTextsFound) {
  WriteLanguage(u"English",
                u"[Qor_Screen_FormTip]\r\nlbl_Info.Caption=Saved\r\nRdBtn_OK.Hint=\r\ncmb_Type.Items[1].Caption=PNG\r\n"
                u"[Qor_Screen_Other]\r\nlbl_Info.Hint=wrong window\r\n");
  ASSERT_TRUE(Language.Load(u"English"));
  const auto texts = Language.TranslateWindow(u"FormTip", {{u"lbl_Info", u"Caption"},
                                                           {u"lbl_Info", u"Hint"},
                                                           {u"RdBtn_OK", u"Hint"},
                                                           {u"cmb_Type", u"Items[0].Caption"},
                                                           {u"cmb_Type", u"Items[1].Caption"}});
  // Present but empty: the control gets an empty text.
  EXPECT_EQ(texts, (std::vector<std::optional<std::u16string>>{u"Saved", std::nullopt, u"", std::nullopt, u"PNG"}));
  EXPECT_EQ(Language.TranslateWindow(u"NoSuchWindow", {{u"lbl_Info", u"Caption"}})[0], std::nullopt);
}

TEST(TranslatableProperties, FollowTheKindOfControl) {
  using V = std::vector<std::u16string>;
  EXPECT_EQ(TranslatableProperties(TTranslatableKind::ImageNote, 0, true), V{u"Caption"});
  EXPECT_EQ(TranslatableProperties(TTranslatableKind::ImageNote, 0, false), V{});
  EXPECT_EQ(TranslatableProperties(TTranslatableKind::HtmlLabel), (V{u"Hint", u"Caption"}));
  EXPECT_EQ(TranslatableProperties(TTranslatableKind::Captioned), V{u"Caption"});
  EXPECT_EQ(TranslatableProperties(TTranslatableKind::ItemList, 2), (V{u"Items[0].Caption", u"Items[1].Caption"}));
  EXPECT_EQ(TranslatableProperties(TTranslatableKind::ListView, 1), V{u"Columns[0].Caption"});
  EXPECT_EQ(TranslatableProperties(TTranslatableKind::Other, 5), V{});
}

TEST_F(LanguageTest, UnreadableFileLeavesThePreviousTexts) {
  WriteLanguage(u"English", u"[Qor_Screen_M]\r\nM_OK=English OK\r\n");
  WriteLanguage(u"Deutsch", u"[Qor_Screen_M]\r\nM_OK=Gut\r\n");
  ASSERT_TRUE(Language.Load(u"English"));
  TFaultyFileSystem locked;  // as when another program holds the file locked
  locked.FailReads = true;
  SetFileSystem(&locked);
  const bool loaded = Language.Load(u"Deutsch");
  SetFileSystem(nullptr);
  EXPECT_FALSE(loaded);
  EXPECT_EQ(Language.LanguageName(), u"English");
  EXPECT_EQ(Language.MessageText(u"M_OK", u""), u"English OK");
}

TEST_F(LanguageTest, GarbageFilesGiveDefaultsQuietly) {
  std::mt19937 rng(7);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(rng() % 2048, '\0');
    for (auto& b : bytes) b = static_cast<char>(rng());
    if (round % 2 == 0 && bytes.size() > 1) bytes[0] = '\xFF', bytes[1] = '\xFE';
    WriteBytes(Folder.Path(u"Language/English.lng"), bytes);
    EXPECT_TRUE(Language.Load(u"English"));
    EXPECT_EQ(Language.MessageText(u"M_OK", u"OK"), u"OK");
  }
}

TEST_F(LanguageTest, ATenMegabyteLineOrAnOddSizedEndDoesNotHideTheOtherKeys) {
  std::string bytes = EncodeUtf16LeWithBom(u"[Qor_Screen_M]\r\nM_Big=" + std::u16string(10u << 20, u'b') +
                                           u"\r\nM_OK=Fine\r\nM_Close=Shut");
  bytes.pop_back();  // half of the last character
  WriteBytes(Folder.Path(u"Language/English.lng"), bytes);
  ASSERT_TRUE(Language.Load(u"English"));
  EXPECT_EQ(Language.MessageText(u"M_OK", u""), u"Fine");
  EXPECT_EQ(Language.MessageText(u"M_Close", u""), u"Shu\uFFFD");
  EXPECT_EQ(Language.MessageText(u"M_Big", u"").size(), 10u << 20);
}

TEST_F(LanguageTest, FillMessageTextsTakesFileTextsAndDefaults) {
  WriteLanguage(u"English", u"[Qor_Screen_M]\r\nM_Screen_Save=Speichern\r\nM_OK=\r\n");
  ASSERT_TRUE(Language.Load(u"English"));
  FillMessageTexts(Language);
  EXPECT_EQ(MessageTexts().M_Screen_Save, u"Speichern");
  EXPECT_EQ(MessageTexts().M_OK, u"");
  EXPECT_EQ(MessageTexts().M_Screen_ImgExitHint, u"%s already exists. Do you want to replace it?");
}

TEST(ShippedEnglish, HoldsEveryMessageWithItsDefaultText) {
  TExtIniFile english;
  ASSERT_TRUE(english.LoadFromFile(Utf8ToUtf16(QOR_SOURCE_DIR "/Language/English.lng")));
  EXPECT_EQ(english.ReadString(u"Main", u"DisplayName", u""), u"English");
  const TIniHashedStringList* messages = english.Section(u"Qor_Screen_M");
  ASSERT_NE(messages, nullptr);
  // The message table, the failure texts of Save and Copy, and the offer of PNG for a picture too large.
  EXPECT_EQ(messages->Count(), 46);
  for (const auto& e : MessageTextTable) {
    EXPECT_EQ(messages->Value(e.Key), std::u16string(e.DefaultText)) << Utf16ToUtf8(e.Key);
  }
}

}  // namespace
}  // namespace qor
