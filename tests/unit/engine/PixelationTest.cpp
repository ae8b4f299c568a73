// The pixelation brush of the edit surface: strokes of presses, moves and releases over layer 0, checked cell by cell
// against the picture before the stroke, with undo, redo and the rectangles each call reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "engine/EditSurface.h"

using namespace qor;

namespace {

TImage Noise(int32_t w, int32_t h, uint32_t seed = 7) {
  std::mt19937 random(seed);
  TImage image(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      image.View().At(x, y) = TBgra{uint8_t(random()), uint8_t(random()), uint8_t(x), 255};
  return image;
}

// Dark strokes 3 and 4 px wide on a light gradient, as text on a screenshot.
TImage Text(int32_t w, int32_t h) {
  TImage image(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const bool ink = (x % 11 >= 1 && x % 11 < 5 && y % 20 < 15) || (y % 20 >= 6 && y % 20 < 9);
      image.View().At(x, y) =
          ink ? TBgra{30, 20, 10, 255} : TBgra{uint8_t(200 + x % 50), 230, uint8_t(180 + y % 60), 255};
    }
  return image;
}

bool Same(const TImage& a, const TImage& b) {
  for (int32_t y = 0; y < a.Height(); ++y)
    if (!std::equal(a.View().Row(y), a.View().Row(y) + a.Width(), b.View().Row(y))) return false;
  return true;
}

// A surface with the pixelation brush armed.
struct TBrush {
  TEditSurface Surface;
  TBrush(TImage picture, int32_t brushSize, int32_t blockSize) : Surface(std::move(picture)) {
    Surface.SetCreateMode(TCreateMode::Pixelate);
    Surface.SetPixelationBrush(brushSize, blockSize);
  }
  TImage Picture() const { return Surface.Background().Clone(); }
};

// Runs change and checks that every pixel of layer 0 it changed lies in the rectangles it reported.
void ExpectReported(TEditSurface& e, const std::function<TSurfaceUpdate()>& change) {
  const TImage before = e.Background().Clone();
  const TSurfaceUpdate update = change();
  const auto reported = [&](int32_t x, int32_t y) {
    return std::any_of(update.Dirty.begin(), update.Dirty.end(), [&](auto& r) { return r.Contains({x, y}); });
  };
  for (int32_t y = 0; y < before.Height(); ++y)
    for (int32_t x = 0; x < before.Width(); ++x)
      ASSERT_TRUE(before.View().At(x, y) == e.Background().View().At(x, y) || reported(x, y)) << x << "," << y;
}

// Presses at the first point, moves through the others and releases at the last.
void Stroke(TEditSurface& e, const std::vector<TPoint>& path) {
  for (size_t i = 0; i < path.size(); ++i)
    ExpectReported(e, [&] { return i == 0 ? e.MouseDown(path[i]) : e.MouseMove(path[i]); });
  ExpectReported(e, [&] { return e.MouseUp(path.back()); });
}

double DistanceToPath(double x, double y, const std::vector<TPoint>& path) {
  double best = 1e9;
  for (size_t i = 0; i < path.size(); ++i) {
    const TPoint a = path[i == 0 ? 0 : i - 1], b = path[i];
    const double dx = b.X - a.X, dy = b.Y - a.Y, length = dx * dx + dy * dy;
    const double t = length ? std::clamp(((x - a.X - 0.5) * dx + (y - a.Y - 0.5) * dy) / length, 0.0, 1.0) : 0.0;
    best = std::min(best, std::hypot(a.X + 0.5 + t * dx - x, a.Y + 0.5 + t * dy - y));
  }
  return best;
}

// Checks every cell of the grid of side block (from the origin, cut at the right and bottom edges): it is either as
// it was, or filled whole with the rounded mean of its pixels before. A cell with a pixel centre within radius - 1 of
// the path must be filled, one with none within radius + 1 must be as it was. Returns the number of filled cells.
int CheckCells(const TImage& before, const TImage& after, int32_t block, double radius,
               const std::vector<TPoint>& path) {
  int filled = 0;
  for (int32_t top = 0; top < before.Height(); top += block)
    for (int32_t left = 0; left < before.Width(); left += block) {
      const TRect cell{left, top, std::min(left + block, before.Width()), std::min(top + block, before.Height())};
      uint32_t sums[4] = {}, n = uint32_t(cell.Width() * cell.Height());
      double nearest = 1e9;
      bool same = true;
      for (int32_t y = cell.Top; y < cell.Bottom; ++y)
        for (int32_t x = cell.Left; x < cell.Right; ++x) {
          const TBgra p = before.View().At(x, y);
          sums[0] += p.B, sums[1] += p.G, sums[2] += p.R, sums[3] += p.A;
          same = same && p == after.View().At(x, y);
          nearest = std::min(nearest, DistanceToPath(x + 0.5, y + 0.5, path));
        }
      const auto mean = [n](uint32_t sum) { return uint8_t((sum + n / 2) / n); };
      const TBgra colour{mean(sums[0]), mean(sums[1]), mean(sums[2]), mean(sums[3])};
      bool uniform = true;
      for (int32_t y = cell.Top; y < cell.Bottom; ++y)
        for (int32_t x = cell.Left; x < cell.Right; ++x) uniform = uniform && after.View().At(x, y) == colour;
      SCOPED_TRACE(testing::Message() << "cell at " << left << "," << top << " of side " << block);
      EXPECT_TRUE(same || uniform);
      if (nearest < radius - 1) {
        EXPECT_TRUE(uniform);
      } else if (nearest > radius + 1) {
        EXPECT_TRUE(same);
      }
      filled += uniform;
    }
  return filled;
}

double MeanError(const TImage& a, const TImage& b) {
  double sum = 0;
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x) {
      const TBgra p = a.View().At(x, y), q = b.View().At(x, y);
      sum += std::abs(p.B - q.B) + std::abs(p.G - q.G) + std::abs(p.R - q.R);
    }
  return sum / (3.0 * a.Width() * a.Height());
}

}  // namespace

