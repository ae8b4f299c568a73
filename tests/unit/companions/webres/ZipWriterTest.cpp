#include "companions/webres/ZipWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "companions/webres/ZipArchive.h"

namespace qor::webres {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// Bytes that deflate cannot shrink.
std::vector<uint8_t> Noise(size_t size) {
  std::vector<uint8_t> out(size);
  uint32_t s = 12345;
  for (uint8_t& b : out) b = uint8_t((s = s * 1664525u + 1013904223u) >> 24);
  return out;
}

TEST(ZipWriter, EveryEntryReadsBackThroughTheArchiveByteForByte) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "[toolbar]\nColor=panel_color.cl_toolbar_bg\n";
  const std::vector<uint8_t> noise = Noise(5000), big = Noise(1 << 20);
  TZipWriter zip;
  ASSERT_TRUE(zip.Add("main.ini", text, TZipMethod::Deflated));
  ASSERT_TRUE(zip.Add("images/noise.png", noise, TZipMethod::Smaller));
  ASSERT_TRUE(zip.Add("images/stored.txt", "stored as it is", TZipMethod::Stored));
  ASSERT_TRUE(zip.Add("empty.txt", "", TZipMethod::Deflated));
  ASSERT_TRUE(zip.Add("images/big.bin", big, TZipMethod::Deflated));
  EXPECT_EQ(zip.Count(), 5u);
  const std::optional<std::vector<uint8_t>> bytes = zip.Finish();
  ASSERT_TRUE(bytes);

  TZipArchive archive;
  ASSERT_TRUE(archive.Open(*bytes));
  ASSERT_EQ(archive.Entries().size(), 5u);
  EXPECT_EQ(archive.Entries()[0].Name, "main.ini") << "entries keep their order";
  EXPECT_EQ(archive.Read("main.ini"), Bytes(text));
  EXPECT_EQ(archive.Find("main.ini")->Method, 8);
  EXPECT_LT(archive.Find("main.ini")->CompressedSize, text.size() / 20);
  EXPECT_EQ(archive.Read("images/noise.png"), noise);
  EXPECT_EQ(archive.Find("images/noise.png")->Method, 0) << "deflating noise would only grow it";
  EXPECT_EQ(archive.Read("images/stored.txt"), Bytes("stored as it is"));
  EXPECT_EQ(archive.Find("images/stored.txt")->Method, 0);
  EXPECT_EQ(archive.Read("empty.txt"), std::vector<uint8_t>{});
  EXPECT_EQ(archive.Read("images/big.bin"), big) << "deflated although it does not shrink, as asked";
  EXPECT_EQ(archive.Find("images/big.bin")->Method, 8);
}

TEST(ZipWriter, RefusesNamesTheReaderWouldChangeOrDropAndRepeatedNames) {
  TZipWriter zip;
  ASSERT_TRUE(zip.Add("images/a.png", "a"));
  for (std::string_view bad :
       {"", "../up.ini", "/root.ini", "images\\b.png", "images//c.png", "./d.png", "C:/e.png", "images/a.png"})
    EXPECT_FALSE(zip.Add(bad, "x")) << bad;
  EXPECT_EQ(zip.Count(), 1u);
  TZipArchive archive;
  ASSERT_TRUE(archive.Open(*zip.Finish()));
  EXPECT_EQ(archive.Entries().size(), 1u);
}

TEST(ZipWriter, TheSameFilesGiveTheSameBytesAndAnEmptyArchiveIsValid) {
  auto make = [] {
    TZipWriter zip;
    zip.Add("color_setting.ini", "[text_color]\ncl_text_a=#E8E8E8\n");
    zip.Add("images/x.png", Noise(300));
    return *zip.Finish();
  };
  EXPECT_EQ(make(), make());
  TZipArchive empty;
  EXPECT_TRUE(empty.Open(*TZipWriter().Finish()));
  EXPECT_TRUE(empty.Entries().empty());
}

TEST(ZipWriter, RawDeflateInflatesBackThroughAStoredArchiveEntry) {
  // DeflateRaw's output is the data of a method-8 entry: check it against the reader with a zip made by hand.
  const std::string text(3000, 'q');
  const std::optional<std::vector<uint8_t>> packed = DeflateRaw(Bytes(text));
  ASSERT_TRUE(packed);
  EXPECT_LT(packed->size(), 100u);
  TZipWriter zip;
  ASSERT_TRUE(zip.Add("q.txt", text, TZipMethod::Deflated));
  const std::vector<uint8_t> archive = *zip.Finish();
  // The deflated bytes lie in the archive right after the local header (30 bytes) and the name.
  ASSERT_GE(archive.size(), 30 + 5 + packed->size());
  EXPECT_TRUE(std::equal(packed->begin(), packed->end(), archive.begin() + 35));
}

}  // namespace
}  // namespace qor::webres
