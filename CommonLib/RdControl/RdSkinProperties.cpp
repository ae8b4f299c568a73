#include "CommonLib/RdControl/RdSkinProperties.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>

#include "CommonLib/RdControl/RdColorTable.h"
#include "CommonLib/RdControl/RdComboBox.h"
#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/RdSlider.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

using TProps = std::vector<TRdSkinProperty>;
using TContext = TRdSkinValueContext;

// --- Values in their text form ------------------------------------------------------------------------------

bool IsIdent(std::u16string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'.' ||
           c == u'$' || c == u'-';
  });
}

void InvalidIdent(const TContext& context, std::u16string_view value) {
  if (context.Trace) context.Trace(u"Invalid Ident value: " + std::u16string(value));
}

std::optional<int32_t> IntOf(const TRdValueLine& line, const TContext&) {
  int32_t value = 0;
  if (line.Kind != TRdValueKind::Plain || !ParseRdInteger(line.Value, value)) return std::nullopt;
  return value;
}

std::optional<bool> BoolOf(const TRdValueLine& line, const TContext& context) {
  if (line.Kind == TRdValueKind::Plain && SameText(line.Value, u"True")) return true;
  if (line.Kind == TRdValueKind::Plain && SameText(line.Value, u"False")) return false;
  InvalidIdent(context, line.Value);
  return std::nullopt;
}

std::optional<std::u16string> StringOf(const TRdValueLine& line, const TContext&) {
  if (line.Kind != TRdValueKind::String && line.Kind != TRdValueKind::Plain) return std::nullopt;
  return line.Value;
}

// A colour: a number, or a colour name that the skin's colour table resolves when drawn.
std::optional<uint32_t> ColorOf(const TRdValueLine& line, const TContext& context) {
  if (line.Kind != TRdValueKind::Plain || !IsIdent(line.Value)) return std::nullopt;
  int32_t number = 0;
  if (ParseRdInteger(line.Value, number)) return uint32_t(number);
  if (context.Colors == nullptr) return std::nullopt;
  return context.Colors->IdentToColor(line.Value);
}

template <typename E, size_t N>
std::optional<E> EnumOf(const TRdValueLine& line, const TContext& context,
                        const std::pair<std::u16string_view, E> (&names)[N]) {
  for (const auto& [name, value] : names)
    if (line.Kind == TRdValueKind::Plain && SameText(line.Value, name)) return value;
  InvalidIdent(context, line.Value);
  return std::nullopt;
}

std::optional<TAlignment> AlignmentOf(const TRdValueLine& line, const TContext& context) {
  static constexpr std::pair<std::u16string_view, TAlignment> Names[] = {
      {u"taLeftJustify", TAlignment::taLeftJustify},
      {u"taRightJustify", TAlignment::taRightJustify},
      {u"taCenter", TAlignment::taCenter}};
  return EnumOf(line, context, Names);
}

std::optional<TVerticalAlignment> VerticalAlignmentOf(const TRdValueLine& line, const TContext& context) {
  static constexpr std::pair<std::u16string_view, TVerticalAlignment> Names[] = {
      {u"vaTop", TVerticalAlignment::vaTop},
      {u"vaBottom", TVerticalAlignment::vaBottom},
      {u"vaCenter", TVerticalAlignment::vaCenter},
      {u"tlTop", TVerticalAlignment::vaTop},  // the text layout names of labels
      {u"tlBottom", TVerticalAlignment::vaBottom},
      {u"tlCenter", TVerticalAlignment::vaCenter}};
  return EnumOf(line, context, Names);
}

