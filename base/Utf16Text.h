#pragma once
// The program's text type is std::u16string: UTF-16 on every platform (on Windows it maps 1:1 to wchar_t).
// Usage:
//   std::u16string t = qor::Utf8ToUtf16("Größe");      // invalid bytes become U+FFFD
//   std::string s = qor::Utf16ToUtf8(t);                // lone surrogates become U+FFFD
//   if (qor::SameText(u"m_ok", u"M_OK")) ...            // ASCII/Latin-1 case-insensitive
//   std::u16string v = qor::Trim(u"  value \t");        // "value"
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace qor {

constexpr char16_t ReplacementChar = 0xFFFD;

// UTF-8 -> UTF-16. Invalid, overlong, truncated or surrogate-encoding sequences become one U+FFFD each.
std::u16string Utf8ToUtf16(std::string_view utf8);
// UTF-16 -> UTF-8. A lone (unpaired) surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);
// Plain ASCII (or Latin-1) bytes widened one to one; handy for literals built at run time.
std::u16string Latin1ToUtf16(std::string_view latin1);

// Removes every character <= U+0020 (blanks and control characters) from both ends.
std::u16string Trim(std::u16string_view text);
std::u16string TrimLeft(std::u16string_view text);
std::u16string TrimRight(std::u16string_view text);

// Upper-casing for case-insensitive keys. The rule is fixed and locale-independent: 'a'..'z' and the Latin-1
// letters U+00E0..U+00FE (except U+00F7, the division sign) map to their capitals 0x20 below; U+00FF maps to
// U+0178. Every other character is left as it is (so 'ß', 'µ' and non-Latin scripts compare exactly).
char16_t UpperCaseChar(char16_t c);
std::u16string UpperCase(std::u16string_view text);
// Equal under UpperCaseChar.
bool SameText(std::u16string_view a, std::u16string_view b);

// Decimal text of a signed 64-bit integer.
std::u16string IntToText(int64_t value);
// Decimal text of value zero-padded to at least width digits; a negative value counts as 0 (date and time fields).
std::u16string ZeroPadded(int64_t value, int width);
// A language text with its "%s" placeholders filled in order by args. Arguments are inserted as they are (a "%s"
// inside one stays); placeholders beyond the arguments stay as "%s", arguments beyond the placeholders are dropped.
std::u16string FormatText(std::u16string_view pattern, std::initializer_list<std::u16string_view> args);
// Replaces every occurrence of `from` (not empty) by `to`.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from, std::u16string_view to);

}  // namespace qor
