// The zip reader on archives written here with zlib: what it reads back, and what it refuses.
#include "companions/webres/ZipArchive.h"

#include <gtest/gtest.h>

#include "tests/unit/companions/webres/ZipBuilder.h"

namespace qor::webres {
namespace {

using testing::TZipBuilder;

std::string Text(const std::optional<std::vector<uint8_t>>& bytes) {
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
}

std::vector<std::string> Names(const TZipArchive& zip) {
  std::vector<std::string> names;
  for (const TZipEntry& e : zip.Entries()) names.push_back(e.Name);
  return names;
}

std::string Repeated(size_t size) {
  std::string text;
  for (size_t i = 0; text.size() < size; ++i) text += "row " + std::to_string(i % 97) + ";";
  text.resize(size);
  return text;
}

TEST(ZipArchiveRead, StoredAndDeflatedEntriesReadBackExactly) {
  const std::string big = Repeated(1 << 20);
  TZipBuilder b;
  b.Add("main.ini", "[validate]\nskinname=classic\n")
      .Add("images/", "")
      .Add("images/bg.png", big, true)
      .Add("empty.txt", "")
      .Add("empty-deflated.txt", "", true);
  TZipArchive zip;
  ASSERT_TRUE(zip.Open(b.Bytes()));
  EXPECT_EQ(Names(zip),
            (std::vector<std::string>{"main.ini", "images/", "images/bg.png", "empty.txt", "empty-deflated.txt"}));
  EXPECT_EQ(Text(zip.Read("main.ini")), "[validate]\nskinname=classic\n");
  EXPECT_EQ(Text(zip.Read("images/bg.png")), big);
  EXPECT_LT(zip.Find("images/bg.png")->CompressedSize, big.size() / 10);
  EXPECT_EQ(Text(zip.Read("empty.txt")), "");
  EXPECT_EQ(Text(zip.Read("empty-deflated.txt")), "");
  EXPECT_FALSE(zip.Read("images/"));
  EXPECT_FALSE(zip.Read("Main.ini")) << "names are matched as stored";
  EXPECT_FALSE(zip.Read("missing.txt"));
}

TEST(ZipArchiveRead, ArchiveCommentAndRepeatedNamesAreHandled) {
  TZipBuilder b;
  b.Add("a.txt", "first").Add("a.txt", "second");
  std::vector<uint8_t> bytes = b.Bytes();
  const std::string comment = "a comment with PK\x05\x06 inside";
  TZipBuilder::Set16(bytes, bytes.size() - 2, uint16_t(comment.size()));
  bytes.insert(bytes.end(), comment.begin(), comment.end());
  TZipArchive zip;
  ASSERT_TRUE(zip.Open(bytes));
  EXPECT_EQ(Names(zip), std::vector<std::string>{"a.txt"});
  EXPECT_EQ(Text(zip.Read("a.txt")), "first");
}

TEST(ZipArchiveRead, StreamedArchivesWithDataDescriptorsRead) {
  // Written by Python's zipfile to a pipe: the local headers carry no sizes, a descriptor follows each entry.
  const std::vector<uint8_t> streamed = {
      0x50, 0x4b, 0x03, 0x04, 0x14, 0x00, 0x08, 0x00, 0x08, 0x00, 0x21, 0x32, 0x87, 0x5d, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x61, 0x2e, 0x74, 0x78, 0x74, 0x2b, 0x2e, 0x29,
      0x4a, 0x4d, 0xcc, 0x4d, 0x4d, 0x29, 0xa6, 0x12, 0x0d, 0x00, 0x50, 0x4b, 0x07, 0x08, 0xbf, 0x61, 0x2e, 0xc0, 0x0d,
      0x00, 0x00, 0x00, 0x50, 0x00, 0x00, 0x00, 0x50, 0x4b, 0x03, 0x04, 0x14, 0x00, 0x08, 0x00, 0x08, 0x00, 0x21, 0x32,
      0x87, 0x5d, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x62,
      0x2f, 0x63, 0x2e, 0x74, 0x78, 0x74, 0xab, 0x00, 0x00, 0x50, 0x4b, 0x07, 0x08, 0x83, 0x16, 0xdc, 0x8c, 0x03, 0x00,
      0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x50, 0x4b, 0x01, 0x02, 0x14, 0x03, 0x14, 0x00, 0x08, 0x00, 0x08, 0x00, 0x21,
      0x32, 0x87, 0x5d, 0xbf, 0x61, 0x2e, 0xc0, 0x0d, 0x00, 0x00, 0x00, 0x50, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x01, 0x00, 0x00, 0x00, 0x00, 0x61, 0x2e, 0x74, 0x78, 0x74,
      0x50, 0x4b, 0x01, 0x02, 0x14, 0x03, 0x14, 0x00, 0x08, 0x00, 0x08, 0x00, 0x21, 0x32, 0x87, 0x5d, 0x83, 0x16, 0xdc,
      0x8c, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x80, 0x01, 0x40, 0x00, 0x00, 0x00, 0x62, 0x2f, 0x63, 0x2e, 0x74, 0x78, 0x74, 0x50, 0x4b, 0x05, 0x06,
      0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x02, 0x00, 0x68, 0x00, 0x00, 0x00, 0x78, 0x00, 0x00, 0x00, 0x00, 0x00};
  TZipArchive zip;
  ASSERT_TRUE(zip.Open(streamed));
  EXPECT_EQ(Names(zip), (std::vector<std::string>{"a.txt", "b/c.txt"}));
  std::string expected;
  for (int i = 0; i < 10; ++i) expected += "streamed";
  EXPECT_EQ(Text(zip.Read("a.txt")), expected);
  EXPECT_EQ(Text(zip.Read("b/c.txt")), "x");
}

TEST(ZipArchiveNames, UnsafeNamesAreRefusedAndOthersNormalised) {
  EXPECT_EQ(NormaliseEntryName("dir\\sub\\file.txt"), "dir/sub/file.txt");
  EXPECT_EQ(NormaliseEntryName("./a//b/./c.txt"), "a/b/c.txt");
  EXPECT_EQ(NormaliseEntryName("folder\\"), "folder/");
  EXPECT_EQ(NormaliseEntryName("Images/BG.png"), "Images/BG.png");
  for (const char* bad : {"../evil.txt", "a/../../evil.txt", "a/..", "/etc/passwd", "\\abs.txt", "C:/x.txt", "c:x.txt",
                          "", ".", "./", "a\tb", "a\nb"})
    EXPECT_FALSE(NormaliseEntryName(bad)) << bad;
  EXPECT_FALSE(NormaliseEntryName(std::string("a\0b", 3)));

  TZipBuilder b;
  b.Add("../evil.txt", "x").Add("/abs.txt", "x").Add("skin\\main.ini", "ini").Add("ok.txt", "ok");
  TZipArchive zip;
  ASSERT_TRUE(zip.Open(b.Bytes()));
  EXPECT_EQ(Names(zip), (std::vector<std::string>{"skin/main.ini", "ok.txt"}));
  EXPECT_EQ(Text(zip.Read("skin/main.ini")), "ini");
}

// A two-entry archive whose first entry a test spoils; the second must stay readable.
struct TSpoiled {
  TZipBuilder B;
  TSpoiled() { B.Add("first.txt", Repeated(5000), true).Add("second.txt", "intact"); }
  std::vector<std::string> Names() {
    TZipArchive zip;
    EXPECT_TRUE(zip.Open(B.Bytes()));
    EXPECT_EQ(Text(zip.Read("second.txt")), "intact");
    return qor::webres::Names(zip);
  }
  std::string ReadFirst() {
    TZipArchive zip;
    EXPECT_TRUE(zip.Open(B.Bytes()));
    return Text(zip.Read("first.txt"));
  }
};

TEST(ZipArchiveHostile, LyingSizesYieldNothing) {
  {
    TSpoiled s;  // claims one byte more than the stream holds
    s.B.SetCentral32(0, TZipBuilder::kCentralSize, 5001);
    s.B.Data[s.B.Written[0].Local + 22] = 0x89;  // the local header says the same (5001 = 0x1389)
    EXPECT_EQ(s.ReadFirst(), "<none>");
  }
  {
    TSpoiled s;  // claims one byte less
    s.B.SetCentral32(0, TZipBuilder::kCentralSize, 4999);
    s.B.Data[s.B.Written[0].Local + 22] = 0x87;
    EXPECT_EQ(s.ReadFirst(), "<none>");
  }
  {
    TSpoiled s;  // central and local header disagree on the size
    s.B.SetCentral32(0, TZipBuilder::kCentralSize, 4999);
    EXPECT_EQ(s.Names(), std::vector<std::string>{"second.txt"});
  }
  {
    TSpoiled s;  // a compressed size running into the central directory
    s.B.SetCentral32(0, TZipBuilder::kCentralCompressed, 1 << 20);
    EXPECT_EQ(s.Names(), std::vector<std::string>{"second.txt"});
  }
  {
    TSpoiled s;  // the wrong checksum
    s.B.SetCentral32(0, TZipBuilder::kCentralCrc, 1234);
    TZipBuilder::Set32(s.B.Data, s.B.Written[0].Local + 14, 1234);
    EXPECT_EQ(s.ReadFirst(), "<none>");
  }
}

TEST(ZipArchiveHostile, HugeClaimsAndZip64MarkersAreNotListed) {
  for (const uint32_t size : {0xFFFFFFFFu, 0xFFFFFFFEu, 0x80000000u, kMaxEntrySize + 1}) {
    TSpoiled s;
    s.B.SetCentral32(0, TZipBuilder::kCentralSize, size);
    TZipBuilder::Set32(s.B.Data, s.B.Written[0].Local + 22, size);
    EXPECT_EQ(s.Names(), std::vector<std::string>{"second.txt"}) << size;
  }
  {
    TSpoiled s;
    s.B.SetCentral32(0, TZipBuilder::kCentralOffset, 0xFFFFFFFF);
    EXPECT_EQ(s.Names(), std::vector<std::string>{"second.txt"});
  }
  {
    TSpoiled s;  // a zip64 end locator in front of the end record refuses the archive
    std::vector<uint8_t> bytes = s.B.Bytes();
    std::vector<uint8_t> locator;
    TZipBuilder::Put32(locator, 0x07064b50);
    locator.resize(20, 0);
    bytes.insert(bytes.end() - 22, locator.begin(), locator.end());
    TZipArchive zip;
    EXPECT_FALSE(zip.Open(bytes));
    EXPECT_TRUE(zip.Entries().empty());
  }
}

TEST(ZipArchiveHostile, ZipBombsAreCapped) {
  // 80 MB of zeros deflate to about 80 KB: more than one entry may hold.
  TZipBuilder b;
  b.Add("bomb.bin", std::string(80u << 20, '\0'), true).Add("ok.txt", "ok");
  TZipArchive zip;
  ASSERT_TRUE(zip.Open(b.Bytes()));
  EXPECT_EQ(Names(zip), std::vector<std::string>{"ok.txt"});

  // A small stream that claims far more than deflate can expand to is a lie.
  TSpoiled s;
  s.B.SetCentral32(0, TZipBuilder::kCentralSize, 60u << 20);
  TZipBuilder::Set32(s.B.Data, s.B.Written[0].Local + 22, 60u << 20);
  EXPECT_EQ(s.Names(), std::vector<std::string>{"second.txt"});
}

TEST(ZipArchiveHostile, OverlappingEntriesAreAllDropped) {
  // A second central record pointing at the first entry's bytes under the same name.
  TZipBuilder b;
  b.Add("shared.txt", "shared").Add("own.txt", "own");
  const std::vector<uint8_t> record(b.Directory.begin(), b.Directory.begin() + long(b.Written[1].Central));
  b.Directory.insert(b.Directory.end(), record.begin(), record.end());
  ++b.Count;
  TZipArchive zip;
  ASSERT_TRUE(zip.Open(b.Bytes()));
  EXPECT_EQ(Names(zip), std::vector<std::string>{"own.txt"});
}

TEST(ZipArchiveHostile, LocalHeaderMismatchDropsTheEntry) {
  {
    TSpoiled s;
    s.B.Data[s.B.Written[0].Local + TZipBuilder::kLocalName] = 'F';
    EXPECT_EQ(s.Names(), std::vector<std::string>{"second.txt"});
  }
  {
    TSpoiled s;
    TZipBuilder::Set16(s.B.Data, s.B.Written[0].Local + TZipBuilder::kLocalMethod, 0);
    EXPECT_EQ(s.Names(), std::vector<std::string>{"second.txt"});
  }
  {
    TSpoiled s;
    s.B.Data[s.B.Written[0].Local] = 'X';  // no local signature
    EXPECT_EQ(s.Names(), std::vector<std::string>{"second.txt"});
  }
  {
    TSpoiled s;  // encrypted
    s.B.SetCentral16(0, 8, 0x0801);
    EXPECT_EQ(s.Names(), std::vector<std::string>{"second.txt"});
  }
  {
    TSpoiled s;  // an unknown method
    s.B.SetCentral16(0, TZipBuilder::kCentralMethod, 12);
    EXPECT_EQ(s.Names(), std::vector<std::string>{"second.txt"});
  }
}

TEST(ZipArchiveHostile, EveryTruncationAndEveryByteFlipReadsExactOrNothing) {
  TZipBuilder b;
  b.Add("a/b.txt", Repeated(300), true).Add("c.txt", "stored text").Add("d/", "");
  const std::vector<uint8_t> good = b.Bytes();
  auto check = [](const std::vector<uint8_t>& bytes, const std::string& what) {
    TZipArchive zip;
    zip.Open(bytes);
    for (const TZipEntry& e : zip.Entries()) {
      const auto read = zip.Read(e);
      if (!read) continue;
      EXPECT_EQ(read->size(), e.Size) << what << " " << e.Name;
      if (e.Name == "c.txt") {
        EXPECT_EQ(Text(read), "stored text") << what;
      } else if (e.Name == "a/b.txt") {
        EXPECT_EQ(Text(read), Repeated(300)) << what;
      }
    }
  };
  for (size_t length = 0; length < good.size(); ++length) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + long(length));
    TZipArchive zip;
    EXPECT_FALSE(zip.Open(cut)) << "cut at " << length;
    check(cut, "cut at " + std::to_string(length));
  }
  for (size_t at = 0; at < good.size(); ++at)
    for (const uint8_t mask : {0x01, 0x80, 0xFF}) {
      std::vector<uint8_t> bytes = good;
      bytes[at] ^= mask;
      check(bytes, "flip at " + std::to_string(at));
    }
}

