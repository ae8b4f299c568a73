#pragma once
// Pictures for the long-result tests: BMP file images of views, exact and tolerant comparisons, and a simulated
// stitching run whose picture is a rendered page between a header and a footer band that every step replaces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/BmpFile.h"
#include "base/Image.h"
#include "scroll/LongResult.h"
#include "scroll/PreviewCopy.h"
#include "tests/stitch-corpus/StitchCorpus.h"

namespace qor::scrolltest {

inline bool SameImage(const TConstImageView& a, const TConstImageView& b) {
  if (a.Width != b.Width || a.Height != b.Height) return false;
  for (int32_t y = 0; y < a.Height; ++y)
    if (std::memcmp(a.Row(y), b.Row(y), size_t(a.Width) * sizeof(TBgra)) != 0) return false;
  return true;
}

inline int MaxChannelDifference(const TConstImageView& a, const TConstImageView& b) {
  int worst = 0;
  for (int32_t y = 0; y < a.Height; ++y)
    for (int32_t x = 0; x < a.Width; ++x) {
      const TBgra p = a.At(x, y), q = b.At(x, y);
      worst = std::max({worst, std::abs(p.B - q.B), std::abs(p.G - q.G), std::abs(p.R - q.R), std::abs(p.A - q.A)});
    }
  return worst;
}

// The boxes the preview is checked in: the tallest, the usual, a short one, a narrower one and a single pixel.
struct TBox {
  int32_t Width, Height;
};
inline std::vector<TBox> PreviewBoxes(int32_t pictureWidth) {
  const int32_t width = std::min(pictureWidth, PreviewMaxWidth);
  return {{width, 1200}, {width, 1000}, {width, 333}, {std::max(1, width / 3), 701}, {1, 1}};
}

// How far the preview scaled from the reduced copy may be from the whole picture scaled directly, per channel.
// Rounding alone gives 1 level. Where the copy averages several picture rows (or columns) into one, a box edge that
// cuts a copy row takes that row's average for its own part of it: at most about half a copy row of the full
// contrast is misplaced per box row, so the bound grows with copy row / box row.
inline int PreviewTolerance(const TConstImageView& copy, const TConstImageView& whole, TBox box) {
  double share = 0;
  if (copy.Height < whole.Height) share += double(box.Height) / (2.0 * copy.Height);
  if (copy.Width < whole.Width && box.Width < copy.Width) share += double(box.Width) / (2.0 * copy.Width);
  return 1 + int(255 * share + 0.999);
}

// Scales the copy and the whole picture into every box and checks each against its tolerance. Returns the largest
// difference seen.
inline int ExpectPreviewClose(const TPreviewCopy& copy, const TConstImageView& whole, const std::vector<TBox>& boxes) {
  int worst = 0;
  for (const TBox& box : boxes) {
    TImage fromCopy(box.Width, box.Height), direct(box.Width, box.Height);
    ScalePreview(copy.View(), fromCopy.View());
    ScalePreview(whole, direct.View());
    const int difference = MaxChannelDifference(fromCopy.View(), direct.View());
    EXPECT_LE(difference, PreviewTolerance(copy.View(), whole, box))
        << "box " << box.Width << "x" << box.Height << ", picture " << whole.Width << "x" << whole.Height;
    worst = std::max(worst, difference);
  }
  return worst;
}

inline TImage CopyRows(const TConstImageView& from, int32_t first, int32_t count) {
  TImage rows(from.Width, count);
  for (int32_t y = 0; y < count; ++y)
    std::memcpy(rows.View().Row(y), from.Row(first + y), size_t(from.Width) * sizeof(TBgra));
  return rows;
}

// A stitching run played without the library: the picture is a header band, page rows [Top, Bottom) and a footer
// band. A step down appends page rows and replaces the footer; a step up prepends page rows and replaces the header.
class TSimulatedRun {
 public:
  TSimulatedRun(int32_t width, int32_t pageHeight, int32_t top, int32_t bottom)
      : Page(stitch::corpus::RenderPage(stitch::corpus::TPageKind::Article, width, pageHeight, 11)),
        Top(top),
        Bottom(bottom) {}

  void Down(int32_t rows) {
    Bottom = std::min(Page.Height(), Bottom + rows);
    ++FooterShade;
  }
  void Up(int32_t rows) {
    Top = std::max(0, Top - rows);
    ++HeaderShade;
  }
  int32_t Height() const { return HeaderRows + (Bottom - Top) + FooterRows; }

  TImage Picture() const {
    TImage picture(Page.Width(), Height());
    const TImageView view = picture.View();
    for (int32_t y = 0; y < view.Height; ++y) {
      TBgra* row = view.Row(y);
      if (y < HeaderRows) {
        // A toolbar-like band whose shade changes with every step up.
        std::fill(row, row + view.Width, TBgra{uint8_t(40 + 9 * HeaderShade), 90, uint8_t(200 - y), 255});
      } else if (y >= view.Height - FooterRows) {
        for (int32_t x = 0; x < view.Width; ++x) row[x] = TBgra{uint8_t(x * 7 + FooterShade * 13), 30, 60, 255};
      } else {
        std::memcpy(row, Page.View().Row(Top + y - HeaderRows), size_t(view.Width) * sizeof(TBgra));
      }
    }
    return picture;
  }
  std::vector<uint8_t> Bmp() const { return WriteBmp(Picture().View(), 24); }

  static constexpr int32_t HeaderRows = 20;
  static constexpr int32_t FooterRows = 25;
  TImage Page;
  int32_t Top, Bottom;
  int HeaderShade = 0, FooterShade = 0;
};

}  // namespace qor::scrolltest
