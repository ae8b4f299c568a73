#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "CommonLib/RdControl/PngDecoder.h"
#include "CommonLib/RdControl/PngDrawOptions.h"
#include "tests/unit/CommonLib/RdControl/PngSamples.h"

namespace qor {
namespace {

TPngChunk Text(const std::string& keyword, const std::string& text) {
  TPngChunk c;
  std::memcpy(c.Type.data(), "tEXt", 4);
  const std::string data = keyword + '\0' + text;
  c.Data.assign(data.begin(), data.end());
  return c;
}

std::string TextOf(const TPngChunk& c) {
  const std::string all(c.Data.begin(), c.Data.end());
  return all.substr(all.find('\0') + 1);
}

// A sample file (it has a "Comment" tEXt chunk of its own) with chunks put before its first IDAT.
std::vector<TPngChunk> SampleWith(std::vector<TPngChunk> extra) {
  std::vector<TPngChunk> chunks;
  EXPECT_EQ(ReadPngChunks(testing::PngSamples.back().File, chunks), EPngError::None);
  const auto idat = std::find_if(chunks.begin(), chunks.end(), [](const TPngChunk& c) { return c.Is("IDAT"); });
  chunks.insert(idat, extra.begin(), extra.end());
  return chunks;
}

TEST(PngDrawOptions, ParsingTakesTheThreeKeysAndKeepsCurrentValuesOnMalformedText) {
  const TPngDrawOptions set = ParsePngDrawOptions("AlphaBlendValue=128\r\nGrayMode=7\r\nSmoothFilter=2");
  EXPECT_EQ(set, (TPngDrawOptions{128, true, TPngSmoothFilter::Smooth}));
  EXPECT_EQ(ParsePngDrawOptions("grayMODE=1\nalphablendvalue= 5 "), (TPngDrawOptions{5, true}));
  const TPngDrawOptions current{200, true, TPngSmoothFilter::FastSmooth};
  EXPECT_EQ(ParsePngDrawOptions("AlphaBlendValue=abc\r\nGrayMode=\r\nOther=3", current), current);
  EXPECT_EQ(ParsePngDrawOptions("AlphaBlendValue=256\r\nAlphaBlendValue2=1", current), current);
  EXPECT_EQ(ParsePngDrawOptions("GrayMode=0", current).GrayMode, false);
  EXPECT_EQ(ParsePngDrawOptions("SmoothFilter=3", current).SmoothFilter, TPngSmoothFilter::Default);
  EXPECT_EQ(ParsePngDrawOptions("SmoothFilter=1.5", current).SmoothFilter, TPngSmoothFilter::FastSmooth);
}

TEST(PngDrawOptions, ReadingFindsTheOptionsChunkWhateverTheKeywordCaseAndIgnoresOtherText) {
  EXPECT_EQ(ReadPngDrawOptions(SampleWith({Text("AlphaBlendValue", "AlphaBlendValue=3")})), TPngDrawOptions{});
  EXPECT_EQ(ReadPngDrawOptions(SampleWith({Text("rdpng", "GrayMode=1")})), (TPngDrawOptions{255, true}));
  EXPECT_EQ(ReadPngDrawOptions(SampleWith({Text("RDPNG", "")})), TPngDrawOptions{});
}

TEST(PngDrawOptions, WritingAddsOneChunkAndARoundTripKeepsEveryOtherChunkByteForByte) {
  const auto original = SampleWith({Text("Author", "someone\r\nGrayMode=1")});  // a foreign tEXt
  const std::vector<uint8_t> originalFile = WritePngChunks(original);
  auto chunks = original;
  WritePngDrawOptions(chunks, {});  // defaults and no options chunk: nothing changes
  EXPECT_EQ(WritePngChunks(chunks), originalFile);

  const TPngDrawOptions options{90, true, TPngSmoothFilter::FastSmooth};
  WritePngDrawOptions(chunks, options);
  std::vector<TPngChunk> reread;
  ASSERT_EQ(ReadPngChunks(WritePngChunks(chunks), reread), EPngError::None);
  EXPECT_EQ(ReadPngDrawOptions(reread), options);
  ASSERT_EQ(reread.size(), original.size() + 1);
  const auto added = std::find_if(reread.begin(), reread.end(), [](const TPngChunk& c) {
    return c.Is("tEXt") && c.Data.size() > 6 && std::memcmp(c.Data.data(), "RDPNG\0", 6) == 0;
  });
  ASSERT_NE(added, reread.end());
  EXPECT_EQ(TextOf(*added), "SmoothFilter=1\r\nAlphaBlendValue=90\r\nGrayMode=1");
  EXPECT_TRUE(std::next(added)->Is("IDAT"));
  reread.erase(added);
  EXPECT_EQ(WritePngChunks(reread), originalFile);

  // Back to the defaults: the chunk, now without lines, goes, and the file is the original again.
  WritePngDrawOptions(chunks, {});
  EXPECT_EQ(WritePngChunks(chunks), originalFile);
  TImage image;
  EXPECT_EQ(DecodePng(WritePngChunks(chunks), image), EPngError::None);
}

TEST(PngDrawOptions, RewritingKeepsTheChunksOtherLinesInOrderAndRemovesDefaultKeys) {
  auto chunks = SampleWith({Text("rdpng", "Name=x\r\nGrayMode=1\r\nAlphaBlendValue=7\r\nTail=y")});
  WritePngDrawOptions(chunks, {255, true, TPngSmoothFilter::Smooth});
  const auto c = std::find_if(chunks.begin(), chunks.end(), [](const TPngChunk& k) {
    return k.Is("tEXt") && std::memcmp(k.Data.data(), "RDPNG", 5) == 0;
  });
  ASSERT_NE(c, chunks.end());
  EXPECT_EQ(TextOf(*c), "Name=x\r\nGrayMode=1\r\nTail=y\r\nSmoothFilter=2");
  WritePngDrawOptions(chunks, {});
  EXPECT_EQ(TextOf(*c), "Name=x\r\nTail=y");
}

}  // namespace
}  // namespace qor
