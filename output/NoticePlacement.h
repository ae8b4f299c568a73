#pragma once
// The capture notice's portable rules: where it goes beside the magnifier band, how its two lines are stacked,
// when it has been up long enough, how a too-long second line is shortened, and the setting that keeps it away.
// Usage (the overlay's detection tick and first press drive it through TCaptureNotice, output/win/NoticForm.h):
//   TPoint at = qor::PlaceNotice(desktop, windowSize, cursor.X, magnifierTop, magnifierHeight);
//   if (qor::NoticeShouldClose(startTick, ::GetTickCount())) CloseTheNotice();
//   qor::RecordNoticeSeen(noticeVisible);   // first press: "1" only when the notice was on screen
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/Geometry.h"

namespace qor {

// Design values at scale 1 (the window is scaled for the screen; the vertical margins of its lines are not).
inline constexpr int32_t NoticeClientWidth = 400;
inline constexpr int32_t NoticeDesignHeight = 100;
inline constexpr int32_t NoticeLabelLeft = 15;
inline constexpr int32_t NoticeLabelMaxWidth = 370;
inline constexpr int32_t NoticeFontHeight = 14;
inline constexpr int32_t NoticeFirstLineTop = 15;
inline constexpr int32_t NoticeLineGap = 10;
inline constexpr int32_t NoticeBottomMargin = 15;
inline constexpr int32_t NoticeCursorGap = 20;        // from the cursor, and from the magnifier band
inline constexpr uint32_t NoticeLifetimeSeconds = 6;  // whole seconds the notice may stay

// Top-left corner of the notice for cursor x and the band [y, y + h) it must not cover, on the desktop (screen
// coordinates, right and bottom exclusive): right of the cursor by 20 while x <= desktop right - window width,
// else ending at the cursor; below the band by 20 when the desktop's bottom leaves room for it and 20 more, else
// 20 above the band.
TPoint PlaceNotice(const TRect& desktop, TSize window, int32_t x, int32_t y, int32_t h);

struct TNoticeLayout {
  TRect Label_1;
  TRect Label_2;
  int32_t ClientHeight = 0;
};

// Label_1 at (left, 15), Label_2 10 below it, the client 15 below Label_2; label sizes as measured.
TNoticeLayout LayoutNotice(int32_t labelLeft, TSize label1, TSize label2);

// More than 6 whole seconds between two tick counts (milliseconds, wrapping at 2^32 like GetTickCount).
bool NoticeShouldClose(uint32_t startTick, uint32_t nowTick);

// The text unchanged when it fits maxWidth, else its start and end around "..." with as much of both kept as fits
// (path-style shortening); "..." alone when nothing more fits. Surrogate pairs are never split.
std::u16string ShortenInMiddle(std::u16string_view text, int32_t maxWidth,
                               const std::function<int32_t(std::u16string_view)>& measureWidth);

// "ScreenshotCapTip" in section "AIAssistant": the notice is shown unless it holds "1" (default "0").
bool NoticeWanted();
// The first press in the overlay: when the notice was visible, writes "1" unless the key holds it already. True
// when it wrote.
bool RecordNoticeSeen(bool noticeVisible);

}  // namespace qor