TEST(Pixelation, AStrokeFillsTheCellsItTouchesWholeWithTheirMeanUpToTheCutCellsAtTheEdges) {
  const std::vector<TPoint> path{{4, 3}, {30, 40}, {60, 20}, {101, 75}, {70, 75}, {102, 30}};
  for (const int32_t block : {1, 2, 7, 10, 30}) {
    TBrush brush(Noise(103, 77), 20, block);  // the edges cut cells in every grid but the finest
    Stroke(brush.Surface, path);
    const int filled = CheckCells(Noise(103, 77), brush.Picture(), block, 10, path);
    EXPECT_GT(filled, 0);
    EXPECT_EQ(brush.Surface.UndoCount(), 1);
  }
}

// Rows of more than 64 cells, an odd width and height that cut the last column and row of 2 x 2 cells, and a stroke
// that doubles back over its own cells, which it must leave as they are rather than take them again.
TEST(Pixelation, AStrokeOverItsOwnCellsInLongRowsTakesEachCellOnceAndUndoesExactly) {
  const std::vector<TPoint> path{{0, 70}, {300, 72}, {3, 60}, {150, 76}, {298, 2}, {0, 0}};
  for (const int32_t block : {1, 2, 3}) {
    TBrush brush(Noise(301, 77, 11), 24, block);
    Stroke(brush.Surface, path);
    const TImage after = brush.Picture();
    EXPECT_GT(CheckCells(Noise(301, 77, 11), after, block, 12, path), 301 / block);
    brush.Surface.Undo();
    EXPECT_TRUE(Same(brush.Picture(), Noise(301, 77, 11)));
    brush.Surface.Redo();
    EXPECT_TRUE(Same(brush.Picture(), after));
  }
}

// A column of up to 257 opaque pixels sums up within 16 bits, and one more row needs wider sums.
TEST(Pixelation, CellsOfAsManyRowsAsSumUpWithin16BitsAndOfOneMoreTakeTheirExactMean) {
  const std::vector<TPoint> path{{10, 250}, {250, 10}};
  for (const int32_t block : {257, 258}) {
    TBrush brush(Noise(300, 290, 3), 20, block);
    Stroke(brush.Surface, path);
    EXPECT_EQ(CheckCells(Noise(300, 290, 3), brush.Picture(), block, 10, path), 3);
  }
}

TEST(Pixelation, AFastMoveBetweenFarPointsLeavesNoGap) {
  TBrush brush(Noise(200, 150), 10, 4);
  const std::vector<TPoint> path{{5, 5}, {190, 140}, {10, 140}};  // two moves, each across most of the surface
  Stroke(brush.Surface, path);
  EXPECT_GT(CheckCells(Noise(200, 150), brush.Picture(), 4, 5, path), 2 * 180 / 4);
}

TEST(Pixelation, BlockSizeTwoKeepsThePictureReadableAndThirtyMakesLargeUniformCells) {
  std::vector<TPoint> raster;  // the whole surface, row by row
  for (int32_t y = 0; y <= 130; y += 20)
    raster.push_back({y % 40 ? 170 : -10, y}), raster.push_back({y % 40 ? -10 : 170, y});
  double error[2] = {};
  for (const int32_t block : {2, 30}) {
    TBrush brush(Text(160, 120), 40, block);
    Stroke(brush.Surface, raster);
    const TImage after = brush.Picture();
    EXPECT_EQ(CheckCells(Text(160, 120), after, block, 20, raster), (159 / block + 1) * (119 / block + 1));
    error[block == 30] = MeanError(Text(160, 120), after);
  }
  EXPECT_LT(error[0], 30);  // of 255: the strokes of the text remain as blurred lines
  EXPECT_GT(error[1], 3 * error[0]);
}

