#include "CommonLib/RdControl/PngDrawOptions.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

namespace qor {
namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// The lines of a text, split at CR LF, CR or LF; empty lines dropped.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    if (end > start) lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string_view NameOf(std::string_view line) { return line.substr(0, line.find('=')); }

std::optional<int64_t> NumberOf(const std::vector<std::string>& lines, std::string_view name) {
  for (const std::string& line : lines) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos || !EqualNoCase(std::string_view(line).substr(0, eq), name)) continue;
    std::string_view value = std::string_view(line).substr(eq + 1);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    int64_t n = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || end != value.data() + value.size() || value.empty()) return std::nullopt;
    return n;
  }
  return std::nullopt;
}

// Sets name=value in place (or appends it); an empty value removes the line.
void SetValue(std::vector<std::string>& lines, std::string_view name, const std::string& value) {
  const auto it = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.find('=') != std::string::npos && EqualNoCase(NameOf(line), name);
  });
  if (value.empty()) {
    if (it != lines.end()) lines.erase(it);
  } else if (it != lines.end()) {
    *it = std::string(name) + "=" + value;
  } else {
    lines.push_back(std::string(name) + "=" + value);
  }
}

// The keyword and text of a tEXt chunk (the text is all that follows the first zero byte).
bool SplitText(const TPngChunk& chunk, std::string_view& keyword, std::string_view& text) {
  if (!chunk.Is("tEXt")) return false;
  const std::string_view all(reinterpret_cast<const char*>(chunk.Data.data()), chunk.Data.size());
  const size_t zero = all.find('\0');
  if (zero == std::string_view::npos) return false;
  keyword = all.substr(0, zero);
  text = all.substr(zero + 1);
  return true;
}

bool IsOptionsChunk(const TPngChunk& chunk) {
  std::string_view keyword, text;
  return SplitText(chunk, keyword, text) && EqualNoCase(keyword, PngDrawOptionsKeyword);
}

}  // namespace

TPngDrawOptions ParsePngDrawOptions(const std::string& text, TPngDrawOptions current) {
  const std::vector<std::string> lines = Lines(text);
  if (const auto alpha = NumberOf(lines, "AlphaBlendValue"); alpha && *alpha >= 0 && *alpha <= 255)
    current.AlphaBlendValue = uint8_t(*alpha);
  if (const auto gray = NumberOf(lines, "GrayMode")) current.GrayMode = *gray != 0;
  if (const auto smooth = NumberOf(lines, "SmoothFilter"))
    current.SmoothFilter = *smooth >= 0 && *smooth <= 2 ? TPngSmoothFilter(*smooth) : TPngSmoothFilter::Default;
  return current;
}

TPngDrawOptions ReadPngDrawOptions(const std::vector<TPngChunk>& chunks) {
  for (const TPngChunk& chunk : chunks) {
    std::string_view keyword, text;
    if (SplitText(chunk, keyword, text) && EqualNoCase(keyword, PngDrawOptionsKeyword) && !text.empty())
      return ParsePngDrawOptions(std::string(text));
  }
  return {};
}

void WritePngDrawOptions(std::vector<TPngChunk>& chunks, const TPngDrawOptions& options) {
  auto chunk = std::find_if(chunks.begin(), chunks.end(), IsOptionsChunk);
  if (chunk == chunks.end() && options.IsDefault()) return;
  std::vector<std::string> lines;
  if (chunk != chunks.end()) {
    std::string_view keyword, text;
    SplitText(*chunk, keyword, text);
    lines = Lines(text);
  }
  const auto smooth = uint8_t(options.SmoothFilter);
  SetValue(lines, "SmoothFilter", smooth != 0 ? std::to_string(smooth) : "");
  SetValue(lines, "AlphaBlendValue", options.AlphaBlendValue < 255 ? std::to_string(options.AlphaBlendValue) : "");
  SetValue(lines, "GrayMode", options.GrayMode ? "1" : "");
  if (lines.empty()) {
    chunks.erase(chunk);
    return;
  }
  if (chunk == chunks.end()) {
    const auto idat = std::find_if(chunks.begin(), chunks.end(), [](const TPngChunk& c) { return c.Is("IDAT"); });
    TPngChunk fresh;
    std::copy_n("tEXt", 4, fresh.Type.begin());
    chunk = chunks.insert(idat, std::move(fresh));
  }
  std::string data = std::string(PngDrawOptionsKeyword) + '\0';
  for (size_t i = 0; i < lines.size(); ++i) data += (i ? "\r\n" : "") + lines[i];
  chunk->Data.assign(data.begin(), data.end());
}

}  // namespace qor
