#pragma once
// Which file format a saved screenshot gets: the extension from the `ScreenshotCapFormat` setting, the file
// types of the save dialog and the writer that serves an extension.
// Usage:
//   std::u16string ext = qor::SaveExtensionFromSetting(ReadConfigString(u"AIAssistant", u"ScreenshotCapFormat", u"1"));
//   int index = qor::FilterIndexForExtension(ext);                    // 3 for ".png"
//   std::u16string file = qor::PathWithWritableExtension(typed, dialogIndex);  // never a name no writer knows
//   switch (qor::WriterKindForExtension(qor::ExtractFileExt(file))) ...
#include <cstdint>
#include <string>
#include <string_view>

namespace qor {

enum class TImageWriterKind { None, Bmp, Png, Jpeg, Gif, Tiff };

// The five file types of the save dialog, filter index counted from 1.
inline constexpr std::u16string_view SaveDialogFilter =
    u"BMP(*.bmp)|*.bmp|JPEG(*.Jpeg;*.jpg)|*.jpeg;*.jpg|PNG(*.png)|*.png|GIF(*.gif)|*.gif|TIFF(*.tif;*.tiff)|*.tif;*."
    u"tiff";
inline constexpr std::u16string_view SaveDialogDefaultExt = u".jpeg";
inline constexpr int SaveDialogFilterCount = 5;
inline constexpr int JpegSaveQuality = 90;

// What the user is told when a picture was not written or not copied (language keys of the program's own, with
// their English texts): the capture stays open, so nothing is lost. The save text takes the path and the reason, the
// copy text the reason.
inline constexpr std::u16string_view SaveFailedKey = u"M_Screen_SaveFailed";
inline constexpr std::u16string_view SaveFailedDefault =
    u"The screenshot could not be saved to %s (%s). It is still on the screen: choose another folder or file type.";
inline constexpr std::u16string_view CopyFailedKey = u"M_Screen_CopyFailed";
inline constexpr std::u16string_view CopyFailedDefault =
    u"The screenshot could not be copied (%s). It is still on the screen: try again.";

// A picture too large for the chosen file type: the user is offered PNG, which holds any height. The first text
// takes the width, the height and the type's name; the question follows it in the same message box.
inline constexpr std::u16string_view TooLargeForFormatKey = u"M_Screen_TooLargeForFormat";
inline constexpr std::u16string_view TooLargeForFormatDefault =
    u"The picture (%s x %s pixels) is too large to be saved as %s.";
inline constexpr std::u16string_view SaveAsPngKey = u"M_Screen_SaveAsPngInstead";
inline constexpr std::u16string_view SaveAsPngDefault = u"Save it as PNG instead?";

// The setting's text read as an integer (optional sign and decimal digits, blanks around allowed; anything else,
// the empty text and values out of range count as 1): 0 gives ".jpeg", 2 ".bmp", every other value ".png".
std::u16string SaveExtensionFromSetting(std::u16string_view capFormat);

// Dialog filter index for an extension (with its dot, case ignored): 1 ".bmp", 2 ".jpeg"/".jpg", 3 ".png",
// 4 ".gif", 5 ".tif"/".tiff"; 0 for anything else.
int FilterIndexForExtension(std::u16string_view ext);
// The extension a file type of the dialog writes: ".bmp", ".jpeg", ".png", ".gif", ".tif"; empty outside 1..5.
std::u16string ExtensionForFilterIndex(int filterIndex);

// The writer for an extension (with its dot, case ignored); None when no writer knows it.
TImageWriterKind WriterKindForExtension(std::u16string_view ext);

// The name of a file type for messages: "BMP", "PNG", "JPEG", "GIF", "TIFF"; empty for None.
std::u16string_view WriterKindName(TImageWriterKind kind);

// False when the file type cannot hold a picture of width x height: JPEG and GIF store each side in 16 bits (65535
// at most), BMP its file size in 32 bits (24-bit rows). PNG holds any size a picture here can have; TIFF is left to
// the platform's encoder. None holds nothing.
bool WriterKindHoldsSize(TImageWriterKind kind, int32_t width, int32_t height);

// The extension of the file name in path, from its last '.' (included); empty when the name has none. A '.'
// in a folder name does not count.
std::u16string ExtractFileExt(std::u16string_view path);

// The name a typed dialog name is saved under. A name whose extension a writer knows is kept as it is. Any
// other name (no extension, or one like ".txt" that no writer knows) gets the extension of the chosen file type
// appended, so the picture is always written in that type and never silently lost: "shot" with PNG chosen gives
// "shot.png", "notes.txt" with JPEG chosen gives "notes.txt.jpeg". An index outside 1..5 counts as PNG.
std::u16string PathWithWritableExtension(std::u16string_view path, int filterIndex);

}  // namespace qor