// Font.Style: bold is the only style the controls draw.
std::optional<bool> BoldOf(const TRdValueLine& line, const TContext& context) {
  if (line.Kind != TRdValueKind::Set) return std::nullopt;
  TRdValueStrings one;
  one.SetValue(u"s", line.Value, line.Kind);
  bool bold = false;
  for (const std::u16string& member : one.ReadSet(u"s")) {
    if (SameText(member, u"fsBold")) {
      bold = true;
    } else if (!SameText(member, u"fsItalic") && !SameText(member, u"fsUnderline") &&
               !SameText(member, u"fsStrikeOut")) {
      InvalidIdent(context, member);
      return std::nullopt;
    }
  }
  return bold;
}

// --- Table builders -----------------------------------------------------------------------------------------

template <typename T, typename Parse, typename Apply>
TRdSkinProperty Prop(std::u16string_view name, Parse parse, Apply apply) {
  TRdSkinProperty p;
  p.Name = name;
  p.Set = [parse, apply](TRdControl& control, const TRdValueLine& line, const TContext& context) {
    const auto value = parse(line, context);
    if (!value) return false;
    apply(static_cast<T&>(control), *value);
    return true;
  };
  return p;
}

template <typename T, typename V, typename Parse>
TRdSkinProperty Field(std::u16string_view name, V T::*member, Parse parse) {
  return Prop<T>(name, parse, [member](T& control, const V& value) { control.*member = value; });
}

template <typename T, typename Get, typename Set>
TRdSkinProperty Picture(std::u16string_view name, Get get, Set set) {
  TRdSkinProperty p;
  p.Name = name;
  p.Kind = TRdSkinPropertyKind::Picture;
  p.GetPicture = [get](const TRdControl& control) { return get(static_cast<const T&>(control)); };
  p.SetPicture = [set](TRdControl& control, std::u16string value) { set(static_cast<T&>(control), std::move(value)); };
  return p;
}

// A picture held in a member string (of the control or of one of its picture sets); slot takes the control const
// or not and gives that string.
template <typename T, typename Slot>
TRdSkinProperty PictureSlot(std::u16string_view name, Slot slot) {
  return Picture<T>(
      name, [slot](const T& c) { return std::u16string(slot(c)); },
      [slot](T& c, std::u16string value) { slot(c) = std::move(value); });
}

// Prefix.Left / .Top / .Right / .Bottom of a margins-only design rectangle.
template <typename T>
void AddMargins(TProps& props, std::u16string_view left, std::u16string_view top, std::u16string_view right,
                std::u16string_view bottom, TRdDesignRect T::*member) {
  props.push_back(Prop<T>(left, IntOf, [member](T& c, int32_t v) { (c.*member).Left = v; }));
  props.push_back(Prop<T>(top, IntOf, [member](T& c, int32_t v) { (c.*member).Top = v; }));
  props.push_back(Prop<T>(right, IntOf, [member](T& c, int32_t v) { (c.*member).Right = v; }));
  props.push_back(Prop<T>(bottom, IntOf, [member](T& c, int32_t v) { (c.*member).Bottom = v; }));
}

// Font.Name / .Height / .Size / .Color / .Style through the control's font getter and setter.
template <typename T, typename Get, typename Set>
void AddFont(TProps& props, Get get, Set set) {
  auto change = [get, set](auto modify) {
    return [get, set, modify](T& c, const auto& value) {
      TRdFont font = get(c);
      modify(font, value);
      set(c, font);
    };
  };
  props.push_back(Prop<T>(u"Font.Name", StringOf, change([](TRdFont& f, const std::u16string& v) { f.Name = v; })));
  // A negative height is the character height, a positive one the cell height; both are taken as pixels.
  props.push_back(Prop<T>(u"Font.Height", IntOf, change([](TRdFont& f, int32_t v) { f.Height = v < 0 ? -v : v; })));
  // Points at 96 pixels per inch.
  props.push_back(Prop<T>(u"Font.Size", IntOf, change([](TRdFont& f, int32_t v) {
                            f.Height = int32_t((std::abs(int64_t(v)) * 96 + 36) / 72);
                          })));
  props.push_back(Prop<T>(u"Font.Color", ColorOf, change([](TRdFont& f, uint32_t v) { f.Color = v; })));
  props.push_back(Prop<T>(u"Font.Style", BoldOf, change([](TRdFont& f, bool bold) { f.Bold = bold; })));
}

