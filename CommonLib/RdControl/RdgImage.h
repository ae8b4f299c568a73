#pragma once
// TRdgImage: a skin picture reference, written as a short script of name=value lines (CR LF or LF between them):
//   imgname=images/scrollbar_normal.png      the picture in the skin package
//   SkinRcc=classic                          the picture came from this skin (pictures without it are the design's)
//   imgrect!=0,0,16,16                       the part of the picture to draw (left, top, right, bottom)
//   imgalpha!=128                            opacity, 0 to 255
//   imgsmooth=2                              resampling: 0 default, 1 fast smooth, 2 smooth
//   imgopt!=4,4,4,4,0                        margins and stretch mode (see DesignRect.h)
//   duration!=40                             frame time of an animation, milliseconds
//   PlayImgName=..., PlayScript=<0-7 d=40>   an animation's picture and frame script (RdgPlayScript.h)
// A name ending in "!" marks its value as set on purpose: when a reference takes its values from another one (a
// skin's reference for the same picture, Inherit), such values stay and every other value is the other one's.
// Names are compared with case ignored; unknown lines are kept and written back. A value of the wrong form reads
// as absent (or as the default) and never fails.
//   TRdgImage ref;
//   ref.SetText(u"imgname=images/bg_window.png\r\nimgopt!=4,4,4,4,0");
//   LayoutDesignRect(size, dest, ref.ImgOpt().value_or(TDesignRect{}));
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CommonLib/RdControl/DesignRect.h"
#include "CommonLib/RdControl/PngDrawOptions.h"
#include "base/Geometry.h"

namespace qor {

struct TRdgScriptLine {
  std::u16string Name;  // without the "!"
  std::u16string Value;
  bool Explicit = false;  // the name ended in "!"
  friend bool operator==(const TRdgScriptLine&, const TRdgScriptLine&) = default;
};

// A picture name in square brackets ("[loading]") names an animation script of the skin text, not a file.
bool IsRdgAnimationName(std::u16string_view name);

class TRdgImage {
 public:
  // Replaces the values with those of the script; lines without "=" or with an empty name are skipped, a name
  // given twice keeps its last value.
  void SetText(std::u16string_view text);
  // The script in its written form: the known values in a fixed order, each only when it differs from its default
  // ("imgrect!", "imgalpha!", "imgopt!" and "duration!" always with "!"), then the unknown lines as read. With a
  // parent, "imgalpha!" is written when it differs from the parent's alpha, and lines the parent's script has with
  // the same value are left out.
  std::u16string Text(const TRdgImage* parent = nullptr) const;
  const std::vector<TRdgScriptLine>& Values() const { return FLines; }

  // Values set on purpose here stay; every other value becomes the parent's (or absent when the parent has none).
  void Inherit(const TRdgImage& parent);

  std::u16string ImgName() const { return Get(u"imgname"); }
  void SetImgName(std::u16string_view name) { Set(u"imgname", name, false); }
  std::u16string SkinRcc() const { return Get(u"SkinRcc"); }
  void SetSkinRcc(std::u16string_view skin) { Set(u"SkinRcc", skin, false); }
  // Four integers; absent when missing or malformed.
  std::optional<TRect> ImgRect() const;
  void SetImgRect(const TRect& rect);
  // 0 to 255; absent when missing or out of range (drawn opaque).
  std::optional<uint8_t> ImgAlpha() const;
  uint8_t AlphaBlendValue() const { return ImgAlpha().value_or(255); }
  void SetAlphaBlendValue(uint8_t alpha);
  // A value above 2 or malformed reads as Default.
  TPngSmoothFilter SmoothFilter() const;
  void SetSmoothFilter(TPngSmoothFilter filter);
  // Four or five integers (left, top, right, bottom, mode); a mode outside 0 to 4 reads as sdmDefault.
  std::optional<TDesignRect> ImgOpt() const;
  void SetImgOpt(const TDesignRect& option);
  // Milliseconds, 0 or more.
  std::optional<int32_t> Duration() const;
  void SetDuration(int32_t milliseconds);
  std::u16string PlayImgName() const { return Get(u"PlayImgName"); }
  std::u16string PlayScript() const { return Get(u"PlayScript"); }

  bool IsExplicit(std::u16string_view name) const;
  void Remove(std::u16string_view name);

 private:
  std::vector<TRdgScriptLine> FLines;

  const TRdgScriptLine* Find(std::u16string_view name) const;
  // The lines Text writes, canonical, before a parent's equal lines are left out.
  std::vector<TRdgScriptLine> WrittenLines(uint8_t parentAlpha) const;
  std::u16string Get(std::u16string_view name) const;
  void Set(std::u16string_view name, std::u16string_view value, bool explicitValue);
};

// Integers separated by ",", each decimal or "$" hexadecimal, spaces allowed around them; nullopt when any part is
// not a number.
std::optional<std::vector<int32_t>> ParseRdgIntegers(std::u16string_view text);

}  // namespace qor
