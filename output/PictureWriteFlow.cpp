#include "output/PictureWriteFlow.h"

#include "app/Language.h"
#include "base/FileSystem.h"
#include "base/Utf16Text.h"
#include "output/SaveFormat.h"

namespace qor {
namespace {

void TellNotSaved(const std::u16string& path, TSaveResult result, TPictureWriteHost& host) {
  host.Log(u"[WritePicture]not saved," + path + u"," + SaveResultText(result));
  host.Tell(FormatText(AppLanguage().MessageText(SaveFailedKey, SaveFailedDefault), {path, SaveResultText(result)}));
}

}  // namespace

std::u16string PngFallbackPath(const std::u16string& path) {
  if (WriterKindForExtension(ExtractFileExt(path)) == TImageWriterKind::Png) return {};
  return ChangeFileExt(path, u".png");
}

std::u16string TooLargeQuestion(const std::u16string& path, TSize size) {
  const std::u16string_view kind = WriterKindName(WriterKindForExtension(ExtractFileExt(path)));
  const std::u16string tooLarge =
      FormatText(AppLanguage().MessageText(TooLargeForFormatKey, TooLargeForFormatDefault),
                 {IntToText(size.Width), IntToText(size.Height), kind.empty() ? ExtractFileExt(path) : kind});
  return tooLarge + u" " + AppLanguage().MessageText(SaveAsPngKey, SaveAsPngDefault);
}

std::optional<std::u16string> RunPictureWrite(const std::u16string& path, TSize size, TPictureWriteHost& host) {
  const TSaveResult result = host.Save(path);
  if (result == TSaveResult::Saved) return path;
  const std::u16string pngPath = PngFallbackPath(path);
  if (result != TSaveResult::TooLargeForFormat || pngPath.empty()) {
    TellNotSaved(path, result, host);
    return std::nullopt;
  }
  host.Log(u"[WritePicture]too large for the file type," + path);
  if (!host.Ask(TooLargeQuestion(path, size))) {
    host.Log(u"[WritePicture]PNG declined," + path);
    return std::nullopt;
  }
  if (host.FileExists(pngPath) && !host.ConfirmOverwrite(pngPath)) {
    host.Log(u"[WritePicture]PNG not replaced," + pngPath);
    return std::nullopt;
  }
  const TSaveResult pngResult = host.Save(pngPath);
  if (pngResult == TSaveResult::Saved) {
    host.Log(u"[WritePicture]saved as PNG instead," + pngPath);
    return pngPath;
  }
  TellNotSaved(pngPath, pngResult, host);
  return std::nullopt;
}

}  // namespace qor
