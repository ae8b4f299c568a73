// The selection step's hot paths on a 3840 x 2160 desktop with 200 windows: one detection tick (hit test, border
// dashes, magnifier stretch) and one drag step (selection geometry and the dashed frame painted into the crop),
// plus hit-testing alone. Each step does the pixel work the window would do for it.
#include <benchmark/benchmark.h>

#include <random>

#include "base/PixelOps.h"
#include "capture/CaptureRun.h"
#include "capture/DashedBorder.h"
#include "capture/Detection.h"
#include "capture/Magnifier.h"
#include "capture/Selection.h"
#include "tests/unit/capture/TestWindows.h"

using namespace qor;
using qor::test::CascadeWindows;
using qor::test::RandomWindows;

namespace {

const TDesktop Desktop4k{0, 0, 3840, 2160};

TImage Screen() {
  TImage image(Desktop4k.Width, Desktop4k.Height);
  for (int32_t y = 0; y < image.Height(); ++y)
    for (int32_t x = 0; x < image.Width(); ++x) image.View().At(x, y) = TBgra{uint8_t(x), uint8_t(y), 9, 255};
  return image;
}

std::vector<TPoint> CursorPath(int count) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> x(0, 3839), y(0, 2159);
  std::vector<TPoint> path;
  for (int i = 0; i < count; ++i) path.push_back({x(random), y(random)});
  return path;
}

void BM_BuildWindowList(benchmark::State& state) {
  const auto windows = RandomWindows(int(state.range(0)));
  for (auto _ : state) {
    TWindowList list = TWindowList::Build(windows, Desktop4k, 1, false);
    benchmark::DoNotOptimize(list.Records().data());
  }
}

void BM_HitTest(benchmark::State& state) {
  const TWindowList list =
      TWindowList::Build(state.range(0) ? CascadeWindows() : RandomWindows(200), Desktop4k, 1, false);
  const auto path = CursorPath(1024);
  size_t i = 0;
  for (auto _ : state) {
    TWindowHit hit = list.WindowAt(path[i++ & 1023]);
    benchmark::DoNotOptimize(hit);
  }
  state.counters["records"] = double(list.Records().size());
}

// One tick of the detection timer with the cursor moving between windows: hit test, crop of a changed detected
// rectangle, the moving border painted on it, and the magnifier's stretch and cross-hair.
void BM_DetectionTick(benchmark::State& state) {
  const TImage screen = Screen();
  const TWindowList list = TWindowList::Build(RandomWindows(200), Desktop4k, 1, false);
  TDetection detection(list, Desktop4k);
  TMagnifier magnifier({Desktop4k.Width, Desktop4k.Height}, TScale{});
  TImage view(magnifier.Metrics().ImageWidth, magnifier.Metrics().ImageHeight);
  TImage front;
  const auto path = CursorPath(1024);
  size_t i = 0;
  int64_t recrops = 0;
  for (auto _ : state) {
    const TDetectionTick tick = detection.Tick(path[i++ & 1023]);
    if (tick.RectChanged || front.IsEmpty()) {
      front = CropImage(screen.View(), detection.Detected());
      ++recrops;
    }
    const TRect r = detection.Detected();
    FillRects(front.View(), MovingBorderDashes(r.Width(), r.Height(), tick.Phase), AccentBgra);
    magnifier.Update(tick.Point);
    magnifier.Render(screen.View(), tick.Point, view.View());
    benchmark::DoNotOptimize(front.View().Pixels);
    benchmark::DoNotOptimize(view.View().Pixels);
  }
  state.counters["recrop%"] = 100.0 * double(recrops) / double(state.iterations());
}

// The same tick while the cursor stays over one window (the common case: only the border and magnifier move).
void BM_DetectionTickSameWindow(benchmark::State& state) {
  const TImage screen = Screen();
  const TWindowList list = TWindowList::Build({}, Desktop4k, 1, false);
  TDetection detection(list, Desktop4k);
  TMagnifier magnifier({Desktop4k.Width, Desktop4k.Height}, TScale{});
  TImage view(magnifier.Metrics().ImageWidth, magnifier.Metrics().ImageHeight);
  TImage front = CropImage(screen.View(), Desktop4k.OverlayBounds());
  int32_t x = 0;
  for (auto _ : state) {
    const TDetectionTick tick = detection.Tick({1000 + (x++ & 1023), 1000});
    const TRect r = detection.Detected();
    FillRects(front.View(), MovingBorderDashes(r.Width(), r.Height(), tick.Phase), AccentBgra);
    magnifier.Update(tick.Point);
    magnifier.Render(screen.View(), tick.Point, view.View());
    benchmark::DoNotOptimize(front.View().Pixels);
  }
}

