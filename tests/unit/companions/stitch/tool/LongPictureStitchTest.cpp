// longpicture-stitch OUT.bmp FRAME... [--dirs FILE]: its interface is driven by checks outside the repository.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/unit/app/TestFolder.h"
#include "tests/unit/companions/stitch/StitchTestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace qor::stitch::corpus;

struct TRunResult {
  int ExitCode = -1;
  std::vector<std::string> Lines;
};

class LongPictureStitchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FCase =
        BuildCase(qor::stitch::testing::PageRecipe("tool", 240, 180, 20, 12, 1000, 400, {60, 60, -60, -60, -60, 60}));
    for (size_t i = 0; i < FCase.Frames.size(); ++i) {
      // Appended, not concatenated: GCC 12 at -O2 warns falsely (-Wrestrict) about the concatenation.
      FFrames.push_back(FDir / std::string("f").append(std::to_string(i)).append(".bmp"));
      Write(FFrames.back(), FCase.Frames[i]);
    }
  }
  static void Write(const fs::path& path, const std::vector<uint8_t>& data) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  }
  static std::vector<uint8_t> Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static TRunResult Run(const std::vector<std::string>& args) {
    std::string command = QOR_LONGPICTURE_STITCH;
    for (const std::string& a : args) command += " '" + a + "'";
    TRunResult result;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return result;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe)) {
      std::string s = line;
      while (!s.empty() && s.back() == '\n') s.pop_back();
      result.Lines.push_back(s);
    }
    const int status = pclose(pipe);
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
  }
  std::vector<std::string> PrefixedFrames() const {
    std::vector<std::string> args;
    for (size_t i = 0; i < FFrames.size(); ++i)
      args.push_back((FCase.Directions[i] ? (i % 2 ? "down:" : "") : "up:") + FFrames[i].string());
    return args;
  }
  ::testing::AssertionResult ResultIsIdeal() const {
    const std::vector<uint8_t> bytes = Read(FDir / "out.bmp");
    return qor::stitch::testing::MatchesIdeal(FCase, bytes.data(), bytes.size());
  }
  std::vector<std::string> Args(std::vector<std::string> frames, std::vector<std::string> more = {}) const {
    frames.insert(frames.begin(), (FDir / "out.bmp").string());
    frames.insert(frames.end(), more.begin(), more.end());
    return frames;
  }
  qor::test::TTestFolder Folder;
  const fs::path FDir = Folder.Root();
  TCase FCase;
  std::vector<fs::path> FFrames;
};

TEST_F(LongPictureStitchTest, PrefixedDirectionsStitchAndPrintOneLinePerFrame) {
  const TRunResult r = Run(Args(PrefixedFrames()));
  EXPECT_EQ(r.ExitCode, 0);
  ASSERT_EQ(r.Lines.size(), FFrames.size());
  for (size_t i = 0; i < r.Lines.size(); ++i) {
    std::istringstream line(r.Lines[i]);
    std::string word, status, ms, path;
    size_t number = 0;
    double millis = -1;
    line >> word >> number >> status >> millis >> ms >> path;
    EXPECT_TRUE(word == "frame" && number == i + 1 && status == "ok" && millis >= 0.0 && ms == "ms") << r.Lines[i];
    EXPECT_EQ(path, FFrames[i].string());
  }
  EXPECT_TRUE(ResultIsIdeal());
}

TEST_F(LongPictureStitchTest, DirectionsFileGivesTheSameResult) {
  std::ofstream(FDir / "dirs.txt") << "1\n1\n1\n0\r\n0\n0\n1\n";
  std::vector<std::string> frames;
  for (const fs::path& f : FFrames) frames.push_back(f.string());
  const TRunResult r = Run(Args(frames, {"--dirs", (FDir / "dirs.txt").string()}));
  EXPECT_EQ(r.ExitCode, 0);
  EXPECT_EQ(r.Lines.size(), FFrames.size());
  EXPECT_TRUE(ResultIsIdeal());
}

TEST_F(LongPictureStitchTest, AFailedFrameIsReportedAndTheResultStillWritten) {
  Write(FDir / "broken.bmp", std::vector<uint8_t>(40, 'B'));
  const TRunResult r = Run(Args({FFrames[0].string(), (FDir / "broken.bmp").string(), FFrames[1].string()}));
  EXPECT_EQ(r.ExitCode, 1);
  ASSERT_EQ(r.Lines.size(), 3u);
  EXPECT_NE(r.Lines[0].find(" ok "), std::string::npos);
  EXPECT_NE(r.Lines[1].find(" failed "), std::string::npos);
  EXPECT_NE(r.Lines[2].find(" ok "), std::string::npos);
  qor::TImage image;
  const std::vector<uint8_t> bytes = Read(FDir / "out.bmp");
  ASSERT_EQ(qor::ReadBmp(bytes.data(), bytes.size(), image), qor::TBmpError::None);
  EXPECT_EQ(image.Height(), 180 + 60);
}

TEST_F(LongPictureStitchTest, UsageAndFileErrorsExitWithTwo) {
  std::ofstream(FDir / "short.txt") << "1\n";
  std::ofstream(FDir / "bad.txt") << "1\nup\n";
  const std::vector<std::string> two = {FFrames[0].string(), FFrames[1].string()};
  for (const auto& args :
       {std::vector<std::string>{}, Args({}), Args({(FDir / "missing.bmp").string()}),
        Args(two, {"--dirs", (FDir / "short.txt").string()}), Args(two, {"--dirs", (FDir / "bad.txt").string()})})
    EXPECT_EQ(Run(args).ExitCode, 2) << args.size();
}

}  // namespace
