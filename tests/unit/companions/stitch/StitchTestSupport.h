#pragma once
// Helpers shared by the stitching tests: small recipes, and comparing a stitched BMP with a case's ideal picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/BmpFile.h"
#include "tests/stitch-corpus/StitchCorpus.h"

namespace qor::stitch::corpus {
// Failure messages name a case rather than dump its bytes.
inline void PrintTo(const TCaseRecipe& recipe, std::ostream* out) { *out << recipe.Name; }
}  // namespace qor::stitch::corpus

namespace qor::stitch::testing {

// Frames of width x height (header and footer rows fixed) over a page of pageHeight rows; with steps, the run
// scrolls from start by them within the page.
inline corpus::TCaseRecipe PageRecipe(std::string name, int32_t width, int32_t height, int32_t header, int32_t footer,
                                      int32_t pageHeight, int32_t start = 0, const std::vector<int32_t>& steps = {}) {
  corpus::TCaseRecipe r;
  r.Name = std::move(name);
  r.Width = width, r.Height = height, r.Header = header, r.Footer = footer, r.PageHeight = pageHeight;
  if (!steps.empty()) corpus::Scroll(r, start, steps);
  return r;
}

// Noise that never repeats: a pixel for row a, column b.
inline TBgra NoisePixel(uint64_t a, uint64_t b) {
  uint64_t v = a * 0x9E3779B97F4A7C15ull + b * 0xC2B2AE3D27D4EB4Full;
  v ^= v >> 29;
  v *= 0xBF58476D1CE4E5B9ull;
  v ^= v >> 32;
  return TBgra{uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), 255};
}

inline bool InChangingColumn(const corpus::TCase& c, int32_t x) {
  for (const auto& [left, right] : c.ChangingColumns)
    if (x >= left && x < right) return true;
  return false;
}

inline bool InChangingArea(const corpus::TCase& c, int32_t x, int32_t y) {
  for (const TRect& r : c.ChangingAreas)
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return true;
  return InChangingColumn(c, x);
}

// Pixel-for-pixel equality (with the ideal, or where the case has one, its alternative) outside the case's
// changing columns and areas; names the first differing pixel.
inline ::testing::AssertionResult MatchesIdeal(const corpus::TCase& c, const uint8_t* bmp, size_t size) {
  TImage result;
  const TBmpError error = ReadBmp(bmp, size, result);
  if (error != TBmpError::None) return ::testing::AssertionFailure() << "result is no BMP: " << BmpErrorText(error);
  const TConstImageView ideal = c.Ideal.View();
  if (result.Width() != ideal.Width || result.Height() != ideal.Height)
    return ::testing::AssertionFailure() << "result " << result.Width() << "x" << result.Height() << ", ideal "
                                         << ideal.Width << "x" << ideal.Height;
  int64_t differing = 0;
  int32_t firstX = -1, firstY = -1;
  for (int32_t y = 0; y < ideal.Height; ++y)
    for (int32_t x = 0; x < ideal.Width; ++x) {
      if (InChangingArea(c, x, y)) continue;
      const TBgra a = result.View().At(x, y), b = ideal.At(x, y);
      const auto same = [&a](const TBgra& p) { return a.B == p.B && a.G == p.G && a.R == p.R; };
      if (!same(b) && (c.Alternative.IsEmpty() || !same(c.Alternative.View().At(x, y)))) {
        if (differing++ == 0) firstX = x, firstY = y;
      }
    }
  if (differing == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differing << " pixels differ, first at " << firstX << "," << firstY;
}

}  // namespace qor::stitch::testing