TEST(Pixelation, LaterStrokesKeepEarlierCellsWhateverTheBlockSize) {
  TBrush brush(Noise(160, 120), 20, 10);
  const std::vector<TPoint> across{{0, 50}, {159, 50}}, down{{80, 0}, {80, 119}}, corner{{5, 110}, {25, 115}};
  Stroke(brush.Surface, across);
  const TImage first = brush.Picture();
  Stroke(brush.Surface, down);  // crosses the first: its cells are found uniform and keep their colour
  const TImage second = brush.Picture();
  CheckCells(first, second, 10, 10, down);

  // A new block size, even given mid-stroke, applies to the following strokes only.
  brush.Surface.MouseDown({130, 90});
  brush.Surface.SetPixelationBrush(20, 3);
  brush.Surface.MouseMove({150, 100});
  brush.Surface.MouseUp({150, 100});
  CheckCells(second, brush.Picture(), 10, 10, {{130, 90}, {150, 100}});
  const TImage third = brush.Picture();
  Stroke(brush.Surface, corner);
  CheckCells(third, brush.Picture(), 3, 10, corner);
  const TImage last = brush.Picture();
  for (int32_t y = 0; y < 80; ++y)
    for (int32_t x = 0; x < 160; ++x) ASSERT_EQ(last.View().At(x, y), second.View().At(x, y));
}

TEST(Pixelation, AStrokeOverAMergedRectanglePixelatesItsPixels) {
  TEditSurface e(Noise(160, 120));
  e.SetCreateMode(TCreateMode::Shape);
  e.OnNewLayer = [&](int32_t layer, TLayerKind) { e.SetLook(layer, {TShapeKind::Rectangle, 0x0000FF, 4, 0x0000FF}); };
  e.MouseDown({20, 20});
  e.MouseUp({101, 101});
  e.MergeAll();
  const TImage merged = e.Background().Clone();
  e.SetCreateMode(TCreateMode::Pixelate);
  Stroke(e, {{10, 60}, {150, 60}});
  CheckCells(merged, e.Background().Clone(), 10, 10, {{10, 60}, {150, 60}});
  EXPECT_EQ(e.Background().View().At(55, 55), (TBgra{0, 0, 255, 255}));  // a cell inside the filled rectangle
  e.Undo();
  EXPECT_TRUE(Same(e.Background().Clone(), merged));
}

TEST(Pixelation, UndoAndRedoOfStrokesRestoreThePixelsExactly) {
  TBrush brush(Noise(160, 120), 40, 6);
  TEditSurface& e = brush.Surface;
  Stroke(e, {{10, 10}, {150, 110}, {150, 10}});
  const TImage one = brush.Picture();
  Stroke(e, {{0, 119}, {159, 0}});
  const TImage two = brush.Picture();
  const std::function<TSurfaceUpdate()> undo = [&] { return e.Undo(); }, redo = [&] { return e.Redo(); };
  for (const auto& change : {undo, undo}) ExpectReported(e, change);
  EXPECT_TRUE(Same(brush.Picture(), Noise(160, 120)));
  ExpectReported(e, redo);
  EXPECT_TRUE(Same(brush.Picture(), one));
  ExpectReported(e, redo);
  EXPECT_TRUE(Same(brush.Picture(), two));
  EXPECT_EQ(e.RedoCount(), 0);
}

TEST(Pixelation, PressesPaintUnderLayersWithoutSelectingThemAndEndingTheActionEndsTheStroke) {
  TEditSurface e(Noise(160, 120));
  e.SetCreateMode(TCreateMode::Shape);
  e.MouseDown({20, 20});
  e.MouseUp({100, 100});
  ASSERT_EQ(e.CurrentLayer(), 1);
  e.SetCreateMode(TCreateMode::Pixelate);
  EXPECT_EQ(e.CursorAt({20, 60}), TSurfaceCursor::Cross);  // on the rectangle's border
  e.MouseDown({20, 60});
  e.MouseMove({100, 60});
  EXPECT_EQ(e.CurrentLayer(), 0);
  e.EndInteractiveAction();
  EXPECT_FALSE(e.Dragging());
  EXPECT_EQ(e.LayerCount(), 2);
  EXPECT_EQ(e.UndoCount(), 2);
  CheckCells(Noise(160, 120), e.Background().Clone(), 10, 10, {{20, 60}, {100, 60}});
  e.MouseDown({-50, -50});  // a stroke that stays off the picture changes nothing and is no step
  e.MouseUp({-30, -50});
  EXPECT_EQ(e.UndoCount(), 2);
}
