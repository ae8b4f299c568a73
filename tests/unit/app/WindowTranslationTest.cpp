#include "app/WindowTranslation.h"

#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/RdLabel.h"
#include "app/Language.h"
#include "base/TextDecoding.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

using namespace test;

class TTestHost : public TRdControlHost {
 public:
  void InvalidateRect(const TRect&) override {}
};

class WindowTranslationTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(Folder.Path(u"Language/German.lng"),
               EncodeUtf16LeWithBom(u"[Qor_Screen_M]\r\nM_OK=Gut\r\n"
                                    u"[Qor_Screen_FormX]\r\n"
                                    u"Btn_Save.Hint=Speichern (Ctrl+S)\r\nBtn_Save.Caption=Spei<br>chern\r\n"
                                    u"lbl_Size.Caption=Größe:\r\nlbl_Empty.Caption=\r\nImage_Logo.Caption=Bild\r\n"
                                    u"Image_Logo.Hint=Logo\r\n"));
    ASSERT_TRUE(Language.Load(u"German"));
  }
  template <typename T>
  T* Add(std::u16string name, std::u16string text) {
    T* control = Host.Add(std::make_unique<T>());
    control->Name = std::move(name);
    control->SetCaption(text);
    control->SetHint(text);
    return control;
  }
  TTestFolder Folder;
  TLanguage Language{Folder.Path(u"Language")};
  TTestHost Host;
};

TEST_F(WindowTranslationTest, NamedControlsTakeHintsAndCaptionsOfTheirWindowOnly) {
  auto* save = Add<TRdImageButton>(u"Btn_Save", u"Save");
  auto* size = Add<TRdLabel>(u"LBL_SIZE", u"Size:");  // names are looked up ignoring case
  auto* empty = Add<TRdLabel>(u"lbl_Empty", u"Design");
  auto* untouched = Add<TRdLabel>(u"lbl_Other", u"Other");
  auto* logo = Host.Add(std::make_unique<TRdImage>());
  logo->Name = u"Image_Logo";
  auto* nameless = Add<TRdLabel>(u"", u"No name");

  EXPECT_EQ(TranslateControls(Language, u"FormX", Host), 5);
  EXPECT_EQ(save->Hint(), u"Speichern (Ctrl+S)");
  EXPECT_EQ(save->Caption(), u"Spei\r\nchern");  // "<br>" is a line break in window texts
  EXPECT_EQ(size->Caption(), u"Größe:");
  EXPECT_EQ(size->Hint(), u"Size:");  // no key: the design text stays
  EXPECT_EQ(empty->Caption(), u"");   // an empty value is a text too
  EXPECT_EQ(untouched->Caption(), u"Other");
  EXPECT_EQ(logo->Hint(), u"Logo");  // an image takes a hint but has no caption to take
  EXPECT_EQ(nameless->Caption(), u"No name");

  // Another window's section, or one that is missing, changes nothing.
  auto* other = Add<TRdLabel>(u"M_OK", u"OK");
  EXPECT_EQ(TranslateControls(Language, u"FormY", Host), 0);
  EXPECT_EQ(other->Caption(), u"OK");
}

TEST_F(WindowTranslationTest, ControlTextFallsBackToWhatTheWindowHadBefore) {
  EXPECT_EQ(ControlText(Language, u"FormX", u"lbl_Size.Caption", u"Size:"), u"Größe:");
  EXPECT_EQ(ControlText(Language, u"FormX", u"lbl_Missing.Caption", u"Shared text"), u"Shared text");
  EXPECT_EQ(ControlText(Language, u"FormX", u"lbl_Empty.Caption", u"Shared text"), u"");
}

}  // namespace
}  // namespace qor
