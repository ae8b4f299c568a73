#pragma once
// A test whose program settings (Config.ini) lie in a fresh folder.
#include <gtest/gtest.h>

#include <string>

#include "app/AppPaths.h"
#include "app/SafeIniFile.h"
#include "tests/unit/app/TestFolder.h"

namespace qor::test {

// Config.ini in a fresh folder as the program's settings for the test's duration.
class TSettingsTest : public ::testing::Test {
 protected:
  TTestFolder Folder;
  void SetUp() override { SetParentProductFolder(Folder.Path(u"Corvane")); }
  void TearDown() override { SetParentProductFolder(u""); }
  static std::u16string Setting(std::u16string_view key) { return ReadConfigString(u"AIAssistant", key, u"<missing>"); }
  static void SetSetting(std::u16string_view key, std::u16string_view value) {
    ASSERT_TRUE(WriteConfigString(u"AIAssistant", key, value));
  }
};

}  // namespace qor::test