template <typename T>
void AddSize(TProps& props) {
  props.push_back(Prop<T>(u"Width", IntOf, [](T& c, int32_t v) {
    if (v >= 0) c.SetBounds(TRect::FromSize(c.Bounds().Left, c.Bounds().Top, v, c.Bounds().Height()));
  }));
  props.push_back(Prop<T>(u"Height", IntOf, [](T& c, int32_t v) {
    if (v >= 0) c.SetBounds(TRect::FromSize(c.Bounds().Left, c.Bounds().Top, c.Bounds().Width(), v));
  }));
}

TProps ImageButtonProperties() {
  using B = TRdImageButton;
  TProps p;
  AddSize<B>(p);
  p.push_back(PictureSlot<B>(
      u"ImageNormal.Text", [](auto& b) -> auto& { return b.Pictures.ImageNormal; }));
  p.push_back(PictureSlot<B>(
      u"ImageOver.Text", [](auto& b) -> auto& { return b.Pictures.ImageOver; }));
  p.push_back(PictureSlot<B>(
      u"ImageDown.Text", [](auto& b) -> auto& { return b.Pictures.ImageDown; }));
  p.push_back(PictureSlot<B>(
      u"ImageDisabled.Text", [](auto& b) -> auto& { return b.Pictures.ImageDisabled; }));
  p.push_back(PictureSlot<B>(
      u"ImageSelected.Text", [](auto& b) -> auto& { return b.Pictures.ImageSelected; }));
  p.push_back(PictureSlot<B>(
      u"ImageBusy.Text", [](auto& b) -> auto& { return b.Pictures.ImageBusy; }));
  p.push_back(PictureSlot<B>(
      u"ImageRange.Text", [](auto& b) -> auto& { return b.Pictures.ImageRange; }));
  p.push_back(PictureSlot<B>(
      u"ExpandImage.Text", [](auto& b) -> auto& { return b.Pictures.ExpandImage; }));
  AddMargins<B>(p, u"ImageOption.Left", u"ImageOption.Top", u"ImageOption.Right", u"ImageOption.Bottom",
                &B::ImageOption);
  AddFont<B>(
      p, [](B& b) { return b.Font; }, [](B& b, const TRdFont& f) { b.Font = f; });
  p.push_back(Prop<B>(u"FontHoverColor", ColorOf, [](B& b, uint32_t v) { b.Colors.FontHoverColor = v; }));
  p.push_back(Prop<B>(u"FontDownColor", ColorOf, [](B& b, uint32_t v) { b.Colors.FontDownColor = v; }));
  p.push_back(Prop<B>(u"FontSelectedColor", ColorOf, [](B& b, uint32_t v) { b.Colors.FontSelectedColor = v; }));
  p.push_back(Prop<B>(u"FontCheckedColor", ColorOf, [](B& b, uint32_t v) { b.Colors.FontCheckedColor = v; }));
  p.push_back(Prop<B>(u"FontDisabledColor", ColorOf, [](B& b, uint32_t v) { b.Colors.FontDisabledColor = v; }));
  p.push_back(Field(u"IconVisible", &B::IconVisible, BoolOf));
  p.push_back(Field(u"IconAlign", &B::IconAlign, AlignmentOf));
  p.push_back(Field(u"IconAlignY", &B::IconAlignY, VerticalAlignmentOf));
  p.push_back(Field(u"IconOffset", &B::IconOffset, IntOf));
  p.push_back(Field(u"IconOffsetY", &B::IconOffsetY, IntOf));
  p.push_back(Field(u"IconLockBySelected", &B::IconLockBySelected, BoolOf));
  p.push_back(Field(u"ButtonCaptionAlignment", &B::ButtonCaptionAlignment, AlignmentOf));
  p.push_back(Field(u"TextAlignY", &B::TextAlignY, VerticalAlignmentOf));
  p.push_back(Field(u"TextOffset", &B::TextOffset, IntOf));
  p.push_back(Field(u"TextLeftMargin", &B::TextLeftMargin, IntOf));
  p.push_back(Field(u"TextRightMargin", &B::TextRightMargin, IntOf));
  p.push_back(Field(u"TextTopMargin", &B::TextTopMargin, IntOf));
  p.push_back(Field(u"TextBottomMargin", &B::TextBottomMargin, IntOf));
  p.push_back(Field(u"WordWrap", &B::WordWrap, BoolOf));
  return p;
}

