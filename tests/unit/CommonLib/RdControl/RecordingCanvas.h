#pragma once
// A canvas and a host that record what the controls ask of them, with a text measurer of fixed character cells
// (7 x 15 pixels, lines broken at spaces).
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "CommonLib/RdControl/RdControl.h"

namespace qor::testing {

struct TDrawCall {
  std::string Kind;  // "fill", "frame", "picture", "image", "text"
  std::u16string Name;
  TRect Rect;
  uint32_t Color = 0;
};

class TCellMeasurer : public TRdTextMeasurer {
 public:
  static constexpr int32_t CellWidth = 7, LineHeight = 15;
  TSize MeasureText(std::u16string_view text, const TRdFont&, int32_t maxWidth) override {
    if (maxWidth <= 0) return {int32_t(text.size()) * CellWidth, LineHeight};
    const int32_t perLine = std::max<int32_t>(1, maxWidth / CellWidth);
    int32_t lines = 1, used = 0, widest = 0;  // greedy breaking at spaces; an over-long word sticks out
    size_t pos = 0;
    while (pos <= text.size()) {
      size_t end = text.find(u' ', pos);
      if (end == std::u16string_view::npos) end = text.size();
      const int32_t word = int32_t(end - pos);
      if (used > 0 && used + 1 + word > perLine) {
        ++lines;
        used = word;
      } else {
        used = used == 0 ? word : used + 1 + word;
      }
      widest = std::max(widest, used);
      pos = end + 1;
    }
    return {widest * CellWidth, lines * LineHeight};
  }
};

class TRecordingCanvas : public TRdCanvas {
 public:
  std::vector<TDrawCall> Calls;
  std::map<std::u16string, TSize, std::less<>> Pictures;  // names the canvas knows, with their sizes
  TCellMeasurer Measurer;

  void FillRect(const TRect& r, uint32_t color) override { Calls.push_back({"fill", u"", r, color}); }
  void FrameRect(const TRect& r, uint32_t color) override { Calls.push_back({"frame", u"", r, color}); }
  TSize PictureSize(std::u16string_view name) override {
    auto found = Pictures.find(name);
    return found == Pictures.end() ? TSize{} : found->second;
  }
  bool DrawPicture(std::u16string_view name, const TRect& dest, const TRdDesignRect&) override {
    Calls.push_back({"picture", std::u16string(name), dest, 0});
    return Pictures.count(name) != 0;
  }
  void DrawImage(const TConstImageView&, const TRect& dest) override { Calls.push_back({"image", u"", dest, 0}); }
  void PaintText(std::u16string_view text, const TRdFont&, uint32_t color, const TRect& r,
                 const TRdTextFormat&) override {
    Calls.push_back({"text", std::u16string(text), r, color});
  }
  TSize MeasureText(std::u16string_view text, const TRdFont& font, int32_t maxWidth) override {
    return Measurer.MeasureText(text, font, maxWidth);
  }
  std::vector<TDrawCall> Of(const std::string& kind) const {
    std::vector<TDrawCall> out;
    for (auto& c : Calls)
      if (c.Kind == kind) out.push_back(c);
    return out;
  }
};

class TRecordingHost : public TRdControlHost {
 public:
  std::vector<TRect> Invalid;
  int ChangeCount = 0;
  bool CanMeasure = true;
  TCellMeasurer Measurer;
  void InvalidateRect(const TRect& r) override { Invalid.push_back(r); }
  TRdTextMeasurer* TextMeasurer() override { return CanMeasure ? &Measurer : nullptr; }
  void ControlsChanged() override { ++ChangeCount; }
};

}  // namespace qor::testing
