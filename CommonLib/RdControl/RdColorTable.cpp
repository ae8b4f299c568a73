#include "CommonLib/RdControl/RdColorTable.h"

#include <array>
#include <unordered_set>

#include "CommonLib/RdControl/RdValueStrings.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

// The reflected CRC-32 of zlib and PNG (polynomial EDB88320).
uint32_t Crc32Update(uint32_t crc, uint8_t byte) {
  crc ^= byte;
  for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  return crc;
}

// The inverse of UpperCaseChar (base/Utf16Text.h), so that names equal under SameText get one code.
char16_t LowerCaseChar(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 0x20);
  if (c == 0x178) return 0xFF;
  return c;
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

std::optional<uint32_t> ParseHex(std::u16string_view text, size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  uint32_t value = 0;
  for (char16_t c : text) {
    const int digit = HexValue(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return value;
}

std::optional<uint32_t> ParseByte(std::u16string_view text) {
  const std::u16string t = Trim(text);
  if (t.empty() || t.size() > 3) return std::nullopt;
  uint32_t value = 0;
  for (char16_t c : t) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  if (value > 255) return std::nullopt;
  return value;
}

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
// 0xRRGGBB as written to the stored 0x00BBGGRR.
constexpr uint32_t FromRrggbb(uint32_t v) { return Rgb((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }

std::u16string HexText(uint32_t value) {
  static constexpr char16_t Digits[] = u"0123456789abcdef";
  std::u16string text;
  do {
    text.insert(text.begin(), Digits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return text;
}

struct TStandardColor {
  const char16_t* Name;
  uint32_t Color;
};

// The toolkit's named colours: 20 plain ones, 30 system colours (by system index), "none" and "default".
constexpr std::array<TStandardColor, 52> StandardColors = {{
    {u"clBlack", 0x000000},
    {u"clMaroon", 0x000080},
    {u"clGreen", 0x008000},
    {u"clOlive", 0x008080},
    {u"clNavy", 0x800000},
    {u"clPurple", 0x800080},
    {u"clTeal", 0x808000},
    {u"clGray", 0x808080},
    {u"clSilver", 0xC0C0C0},
    {u"clRed", 0x0000FF},
    {u"clLime", 0x00FF00},
    {u"clYellow", 0x00FFFF},
    {u"clBlue", 0xFF0000},
    {u"clFuchsia", 0xFF00FF},
    {u"clAqua", 0xFFFF00},
    {u"clWhite", 0xFFFFFF},
    {u"clMoneyGreen", 0xC0DCC0},
    {u"clSkyBlue", 0xF0CAA6},
    {u"clCream", 0xF0FBFF},
    {u"clMedGray", 0xA4A0A0},
    {u"clScrollBar", 0xFF000000},
    {u"clBackground", 0xFF000001},
    {u"clActiveCaption", 0xFF000002},
    {u"clInactiveCaption", 0xFF000003},
    {u"clMenu", 0xFF000004},
    {u"clWindow", 0xFF000005},
    {u"clWindowFrame", 0xFF000006},
    {u"clMenuText", 0xFF000007},
    {u"clWindowText", 0xFF000008},
    {u"clCaptionText", 0xFF000009},
    {u"clActiveBorder", 0xFF00000A},
    {u"clInactiveBorder", 0xFF00000B},
    {u"clAppWorkSpace", 0xFF00000C},
    {u"clHighlight", 0xFF00000D},
    {u"clHighlightText", 0xFF00000E},
    {u"clBtnFace", 0xFF00000F},
    {u"clBtnShadow", 0xFF000010},
    {u"clGrayText", 0xFF000011},
    {u"clBtnText", 0xFF000012},
    {u"clInactiveCaptionText", 0xFF000013},
    {u"clBtnHighlight", 0xFF000014},
    {u"cl3DDkShadow", 0xFF000015},
    {u"cl3DLight", 0xFF000016},
    {u"clInfoText", 0xFF000017},
    {u"clInfoBk", 0xFF000018},
    {u"clHotLight", 0xFF00001A},
    {u"clGradientActiveCaption", 0xFF00001B},
    {u"clGradientInactiveCaption", 0xFF00001C},
    {u"clMenuHighlight", 0xFF00001D},
    {u"clMenuBar", 0xFF00001E},
    {u"clNone", 0x1FFFFFFF},
    {u"clDefault", 0x20000000},
}};

struct TColorGroup {
  std::u16string Name;
  std::vector<std::pair<std::u16string, std::u16string>> Keys;  // in file order
};

// Sections of a colour file, same names merged; lines before the first section and lines without "=" dropped.
std::vector<TColorGroup> ReadGroups(std::u16string_view text) {
  std::vector<TColorGroup> groups;
  std::unordered_map<std::u16string, size_t> index;
  TColorGroup* current = nullptr;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string_view::npos) end = text.size();
    const std::u16string line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == u';') continue;
    if (line[0] == u'[') {
      current = nullptr;
      const size_t close = line.find(u']');
      if (close == std::u16string::npos) continue;
      const std::u16string name = Trim(std::u16string_view(line).substr(1, close - 1));
      if (name.empty()) continue;
      const auto [it, added] = index.emplace(UpperCase(name), groups.size());
      if (added) groups.push_back({name, {}});
      current = &groups[it->second];
      continue;
    }
    const size_t eq = line.find(u'=');
    if (current == nullptr || eq == std::u16string::npos) continue;
    std::u16string key = Trim(std::u16string_view(line).substr(0, eq));
    if (key.empty()) continue;
    current->Keys.emplace_back(std::move(key), Trim(std::u16string_view(line).substr(eq + 1)));
  }
  return groups;
}

}  // namespace

uint32_t RccColorCode(std::u16string_view name) {
  uint32_t crc = 0xFFFFFFFFu;
  for (char16_t c : name) {
    const char16_t lower = LowerCaseChar(c);
    crc = Crc32Update(crc, static_cast<uint8_t>(lower & 0xFF));
    crc = Crc32Update(crc, static_cast<uint8_t>(lower >> 8));
  }
  crc = ~crc;
  if ((crc & 0xFFFFFF) <= 0xFF) crc |= 0x100;
  return crc | 0xFF000000u;
}

std::optional<TRccColorValue> ParseRccColorValue(std::u16string_view text, bool bgrGroup) {
  const std::u16string value = Trim(text);
  const std::u16string_view v = value;
  if (v.empty()) return std::nullopt;
  if (v.front() == u'[') {
    if (v.back() != u']' || v.size() < 2) return std::nullopt;
    std::u16string link = Trim(v.substr(1, v.size() - 2));
    if (link.empty()) return std::nullopt;
    return TRccColorValue{true, 0, std::move(link)};
  }
  if (v.find(u',') != std::u16string_view::npos) {
    const size_t first = v.find(u',');
    const size_t second = v.find(u',', first + 1);
    if (second == std::u16string_view::npos || v.find(u',', second + 1) != std::u16string_view::npos) {
      return std::nullopt;
    }
    const auto r = ParseByte(v.substr(0, first));
    const auto g = ParseByte(v.substr(first + 1, second - first - 1));
    const auto b = ParseByte(v.substr(second + 1));
    if (!r || !g || !b) return std::nullopt;
    return TRccColorValue{false, Rgb(*r, *g, *b), {}};
  }
  if (v.front() == u'#' || v.front() == u'&') {
    if (v.size() != 7) return std::nullopt;
    const auto rrggbb = ParseHex(v.substr(1), 6);
    if (!rrggbb) return std::nullopt;
    return TRccColorValue{false, FromRrggbb(*rrggbb), {}};
  }
  if (v.front() == u'$') {
    const auto stored = ParseHex(v.substr(1), 8);
    if (!stored) return std::nullopt;
    return TRccColorValue{false, *stored, {}};
  }
  if (!bgrGroup) {
    const auto rrggbb = ParseHex(v, 6);
    if (!rrggbb) return std::nullopt;
    return TRccColorValue{false, FromRrggbb(*rrggbb), {}};
  }
  int32_t decimal = 0;
  if (v.front() != u'+' && ParseRdInteger(v, decimal)) return TRccColorValue{false, static_cast<uint32_t>(decimal), {}};
  const auto stored = ParseHex(v, 8);
  if (!stored) return std::nullopt;
  return TRccColorValue{false, *stored, {}};
}

uint32_t RccTintMix(uint32_t own, uint32_t tint) {
  uint32_t mixed = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t a = (own >> shift) & 0xFF, b = (tint >> shift) & 0xFF;
    mixed |= ((a + b + 1) / 2) << shift;
  }
  return mixed;
}

TRdColorTable::TRdColorTable() { SeedStandardColors(); }

void TRdColorTable::SeedStandardColors() {
  for (const TStandardColor& standard : StandardColors) {
    TRccColorItem& item = ItemFor(standard.Name);
    item.Defined = true;
    item.Color = item.CurColor = standard.Color;
  }
}

TRccColorItem& TRdColorTable::ItemFor(std::u16string_view name) {
  const uint32_t code = RccColorCode(name);
  auto [it, added] = FItems.try_emplace(code);
  if (added) {
    it->second.Name = name;
    it->second.Code = code;
  }
  return it->second;
}

void TRdColorTable::ApplyTint(TRccColorItem& item) const {
  const bool tinted = item.Tint && FTint != RccNoTint && (item.Color >> 24) == 0;
  item.CurColor = tinted ? RccTintMix(item.Color, FTint) : item.Color;
}

void TRdColorTable::LoadColorFile(std::u16string_view text) {
  const std::vector<TColorGroup> groups = ReadGroups(text);
  std::lock_guard<std::mutex> lock(FLock);
  for (const TColorGroup& group : groups) {
    bool bgr = false, tint = false;
    for (const auto& [key, value] : group.Keys) {
      if (SameText(key, u"type")) bgr = SameText(value, u"BGR");
      if (SameText(key, u"tint")) tint = SameText(value, u"true");
    }
    for (const auto& [key, value] : group.Keys) {
      if (SameText(key, u"type") || SameText(key, u"class") || SameText(key, u"tint")) continue;
      const std::optional<TRccColorValue> parsed = ParseRccColorValue(value, bgr);
      if (!parsed) continue;
      TRccColorItem& item = ItemFor(group.Name + u'.' + key);
      item.Tint = tint;
      if (parsed->IsLink) {
        item.Link = parsed->Link;
        continue;
      }
      item.Link.clear();
      item.Defined = true;
      item.Color = parsed->Color;
      ApplyTint(item);
    }
  }
}

std::vector<std::u16string> TRdColorTable::MergeColors() {
  std::vector<std::u16string> undefined;
  {
    std::lock_guard<std::mutex> lock(FLock);
    for (auto& [code, item] : FItems) {
      if (item.Link.empty()) continue;
      // Follow the chain of links to an entry with a colour of its own.
      std::unordered_set<uint32_t> seen{code};
      const TRccColorItem* target = &item;
      while (target != nullptr && !target->Link.empty()) {
        const uint32_t next = RccColorCode(target->Link);
        const auto it = FItems.find(next);
        target = (it == FItems.end() || !seen.insert(next).second) ? nullptr : &it->second;
      }
      if (target == nullptr || !target->Defined) continue;
      item.Color = target->Color;
      item.Defined = true;
      item.Link.clear();
      ApplyTint(item);
    }
    for (const auto& [code, item] : FItems) {
      if (!item.Defined) undefined.push_back(item.Name);
    }
  }
  if (FTrace) {
    for (size_t i = 0; i < undefined.size(); ++i) {
      FTrace(u"MergeColor, non-color[" + IntToText(static_cast<int64_t>(i)) + u"]: " + undefined[i]);
    }
  }
  return undefined;
}

void TRdColorTable::Clear() {
  std::lock_guard<std::mutex> lock(FLock);
  FItems.clear();
  SeedStandardColors();
}

void TRdColorTable::SetTint(uint32_t tint) {
  std::lock_guard<std::mutex> lock(FLock);
  FTint = tint;
  for (auto& [code, item] : FItems) ApplyTint(item);
}

uint32_t TRdColorTable::Tint() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FTint;
}

