#include "CommonLib/RdControl/win/RdGdiCanvas.h"

#include <string>
#include <vector>

#include "base/win/DibImage.h"
#include "base/win/WinConvert.h"

namespace qor {

namespace {

UINT TextFlags(const TRdTextFormat& format) {
  UINT flags = DT_NOPREFIX;
  switch (format.Align) {
    case TAlignment::taLeftJustify: flags |= DT_LEFT; break;
    case TAlignment::taRightJustify: flags |= DT_RIGHT; break;
    case TAlignment::taCenter: flags |= DT_CENTER; break;
  }
  if (format.WordWrap) {
    flags |= DT_WORDBREAK;
  } else {
    flags |= DT_SINGLELINE;
    if (format.EndEllipsis) flags |= DT_END_ELLIPSIS;
    if (format.VAlign == TVerticalAlignment::vaCenter) flags |= DT_VCENTER;
    if (format.VAlign == TVerticalAlignment::vaBottom) flags |= DT_BOTTOM;
  }
  return flags;
}

}  // namespace

HFONT TRdFontCache::Get(const TRdFont& font) {
  auto key = std::make_tuple(font.Name, font.Height, font.Bold);
  auto found = FFonts.find(key);
  if (found != FFonts.end()) return static_cast<HFONT>(found->second.Get());
  HFONT created = ::CreateFontW(-font.Height, 0, 0, 0, font.Bold ? FW_SEMIBOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, std::wstring(font.Name.begin(), font.Name.end()).c_str());
  FFonts.emplace(key, TGdiObject(created));
  return created;
}

TRdGdiCanvas::TRdGdiCanvas(const TRdDrawTarget& target, const TRdPictureSource* pictures, TRdFontCache& fonts)
    : FTarget(target), FPictures(pictures), FFonts(fonts) {}

void TRdGdiCanvas::FillRect(const TRect& r, uint32_t color) {
  if (color == ColorNone || r.IsEmpty()) return;
  const RECT rc = ToRECT(r);
  ::SetDCBrushColor(FTarget.Dc, ResolveColor(color));
  ::FillRect(FTarget.Dc, &rc, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

void TRdGdiCanvas::FrameRect(const TRect& r, uint32_t color) {
  if (color == ColorNone || r.IsEmpty()) return;
  const RECT rc = ToRECT(r);
  ::SetDCBrushColor(FTarget.Dc, ResolveColor(color));
  ::FrameRect(FTarget.Dc, &rc, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

TSize TRdGdiCanvas::PictureSize(std::u16string_view name) {
  const TRdPicture* picture = FPictures ? FPictures->Find(name) : nullptr;
  return picture ? picture->Size() : TSize{};
}

bool TRdGdiCanvas::DrawPicture(std::u16string_view name, const TRect& dest, const TRdDesignRect& option) {
  const TRdPicture* picture = FPictures ? FPictures->Find(name) : nullptr;
  if (!picture) return false;
  ::GdiFlush();  // pictures may draw into the pixels directly
  picture->Draw(FTarget, dest, option);
  return true;
}

void TRdGdiCanvas::DrawImage(const TConstImageView& image, const TRect& dest) {
  if (image.IsEmpty() || dest.IsEmpty()) return;
  const TPackedRows rows(image);
  ::SetStretchBltMode(FTarget.Dc, COLORONCOLOR);
  ::StretchDIBits(FTarget.Dc, dest.Left, dest.Top, dest.Width(), dest.Height(), 0, 0, image.Width, image.Height,
                  rows.Bits(), &rows.Info(), DIB_RGB_COLORS, SRCCOPY);
}

void TRdGdiCanvas::PaintText(std::u16string_view text, const TRdFont& font, uint32_t color, const TRect& r,
                             const TRdTextFormat& format) {
  if (text.empty() || r.IsEmpty()) return;
  const std::u16string copy(text);  // DrawTextW may write the ellipsis into a modifiable buffer; this one is not
  TSelectScope selectFont(FTarget.Dc, FFonts.Get(font));
  ::SetBkMode(FTarget.Dc, TRANSPARENT);
  ::SetTextColor(FTarget.Dc, ResolveColor(color));
  RECT rc = ToRECT(r);
  const UINT flags = TextFlags(format);
  if (format.WordWrap && format.VAlign != TVerticalAlignment::vaTop) {
    RECT measure = rc;
    ::DrawTextW(FTarget.Dc, WideUnits(copy), int(copy.size()), &measure, flags | DT_CALCRECT);
    const LONG free = (rc.bottom - rc.top) - (measure.bottom - measure.top);
    if (free > 0) rc.top += format.VAlign == TVerticalAlignment::vaCenter ? free / 2 : free;
  }
  ::DrawTextW(FTarget.Dc, WideUnits(copy), int(copy.size()), &rc, flags);
}

TSize TRdGdiCanvas::MeasureText(std::u16string_view text, const TRdFont& font, int32_t maxWidth) {
  const std::u16string copy(text);
  TSelectScope selectFont(FTarget.Dc, FFonts.Get(font));
  RECT rc{0, 0, maxWidth > 0 ? maxWidth : 0, 0};
  UINT flags = DT_CALCRECT | DT_NOPREFIX | (maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  if (copy.empty()) {
    ::DrawTextW(FTarget.Dc, L" ", 1, &rc, flags);
    return {0, rc.bottom - rc.top};
  }
  ::DrawTextW(FTarget.Dc, WideUnits(copy), int(copy.size()), &rc, flags);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

int32_t TRdGdiCanvas::FontLineHeight(const TRdFont& font) {
  TSelectScope selectFont(FTarget.Dc, FFonts.Get(font));
  TEXTMETRICW metrics{};
  return ::GetTextMetricsW(FTarget.Dc, &metrics) ? metrics.tmHeight : 0;
}

}  // namespace qor
