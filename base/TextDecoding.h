#pragma once
// Turns a text file's bytes into UTF-16 by its byte-order mark, and back.
// Usage:
//   std::string bytes = ...;                               // whole file
//   TTextEncoding enc;
//   std::u16string text = qor::DecodeText(bytes, &enc);    // never fails; garbage decodes to something
//   std::string out = qor::EncodeUtf16LeWithBom(text);     // FF FE + UTF-16 LE
// Without a byte-order mark the bytes are taken as the system's ANSI code page. The portable decoder is
// Windows-1252; the Windows build installs the real code page through SetAnsiDecoder (see base/win/).
#include <string>
#include <string_view>

namespace qor {

enum class TTextEncoding { Utf16Le, Utf16Be, Utf8, Ansi };

// Decodes by byte-order mark: FF FE = UTF-16 LE, FE FF = UTF-16 BE, EF BB BF = UTF-8, otherwise ANSI. The mark
// itself is not part of the result. UTF-16 content is taken unit by unit (unpaired surrogates are kept, so a
// load-and-save round trip changes nothing); an odd trailing byte becomes U+FFFD. UTF-8 errors become U+FFFD.
std::u16string DecodeText(std::string_view bytes, TTextEncoding* detected = nullptr);

// UTF-16 LE bytes of text, preceded by FF FE.
std::string EncodeUtf16LeWithBom(std::u16string_view text);
// UTF-16 LE bytes of text without a mark.
std::string EncodeUtf16Le(std::u16string_view text);

// Windows-1252, the portable stand-in for the ANSI code page. The five unassigned bytes map to U+0081 etc.,
// as the system's converter does.
std::u16string DecodeWindows1252(std::string_view bytes);

// The decoder used for text without a byte-order mark. Passing nullptr restores Windows-1252.
using TAnsiDecoder = std::u16string (*)(std::string_view bytes);
void SetAnsiDecoder(TAnsiDecoder decoder);
std::u16string DecodeAnsi(std::string_view bytes);

}  // namespace qor