uint32_t TRdColorTable::IdentToColor(std::u16string_view ident) {
  const std::u16string name = Trim(ident);
  int32_t number = 0;
  if (ParseRdInteger(name, number)) return static_cast<uint32_t>(number);
  std::lock_guard<std::mutex> lock(FLock);
  return ItemFor(name).Code;
}

std::optional<std::u16string> TRdColorTable::ColorToIdent(uint32_t color) const {
  std::lock_guard<std::mutex> lock(FLock);
  const auto it = FItems.find(color);
  if (it == FItems.end()) return std::nullopt;
  return it->second.Name;
}

uint32_t TRdColorTable::SystemColor(uint32_t color) const {
  return FSystemColors ? FSystemColors(static_cast<uint8_t>(color & 0xFF)) : color;
}

uint32_t TRdColorTable::ColorToRGB(uint32_t color) const {
  if ((color >> 24) != 0xFF) return color;
  if (!IsRccColorCode(color)) return SystemColor(color);
  std::u16string name;
  {
    std::lock_guard<std::mutex> lock(FLock);
    const auto it = FItems.find(color);
    if (it != FItems.end() && it->second.Defined) {
      const uint32_t current = it->second.CurColor;
      return (current >> 24) == 0xFF && !IsRccColorCode(current) ? SystemColor(current) : current;
    }
    if (it != FItems.end()) name = it->second.Name;
  }
  if (FTrace) {
    FTrace(name.empty() ? u"warning non-color: [" + HexText(color) + u"]"
                        : u"warning non-color: " + name + u" [" + HexText(color) + u"]");
  }
  return RccUnknownColor;
}

std::optional<TRccColorItem> TRdColorTable::Item(std::u16string_view name) const {
  std::lock_guard<std::mutex> lock(FLock);
  const auto it = FItems.find(RccColorCode(Trim(name)));
  if (it == FItems.end()) return std::nullopt;
  return it->second;
}

uint32_t TRdColorTable::ColorOr(std::u16string_view name, uint32_t fallback) const {
  const std::optional<TRccColorItem> item = Item(name);
  return item && item->Defined ? item->CurColor : fallback;
}

void TRdColorTable::SetSystemColors(TSystemColorFunc func) {
  std::lock_guard<std::mutex> lock(FLock);
  FSystemColors = std::move(func);
}

void TRdColorTable::SetTrace(TTraceFunc func) {
  std::lock_guard<std::mutex> lock(FLock);
  FTrace = std::move(func);
}

TRdColorTable& SkinColorTable() {
  static TRdColorTable table;
  return table;
}

}  // namespace qor
