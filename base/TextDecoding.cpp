#include "base/TextDecoding.h"

#include <atomic>

#include "base/Utf16Text.h"

namespace qor {

namespace {

std::atomic<TAnsiDecoder> gAnsiDecoder{nullptr};

// Windows-1252 bytes 0x80..0x9F; unassigned positions keep their own value.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string out;
  out.reserve(bytes.size() / 2 + 1);
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t pairs = bytes.size() / 2;
  for (size_t i = 0; i < pairs; ++i) {
    const unsigned a = p[2 * i], b = p[2 * i + 1];
    out.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
  }
  if (bytes.size() % 2 != 0) out.push_back(ReplacementChar);
  return out;
}

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

}  // namespace

std::u16string DecodeWindows1252(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    out.push_back(b >= 0x80 && b <= 0x9F ? Cp1252High[b - 0x80] : static_cast<char16_t>(b));
  }
  return out;
}

void SetAnsiDecoder(TAnsiDecoder decoder) { gAnsiDecoder.store(decoder); }

std::u16string DecodeAnsi(std::string_view bytes) {
  const TAnsiDecoder decoder = gAnsiDecoder.load();
  return decoder ? decoder(bytes) : DecodeWindows1252(bytes);
}

std::u16string DecodeText(std::string_view bytes, TTextEncoding* detected) {
  TTextEncoding enc = TTextEncoding::Ansi;
  std::u16string text;
  if (StartsWith(bytes, "\xFF\xFE")) {
    enc = TTextEncoding::Utf16Le;
    text = DecodeUtf16(bytes.substr(2), false);
  } else if (StartsWith(bytes, "\xFE\xFF")) {
    enc = TTextEncoding::Utf16Be;
    text = DecodeUtf16(bytes.substr(2), true);
  } else if (StartsWith(bytes, "\xEF\xBB\xBF")) {
    enc = TTextEncoding::Utf8;
    text = Utf8ToUtf16(bytes.substr(3));
  } else {
    text = DecodeAnsi(bytes);
  }
  if (detected) *detected = enc;
  return text;
}

std::string EncodeUtf16Le(std::u16string_view text) {
  std::string out;
  out.resize(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    out[2 * i] = static_cast<char>(text[i] & 0xFF);
    out[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return out;
}

std::string EncodeUtf16LeWithBom(std::u16string_view text) { return "\xFF\xFE" + EncodeUtf16Le(text); }

}  // namespace qor