TProps LabelProperties() {
  using L = TRdLabel;
  TProps p;
  AddSize<L>(p);
  AddFont<L>(
      p, [](L& l) { return l.Font(); }, [](L& l, const TRdFont& f) { l.SetFont(f); });
  p.push_back(Prop<L>(u"Alignment", AlignmentOf, [](L& l, TAlignment v) { l.SetAlignment(v); }));
  p.push_back(Prop<L>(u"Layout", VerticalAlignmentOf, [](L& l, TVerticalAlignment v) { l.SetLayout(v); }));
  p.push_back(Prop<L>(u"WordWrap", BoolOf, [](L& l, bool v) { l.SetWordWrap(v); }));
  p.push_back(Prop<L>(u"AutoSize", BoolOf, [](L& l, bool v) { l.SetAutoSize(v); }));
  p.push_back(Prop<L>(u"Constraints.MaxWidth", IntOf, [](L& l, int32_t v) { l.SetMaxWidth(std::max(v, 0)); }));
  p.push_back(Field(u"FontHoverColor", &L::FontHoverColor, ColorOf));
  p.push_back(Field(u"FontDownColor", &L::FontDownColor, ColorOf));
  p.push_back(Field(u"FontDisabledColor", &L::FontDisabledColor, ColorOf));
  p.push_back(Field(u"Color", &L::Color, ColorOf));
  return p;
}

TProps ImageProperties() {
  using I = TRdImage;
  TProps p;
  AddSize<I>(p);
  p.push_back(Picture<I>(
      u"Picture.Text", [](const I& i) { return i.Picture(); },
      [](I& i, std::u16string name) { i.SetPicture(std::move(name)); }));
  AddMargins<I>(p, u"PictureOption.Left", u"PictureOption.Top", u"PictureOption.Right", u"PictureOption.Bottom",
                &I::PictureOption);
  p.push_back(Field(u"Stretch", &I::Stretch, BoolOf));
  p.push_back(Field(u"Center", &I::Center, BoolOf));
  return p;
}

TProps SliderProperties() {
  using S = TRdSlider;
  TProps p;
  AddSize<S>(p);
  p.push_back(PictureSlot<S>(
      u"ImageHRuler.Text", [](auto& s) -> auto& { return s.ImageHRuler; }));
  p.push_back(PictureSlot<S>(
      u"ImageHThumb.Text", [](auto& s) -> auto& { return s.ImageHThumb; }));
  p.push_back(PictureSlot<S>(
      u"ImageRulerSelect.Text", [](auto& s) -> auto& { return s.ImageRulerSelect; }));
  AddMargins<S>(p, u"RulerOption.Left", u"RulerOption.Top", u"RulerOption.Right", u"RulerOption.Bottom",
                &S::RulerOption);
  p.push_back(Field(u"Increment", &S::Increment, IntOf));
  p.push_back(Field(u"PageIncrement", &S::PageIncrement, IntOf));
  p.push_back(Field(u"AllowClickJump", &S::AllowClickJump, BoolOf));
  p.push_back(Field(u"RulerIndent", &S::RulerIndent, IntOf));
  p.push_back(Field(u"RulerSelectAdd", &S::RulerSelectAdd, IntOf));
  p.push_back(Field(u"ThumbWidth", &S::ThumbWidth, IntOf));
  return p;
}