// What the overlay's paint does for a dirty rectangle: the mask, the undimmed screen where the selection is, and
// the dashed frame's pixels that fall inside.
void PaintDirty(const TImageView& target, const TConstImageView& mask, const TConstImageView& screen,
                const TRect& selection, const std::vector<TRect>& frameDashes, const std::vector<TRect>& dirty) {
  for (const TRect& d : dirty) {
    CopyPixels(mask.Sub(d), target.Sub(d));
    const TRect undimmed = d.Intersect(selection);
    if (!undimmed.IsEmpty()) CopyPixels(screen.Sub(undimmed), target.Sub(undimmed));
    std::vector<TRect> inside;
    for (const TRect& dash : frameDashes) {
      const TRect c = dash.Offset(selection.Left, selection.Top).Intersect(d);
      if (!c.IsEmpty()) inside.push_back(c);
    }
    FillRects(target, inside, AccentBgra);
  }
}

// One step of the first drag over a large rectangle as the overlay runs it: the selection geometry, the repaint of
// the rectangles it reports (mask, undimmed screen, dashed frame) and the magnifier.
void BM_DragStep(benchmark::State& state) {
  const TImage screen = Screen();
  TImage mask(Desktop4k.Width, Desktop4k.Height);
  BlendOverBlack(screen.View(), mask.View(), MaskAlpha);
  TImage backBuffer(Desktop4k.Width, Desktop4k.Height);
  TSelection selection(TCaptureMode::Region, Desktop4k);
  TMagnifier magnifier({Desktop4k.Width, Desktop4k.Height}, TScale{});
  TImage view(magnifier.Metrics().ImageWidth, magnifier.Metrics().ImageHeight);
  selection.Press({200, 150}, {}, nullptr);
  int32_t step = 0;
  int64_t pixels = 0;
  for (auto _ : state) {
    const int32_t d = step++ & 255;
    const TPoint p{3400 + d, 1900 + d / 2};
    TMoveResult move = selection.Move(p);
    for (const TRect& r : magnifier.Update(p)) move.Dirty.push_back(r);
    magnifier.Render(screen.View(), p, view.View());
    const TRect image = selection.Image();
    PaintDirty(backBuffer.View(), mask.View(), screen.View(), image,
               FirstDragFrameDashes(image.Width(), image.Height()), move.Dirty);
    for (const TRect& r : move.Dirty) pixels += int64_t(r.Width()) * r.Height();
    benchmark::DoNotOptimize(backBuffer.View().Pixels);
  }
  state.counters["px/step"] = double(pixels) / double(state.iterations());
}

// For comparison: the same step re-cropping the whole selection image each time, as a window that reloads its
// selection picture on every move would.
void BM_DragStepWithFullCrop(benchmark::State& state) {
  const TImage screen = Screen();
  TSelection selection(TCaptureMode::Region, Desktop4k);
  TMagnifier magnifier({Desktop4k.Width, Desktop4k.Height}, TScale{});
  TImage view(magnifier.Metrics().ImageWidth, magnifier.Metrics().ImageHeight);
  selection.Press({200, 150}, {}, nullptr);
  int32_t step = 0;
  for (auto _ : state) {
    const int32_t d = step++ & 255;
    const TPoint p{3400 + d, 1900 + d / 2};
    const TMoveResult move = selection.Move(p);
    TImage front = CropImage(screen.View(), selection.Image());
    FillRects(front.View(), FirstDragFrameDashes(front.Width(), front.Height()), AccentBgra);
    magnifier.Update(p);
    magnifier.Render(screen.View(), p, view.View());
    benchmark::DoNotOptimize(move.Dirty.data());
    benchmark::DoNotOptimize(front.View().Pixels);
  }
}

// The geometry of a drag step alone (no pixels).
void BM_DragStepGeometry(benchmark::State& state) {
  TSelection selection(TCaptureMode::Region, Desktop4k);
  selection.Press({200, 150}, {}, nullptr);
  int32_t step = 0;
  for (auto _ : state) {
    const int32_t d = step++ & 255;
    const TMoveResult move = selection.Move({3400 + d, 1900 + d / 2});
    benchmark::DoNotOptimize(move.Dirty.data());
  }
}

}  // namespace

BENCHMARK(BM_BuildWindowList)->Arg(200)->Unit(benchmark::kMicrosecond);
// Arg 0: 200 random windows (many end up covered); arg 1: 200 windows that all stay in the list.
BENCHMARK(BM_HitTest)->Arg(0)->Arg(1)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_DetectionTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DetectionTickSameWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepWithFullCrop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepGeometry)->Unit(benchmark::kNanosecond);
