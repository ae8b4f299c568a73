#include "output/win/SaveNewBitmap.h"

#include <windows.h>

#include <string_view>
#include <vector>

#include "app/LogManage.h"
#include "base/FileSystem.h"
#include "base/Utf16Text.h"
#include "output/BmpWriter.h"
#include "output/CreateDirCir.h"
#include "output/JpegWriter.h"
#include "output/PngWriter.h"
#include "output/SaveFormat.h"
#include "output/win/GdiplusEncoder.h"
#include "output/win/ReplacingFile.h"

namespace qor {
namespace {

// PNG goes through our zlib writer rather than GDI+: it writes standard files and is the faster of the two
// (see "## Saving" in BENCHMARKS.md).
constexpr bool PngThroughGdiplus = false;

std::u16string EnvironmentValue(const wchar_t* name) {
  wchar_t small[MAX_PATH + 1];
  DWORD n = GetEnvironmentVariableW(name, small, DWORD(std::size(small)));
  if (n == 0) return {};
  if (n < std::size(small)) return std::u16string(small, small + n);
  std::vector<wchar_t> big(n);
  n = GetEnvironmentVariableW(name, big.data(), DWORD(big.size()));
  if (n == 0 || n >= big.size()) return {};
  return std::u16string(big.data(), big.data() + n);
}

std::string_view AsChars(const std::vector<uint8_t>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Puts finished bytes in place through a temporary sibling.
TSaveResult WriteBytes(const std::vector<uint8_t>& bytes, const std::u16string& path) {
  if (bytes.empty()) return TSaveResult::EncodeFailed;
  return FileSystem().WriteFileAtomically(path, AsChars(bytes)) ? TSaveResult::Saved : TSaveResult::WriteFailed;
}

// Streams an encoder's output into a temporary sibling, which replaces the target once complete. encode is given
// the sink; a failure of the file itself counts as WriteFailed, anything else as EncodeFailed.
template <class TEncode>
TSaveResult StreamToFile(const std::u16string& path, TEncode encode) {
  TReplacingFile file(path);
  if (!encode(file)) return file.WriteFailed() ? TSaveResult::WriteFailed : TSaveResult::EncodeFailed;
  return file.Commit() ? TSaveResult::Saved : TSaveResult::WriteFailed;
}

TSaveResult WriteBmpFile(const TConstImageView& image, const std::u16string& path) {
  return StreamToFile(path, [&](TByteSink& sink) { return WriteBmpTo(sink, image, 24); });
}

// GDI+ writes a temporary sibling, which then replaces the target.
TSaveResult WriteThroughGdiplus(const TConstImageView& image, const std::u16string& path, TImageWriterKind kind) {
  CLSID clsid{};
  if (!FindEncoderClsid(GdiplusMimeType(kind), clsid)) return TSaveResult::EncodeFailed;
  const std::u16string temp = TemporarySiblingName(path);
  const TGdiplusSave saved = SaveWithGdiplus(image, temp, kind);
  if (saved != TGdiplusSave::Saved) {
    FileSystem().RemoveFile(temp);
    // The encoder refusing a picture beyond what the format's 16-bit sides hold is a size limit too.
    const bool beyond16Bits = image.Width > 65535 || image.Height > 65535;
    if (saved == TGdiplusSave::BitmapRefused || (saved == TGdiplusSave::EncoderRefused && beyond16Bits))
      return TSaveResult::TooLargeForFormat;
    return saved == TGdiplusSave::EncoderRefused ? TSaveResult::EncodeFailed : TSaveResult::WriteFailed;
  }
  if (!FileSystem().RenameFile(temp, path)) {
    FileSystem().RemoveFile(temp);
    return TSaveResult::WriteFailed;
  }
  return TSaveResult::Saved;
}

// The conversion of the temporary bitmap into PNG, GIF or TIFF, with its two log lines.
TSaveResult Convert(const TConstImageView& image, const std::u16string& path, const std::u16string& tempPath,
                    const std::u16string& ext, TImageWriterKind kind, std::u16string_view tag) {
  WriteLog(u"[SaveNewBitmap]ExtractFileIconToFile " + std::u16string(tag) + u",sBmpFile:" + tempPath + u",aFileName," +
           path + u",sExt," + ext);
  TSaveResult result;
  if (kind == TImageWriterKind::Png && !PngThroughGdiplus)
    result = StreamToFile(path, [&](TByteSink& sink) { return WritePngTo(sink, image); });
  else
    result = WriteThroughGdiplus(image, path, kind);
  WriteLog(result == TSaveResult::Saved ? u"[SaveNewBitmap]filepath:ExtractFileIconToFile,succ"
                                        : u"[SaveNewBitmap]filepath:ExtractFileIconToFile,failed");
  return result;
}

TSaveResult SaveUnguarded(const TConstImageView& image, const std::u16string& path) {
  WriteLog(u"[SaveNewBitmap]filepath:SaveNewBitmap");
  if (image.IsEmpty()) {
    WriteLog(u"[SaveNewBitmap]empty image, nothing written," + path);
    return TSaveResult::EmptyImage;
  }
  // A type that cannot hold the picture is known before anything is written.
  const std::u16string ext = ExtractFileExt(path);
  const TImageWriterKind kind = WriterKindForExtension(ext);
  if (kind != TImageWriterKind::None && !WriterKindHoldsSize(kind, image.Width, image.Height)) {
    WriteLog(u"[SaveNewBitmap]too large for the format, nothing written," + IntToText(image.Width) + u"x" +
             IntToText(image.Height) + u"," + path);
    return TSaveResult::TooLargeForFormat;
  }
  if (FileSystem().MakeDirectories(ExtractFileDir(path))) WriteLog(u"[SaveNewBitmap]ForceDirectories done");
  WriteLog(u"[SaveNewBitmap]filepath:SaveNewBitmap");
  WriteLog(u"[SaveNewBitmap]filepath:ChangeFileExt," + ChangeFileExt(path, u".bmp"));

  const std::u16string envTemp = EnvironmentValue(L"temp");
  const std::u16string envTmp = EnvironmentValue(L"tmp");
  WriteLog(u"[SaveNewBitmap]filepath:GetEnvironmentVariable," + TemporaryFolder(envTemp, envTmp));
  const std::u16string tempPath = TemporaryBitmapPath(envTemp, envTmp);

  // The temporary bitmap holds a copy of the whole capture; the formats below are written from the same pixels.
  const bool tempWritten = WriteBmpFile(image, tempPath) == TSaveResult::Saved;
  WriteLog(u"[SaveNewBitmap]filepath:SaveToFile," + tempPath);
  if (!tempWritten) WriteLog(u"[SaveNewBitmap]SaveToFile failed," + tempPath);

  WriteLog(u"[SaveNewBitmap]filepath:ExtractFileExt," + ext);
  TSaveResult result = TSaveResult::UnknownExtension;
  switch (kind) {
    case TImageWriterKind::Bmp: result = WriteBmpFile(image, path); break;
    case TImageWriterKind::Png: result = Convert(image, path, tempPath, ext, kind, u"ffPng"); break;
    case TImageWriterKind::Jpeg: result = WriteBytes(WriteJpeg(image, JpegSaveQuality), path); break;
    case TImageWriterKind::Tiff: result = Convert(image, path, tempPath, ext, kind, u"ffTiff"); break;
    case TImageWriterKind::Gif: result = Convert(image, path, tempPath, ext, kind, u"ffGif"); break;
    case TImageWriterKind::None: break;
  }
  if (tempWritten) FileSystem().RemoveFile(tempPath);
  if (result != TSaveResult::Saved)
    WriteLog(u"[SaveNewBitmap]not saved," + std::u16string(SaveResultText(result)) + u"," + path);
  return result;
}

}  // namespace

TSaveResult SaveNewBitmap(const TConstImageView& image, const std::u16string& path) {
  try {
    return SaveUnguarded(image, path);
  } catch (...) {
    // Out of memory for a very large capture, most likely.
    WriteLog(u"[SaveNewBitmap]exception," + path);
    return TSaveResult::EncodeFailed;
  }
}

}  // namespace qor
