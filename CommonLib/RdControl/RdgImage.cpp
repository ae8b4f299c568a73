#include "CommonLib/RdControl/RdgImage.h"

#include <algorithm>
#include <array>

#include "CommonLib/RdControl/RdValueStrings.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

// The known names in the order the script is written.
constexpr std::array<std::u16string_view, 9> KnownNames = {u"imgname",  u"SkinRcc",     u"imgrect",
                                                           u"imgalpha", u"imgsmooth",   u"imgopt",
                                                           u"duration", u"PlayImgName", u"PlayScript"};
// Values always written as set on purpose.
constexpr std::array<std::u16string_view, 4> AlwaysExplicit = {u"imgrect", u"imgalpha", u"imgopt", u"duration"};

bool IsKnown(std::u16string_view name) {
  return std::any_of(KnownNames.begin(), KnownNames.end(), [&](auto k) { return SameText(k, name); });
}

std::u16string JoinIntegers(std::initializer_list<int32_t> values) {
  std::u16string text;
  for (int32_t v : values) {
    if (!text.empty()) text += u',';
    text += IntToText(v);
  }
  return text;
}

}  // namespace

bool IsRdgAnimationName(std::u16string_view name) {
  return name.size() >= 2 && name.front() == u'[' && name.back() == u']';
}

std::optional<std::vector<int32_t>> ParseRdgIntegers(std::u16string_view text) {
  std::vector<int32_t> values;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(u',', start);
    const std::u16string part =
        Trim(text.substr(start, comma == std::u16string_view::npos ? text.npos : comma - start));
    int32_t value = 0;
    if (!ParseRdInteger(part, value)) return std::nullopt;
    values.push_back(value);
    if (comma == std::u16string_view::npos) return values;
    start = comma + 1;
  }
}

void TRdgImage::SetText(std::u16string_view text) {
  FLines.clear();
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string_view::npos) end = text.size();
    const std::u16string_view line = text.substr(start, end - start);
    start = end + 1;
    const size_t eq = line.find(u'=');
    if (eq == std::u16string_view::npos) continue;
    std::u16string name = Trim(line.substr(0, eq));
    const bool explicitValue = !name.empty() && name.back() == u'!';
    if (explicitValue) name = TrimRight(std::u16string_view(name).substr(0, name.size() - 1));
    if (name.empty()) continue;
    Set(name, Trim(line.substr(eq + 1)), explicitValue);
  }
}

const TRdgScriptLine* TRdgImage::Find(std::u16string_view name) const {
  auto found = std::find_if(FLines.begin(), FLines.end(), [&](const auto& l) { return SameText(l.Name, name); });
  return found == FLines.end() ? nullptr : &*found;
}

std::u16string TRdgImage::Get(std::u16string_view name) const {
  const TRdgScriptLine* line = Find(name);
  return line ? line->Value : std::u16string();
}

void TRdgImage::Set(std::u16string_view name, std::u16string_view value, bool explicitValue) {
  auto found = std::find_if(FLines.begin(), FLines.end(), [&](const auto& l) { return SameText(l.Name, name); });
  if (found == FLines.end()) {
    FLines.push_back({std::u16string(name), std::u16string(value), explicitValue});
  } else {
    found->Value = value;
    found->Explicit = explicitValue;
  }
}

void TRdgImage::Remove(std::u16string_view name) {
  std::erase_if(FLines, [&](const auto& l) { return SameText(l.Name, name); });
}

bool TRdgImage::IsExplicit(std::u16string_view name) const {
  const TRdgScriptLine* line = Find(name);
  return line != nullptr && line->Explicit;
}

std::optional<TRect> TRdgImage::ImgRect() const {
  const auto values = ParseRdgIntegers(Get(u"imgrect"));
  if (!values || values->size() != 4) return std::nullopt;
  return TRect{(*values)[0], (*values)[1], (*values)[2], (*values)[3]};
}

void TRdgImage::SetImgRect(const TRect& rect) {
  Set(u"imgrect", JoinIntegers({rect.Left, rect.Top, rect.Right, rect.Bottom}), true);
}

std::optional<uint8_t> TRdgImage::ImgAlpha() const {
  const auto values = ParseRdgIntegers(Get(u"imgalpha"));
  if (!values || values->size() != 1 || (*values)[0] < 0 || (*values)[0] > 255) return std::nullopt;
  return uint8_t((*values)[0]);
}

