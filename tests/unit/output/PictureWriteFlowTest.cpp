#include "output/PictureWriteFlow.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "base/Utf16Text.h"
#include "output/SaveFormat.h"

namespace qor {
namespace {

// Plays the disk and the user: what each path's save gives (Saved unless told), the files that exist and the
// answers to the PNG offer and the overwrite question; records every call.
class TScriptedHost : public TPictureWriteHost {
 public:
  std::map<std::u16string, TSaveResult> Results;
  std::set<std::u16string> Files;
  bool SayYesToPng = true, SayYesToOverwrite = true;
  std::vector<std::u16string> Saves, Questions, Overwrites, Messages, LogLines;

  TSaveResult Save(const std::u16string& path) override {
    Saves.push_back(path);
    const auto found = Results.find(path);
    return found == Results.end() ? TSaveResult::Saved : found->second;
  }
  bool FileExists(const std::u16string& path) override { return Files.count(path) > 0; }
  bool Ask(const std::u16string& question) override {
    Questions.push_back(question);
    return SayYesToPng;
  }
  bool ConfirmOverwrite(const std::u16string& path) override {
    Overwrites.push_back(path);
    return SayYesToOverwrite;
  }
  void Tell(const std::u16string& text) override { Messages.push_back(text); }
  void Log(const std::u16string& line) override { LogLines.push_back(line); }
};

const std::u16string Jpeg = u"D:\\Shots\\long.jpeg";
const std::u16string Png = u"D:\\Shots\\long.png";
constexpr TSize Tall{1920, 100000};

TEST(RunPictureWrite, AWrittenFileNeedsNoQuestion) {
  TScriptedHost host;
  EXPECT_EQ(RunPictureWrite(Jpeg, {800, 600}, host), Jpeg);
  EXPECT_EQ(host.Saves, std::vector<std::u16string>{Jpeg});
  EXPECT_TRUE(host.Questions.empty());
  EXPECT_TRUE(host.Messages.empty());
}

TEST(RunPictureWrite, ATypeTooSmallForThePictureIsSaidPlainlyAndPngWrittenOnYes) {
  TScriptedHost host;
  host.Results[Jpeg] = TSaveResult::TooLargeForFormat;
  EXPECT_EQ(RunPictureWrite(Jpeg, Tall, host), Png);
  EXPECT_EQ(host.Saves, (std::vector<std::u16string>{Jpeg, Png}));
  ASSERT_EQ(host.Questions.size(), 1u);
  EXPECT_EQ(host.Questions[0],
            u"The picture (1920 x 100000 pixels) is too large to be saved as JPEG. Save it as PNG instead?");
  EXPECT_TRUE(host.Overwrites.empty()) << "no PNG of that name yet";
  EXPECT_TRUE(host.Messages.empty());
}

TEST(RunPictureWrite, NoToPngWritesNothingAndSaysNothingMore) {
  TScriptedHost host;
  host.Results[Jpeg] = TSaveResult::TooLargeForFormat;
  host.SayYesToPng = false;
  EXPECT_EQ(RunPictureWrite(Jpeg, Tall, host), std::nullopt);
  EXPECT_EQ(host.Saves, std::vector<std::u16string>{Jpeg});
  EXPECT_TRUE(host.Messages.empty());
}

TEST(RunPictureWrite, AnExistingPngIsReplacedOnlyAfterTheOverwriteQuestion) {
  for (bool replace : {true, false}) {
    SCOPED_TRACE(replace);
    TScriptedHost host;
    host.Results[Jpeg] = TSaveResult::TooLargeForFormat;
    host.Files = {Png};
    host.SayYesToOverwrite = replace;
    EXPECT_EQ(RunPictureWrite(Jpeg, Tall, host), replace ? std::optional<std::u16string>(Png) : std::nullopt);
    EXPECT_EQ(host.Overwrites, std::vector<std::u16string>{Png});
    EXPECT_EQ(host.Saves.size(), replace ? 2u : 1u);
    EXPECT_TRUE(host.Messages.empty());
  }
}

TEST(RunPictureWrite, APngThatFailsTooIsReportedWithItsOwnPath) {
  TScriptedHost host;
  host.Results[Jpeg] = TSaveResult::TooLargeForFormat;
  host.Results[Png] = TSaveResult::WriteFailed;
  EXPECT_EQ(RunPictureWrite(Jpeg, Tall, host), std::nullopt);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0], FormatText(SaveFailedDefault, {Png, SaveResultText(TSaveResult::WriteFailed)}));
}

TEST(RunPictureWrite, OtherFailuresGetTheNotSavedMessageAndNoOffer) {
  for (TSaveResult result :
       {TSaveResult::WriteFailed, TSaveResult::EncodeFailed, TSaveResult::EmptyImage, TSaveResult::UnknownExtension}) {
    SCOPED_TRACE(int(result));
    TScriptedHost host;
    host.Results[Jpeg] = result;
    EXPECT_EQ(RunPictureWrite(Jpeg, Tall, host), std::nullopt);
    EXPECT_TRUE(host.Questions.empty());
    EXPECT_EQ(host.Messages,
              std::vector<std::u16string>{FormatText(SaveFailedDefault, {Jpeg, SaveResultText(result)})});
  }
  // A PNG that is too large has nothing to fall back to.
  TScriptedHost host;
  host.Results[Png] = TSaveResult::TooLargeForFormat;
  EXPECT_EQ(RunPictureWrite(Png, Tall, host), std::nullopt);
  EXPECT_TRUE(host.Questions.empty());
  EXPECT_EQ(host.Messages.size(), 1u);
}

TEST(PngFallbackPath, ChangesOnlyTheFileNamesExtension) {
  EXPECT_EQ(PngFallbackPath(u"D:\\Shots\\a.jpeg"), u"D:\\Shots\\a.png");
  EXPECT_EQ(PngFallbackPath(u"D:\\Shots\\a.b.GIF"), u"D:\\Shots\\a.b.png");
  EXPECT_EQ(PngFallbackPath(u"D:\\v1.2\\shot.tif"), u"D:\\v1.2\\shot.png");
  EXPECT_EQ(PngFallbackPath(u"D:\\v1.2\\shot"), u"D:\\v1.2\\shot.png");
  EXPECT_EQ(PngFallbackPath(u"D:\\Shots\\a.PNG"), u"");
}

TEST(TooLargeQuestion, NamesTheSizeAndTheType) {
  EXPECT_EQ(TooLargeQuestion(u"x.gif", {70000, 12}),
            u"The picture (70000 x 12 pixels) is too large to be saved as GIF. Save it as PNG instead?");
  EXPECT_NE(TooLargeQuestion(u"x.tiff", {5, 5}).find(u"as TIFF."), std::u16string::npos);
}

}  // namespace
}  // namespace qor
