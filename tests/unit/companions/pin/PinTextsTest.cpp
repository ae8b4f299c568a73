#include "companions/pin/PinTexts.h"

#include <gtest/gtest.h>

#include "app/Language.h"
#include "base/Utf16Text.h"

namespace qor {
namespace {

// The menu asks the language tables for each text by the pin's window name: the shipped English file must answer
// every key with the text the program falls back to, tabs (the shortcut column) included.
TEST(ShippedEnglish, HoldsEveryPinTextUnderThePinsWindowName) {
  TLanguage language(Utf8ToUtf16(QOR_SOURCE_DIR "/Language"));
  ASSERT_TRUE(language.Load(u"English"));
  for (const TPinText& text :
       {PinTextCopy, PinTextSaveAs, PinTextZoom100, PinTextOpacity, PinTextKeepOnTop, PinTextClose}) {
    EXPECT_EQ(language.WindowText(PinTextsWindow, text.Key), std::u16string(text.English)) << Utf16ToUtf8(text.Key);
  }
}

}  // namespace
}  // namespace qor