TProps ComboBoxProperties() {
  using C = TRdComboBox;
  TProps p;
  AddSize<C>(p);
  p.push_back(PictureSlot<C>(
      u"Background.Text", [](auto& c) -> auto& { return c.Pictures.Background; }));
  p.push_back(PictureSlot<C>(
      u"BackgroundHot.Text", [](auto& c) -> auto& { return c.Pictures.BackgroundHot; }));
  p.push_back(PictureSlot<C>(
      u"BackgroundClick.Text", [](auto& c) -> auto& { return c.Pictures.BackgroundClick; }));
  p.push_back(PictureSlot<C>(
      u"BackgroundFocus.Text", [](auto& c) -> auto& { return c.Pictures.BackgroundFocus; }));
  p.push_back(PictureSlot<C>(
      u"BackgroundDisable.Text", [](auto& c) -> auto& { return c.Pictures.BackgroundDisable; }));
  AddMargins<C>(p, u"BackgroundOption.Left", u"BackgroundOption.Top", u"BackgroundOption.Right",
                u"BackgroundOption.Bottom", &C::BackgroundOption);
  AddFont<C>(
      p, [](C& c) { return c.Font; }, [](C& c, const TRdFont& f) { c.Font = f; });
  p.push_back(Field(u"ItemColor", &C::ItemColor, ColorOf));
  p.push_back(Field(u"ItemHotColor", &C::ItemHotColor, ColorOf));
  p.push_back(Field(u"ItemHotBgColor", &C::ItemHotBgColor, ColorOf));
  p.push_back(Field(u"BorderColor", &C::BorderColor, ColorOf));
  p.push_back(Field(u"ListColor", &C::ListColor, ColorOf));
  p.push_back(Field(u"FontDisableColor", &C::FontDisableColor, ColorOf));
  p.push_back(Field(u"ScrollTrackColor", &C::ScrollTrackColor, ColorOf));
  p.push_back(Field(u"ScrollThumbColor", &C::ScrollThumbColor, ColorOf));
  p.push_back(Field(u"ScrollThumbDragColor", &C::ScrollThumbDragColor, ColorOf));
  p.push_back(Field(u"TextOffX", &C::TextOffX, IntOf));
  p.push_back(Field(u"TextRightMargin", &C::TextRightMargin, IntOf));
  p.push_back(Field(u"ArrowWidth", &C::ArrowWidth, IntOf));
  p.push_back(Field(u"ItemHeight", &C::ItemHeight, IntOf));
  p.push_back(Field(u"DropDownCount", &C::DropDownCount, IntOf));
  p.push_back(Field(u"ScrollBarWidth", &C::ScrollBarWidth, IntOf));
  return p;
}

}  // namespace

const std::vector<TRdSkinProperty>& RdSkinPropertiesOf(const TRdControl& control) {
  static const TProps button = ImageButtonProperties(), label = LabelProperties(), image = ImageProperties(),
                      slider = SliderProperties(), combo = ComboBoxProperties(), none;
  if (dynamic_cast<const TRdImageButton*>(&control)) return button;
  if (dynamic_cast<const TRdLabel*>(&control)) return label;
  if (dynamic_cast<const TRdImage*>(&control)) return image;
  if (dynamic_cast<const TRdSlider*>(&control)) return slider;
  if (dynamic_cast<const TRdComboBox*>(&control)) return combo;
  return none;
}

const TRdSkinProperty* FindRdSkinProperty(const TRdControl& control, std::u16string_view name) {
  const auto& props = RdSkinPropertiesOf(control);
  auto found = std::find_if(props.begin(), props.end(), [&](const auto& p) { return SameText(p.Name, name); });
  return found == props.end() ? nullptr : &*found;
}

}  // namespace qor