TEST(ZipArchiveHostile, BrokenEndRecordsRefuseTheArchive) {
  TZipBuilder b;
  b.Add("a.txt", "a");
  const std::vector<uint8_t> good = b.Bytes();
  const size_t end = good.size() - 22;
  auto refused = [&](size_t field, uint32_t value, bool wide) {
    std::vector<uint8_t> bytes = good;
    if (wide)
      TZipBuilder::Set32(bytes, end + field, value);
    else
      TZipBuilder::Set16(bytes, end + field, uint16_t(value));
    TZipArchive zip;
    return !zip.Open(bytes) && zip.Entries().empty();
  };
  EXPECT_TRUE(refused(4, 1, false)) << "another disk";
  EXPECT_TRUE(refused(8, 2, false)) << "counts disagree";
  EXPECT_TRUE(refused(10, 0xFFFF, false)) << "zip64 count";
  EXPECT_TRUE(refused(12, 0xFFFFFFFF, true)) << "zip64 size";
  EXPECT_TRUE(refused(16, 0xFFFFFFFF, true)) << "zip64 offset";
  EXPECT_TRUE(refused(16, uint32_t(end), true)) << "directory past the end record";
  std::vector<uint8_t> more = good;  // more records than the directory holds
  TZipBuilder::Set16(more, end + 8, 5);
  TZipBuilder::Set16(more, end + 10, 5);
  TZipArchive moreZip;
  EXPECT_FALSE(moreZip.Open(more));
  TZipArchive zip;
  EXPECT_FALSE(zip.Open({}));
  EXPECT_FALSE(zip.Open(std::vector<uint8_t>(100, 'x')));
}

}  // namespace
}  // namespace qor::webres