void TRdgImage::SetAlphaBlendValue(uint8_t alpha) { Set(u"imgalpha", IntToText(alpha), true); }

TPngSmoothFilter TRdgImage::SmoothFilter() const {
  const auto values = ParseRdgIntegers(Get(u"imgsmooth"));
  if (!values || values->size() != 1 || (*values)[0] < 0 || (*values)[0] > 2) return TPngSmoothFilter::Default;
  return TPngSmoothFilter((*values)[0]);
}

void TRdgImage::SetSmoothFilter(TPngSmoothFilter filter) { Set(u"imgsmooth", IntToText(int(filter)), false); }

std::optional<TDesignRect> TRdgImage::ImgOpt() const {
  const auto values = ParseRdgIntegers(Get(u"imgopt"));
  if (!values || values->size() < 4 || values->size() > 5) return std::nullopt;
  const int32_t mode = values->size() == 5 ? (*values)[4] : 0;
  const auto stretch = mode >= 0 && mode <= 4 ? TSuperStretchMode(mode) : TSuperStretchMode::sdmDefault;
  return TDesignRect((*values)[0], (*values)[1], (*values)[2], (*values)[3], stretch);
}

void TRdgImage::SetImgOpt(const TDesignRect& o) {
  Set(u"imgopt", JoinIntegers({o.Left(), o.Top(), o.Right(), o.Bottom(), int32_t(o.StretchMode())}), true);
}

std::optional<int32_t> TRdgImage::Duration() const {
  const auto values = ParseRdgIntegers(Get(u"duration"));
  if (!values || values->size() != 1 || (*values)[0] < 0) return std::nullopt;
  return (*values)[0];
}

void TRdgImage::SetDuration(int32_t milliseconds) { Set(u"duration", IntToText(milliseconds), true); }

void TRdgImage::Inherit(const TRdgImage& parent) {
  std::vector<TRdgScriptLine> lines;
  for (const TRdgScriptLine& line : parent.FLines)
    if (!IsExplicit(line.Name)) lines.push_back(line);
  for (const TRdgScriptLine& line : FLines)
    if (line.Explicit) lines.push_back(line);
  FLines = std::move(lines);
}

std::vector<TRdgScriptLine> TRdgImage::WrittenLines(uint8_t parentAlpha) const {
  std::vector<TRdgScriptLine> out;
  auto add = [&](std::u16string_view name, std::u16string value) {
    const bool always = std::any_of(AlwaysExplicit.begin(), AlwaysExplicit.end(), [&](auto k) { return k == name; });
    if (!value.empty()) out.push_back({std::u16string(name), std::move(value), always || IsExplicit(name)});
  };
  add(u"imgname", ImgName());
  add(u"SkinRcc", SkinRcc());
  if (const auto r = ImgRect()) add(u"imgrect", JoinIntegers({r->Left, r->Top, r->Right, r->Bottom}));
  if (const auto a = ImgAlpha(); a && *a != parentAlpha) add(u"imgalpha", IntToText(*a));
  if (SmoothFilter() != TPngSmoothFilter::Default) add(u"imgsmooth", IntToText(int(SmoothFilter())));
  if (const auto o = ImgOpt(); o && !o->Empty())
    add(u"imgopt", JoinIntegers({o->Left(), o->Top(), o->Right(), o->Bottom(), int32_t(o->StretchMode())}));
  if (const auto d = Duration(); d && *d > 0) add(u"duration", IntToText(*d));
  add(u"PlayImgName", PlayImgName());
  add(u"PlayScript", PlayScript());
  for (const TRdgScriptLine& line : FLines)
    if (!IsKnown(line.Name)) out.push_back(line);
  return out;
}

std::u16string TRdgImage::Text(const TRdgImage* parent) const {
  const auto inherited = parent ? parent->WrittenLines(255) : std::vector<TRdgScriptLine>{};
  auto sameAsParent = [&](const TRdgScriptLine& line) {
    return std::any_of(inherited.begin(), inherited.end(),
                       [&](const auto& p) { return SameText(p.Name, line.Name) && p.Value == line.Value; });
  };
  std::u16string text;
  for (const TRdgScriptLine& line : WrittenLines(parent ? parent->AlphaBlendValue() : 255)) {
    if (sameAsParent(line)) continue;
    if (!text.empty()) text += u"\r\n";
    text += line.Name + (line.Explicit ? u"!=" : u"=") + line.Value;
  }
  return text;
}

}  // namespace qor
