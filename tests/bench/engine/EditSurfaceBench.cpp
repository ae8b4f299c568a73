// The edit surface at 4K with 50 annotations: one drag step of each tool with the compose of what it reports dirty,
// a 2000-point brush stroke (its slowest step), and the merge of every layer into the picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>

#include "engine/EditSurface.h"

using namespace qor;

namespace {

constexpr int32_t Width = 3840, Height = 2160;

enum TTool { Rectangle, Ellipse, Line, Arrow, FreeHand, Move, Resize };

TLayerLook LookFor(TShapeKind shape, uint32_t colour) {
  TLayerLook look;
  look.Shape = shape;
  look.BorderColor = colour;
  look.BorderWidth = 4;
  if (shape == TShapeKind::Arrow) look.FillColor = colour, look.BorderWidth = 1;
  return look;
}

// A screenshot-like picture with 50 annotations of every kind, a grid of them across the right part of the surface,
// so that the big shapes of the benchmarks cross many of them.
std::unique_ptr<TEditSurface> SurfaceWith50Layers(TLayerLook& next) {
  TImage picture(Width, Height);
  for (int32_t y = 0; y < Height; ++y)
    for (int32_t x = 0; x < Width; ++x) picture.View().At(x, y) = TBgra{uint8_t(x), uint8_t(y), uint8_t(x ^ y), 255};
  auto surface = std::make_unique<TEditSurface>(std::move(picture));
  TEditSurface* s = surface.get();
  surface->OnNewLayer = [s, &next](int32_t layer, TLayerKind) { s->SetLook(layer, next); };
  const TShapeKind shapes[] = {TShapeKind::Rectangle, TShapeKind::Ellipse, TShapeKind::Arrow, TShapeKind::Line};
  for (int i = 0; i < 50; ++i) {
    const TPoint a{400 + 340 * (i % 10), 40 + 420 * (i / 10)};
    const TPoint b{a.X + 300, a.Y + 360};
    next = LookFor(shapes[i % 4], 0x2040E0 + 0x10203 * uint32_t(i));
    surface->SetCreateMode(i % 5 == 4 ? TCreateMode::FreeHand : TCreateMode::Shape);
    surface->MouseDown(a);
    for (int k = 1; k <= 30; ++k) surface->MouseMove({a.X + (b.X - a.X) * k / 30, a.Y + (k % 7) * 50});
    surface->MouseUp(b);
  }
  surface->Deselect();
  return surface;
}

// This thread's processor time: on a busy machine a step's wall time also holds the time other programs ran.
double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void ComposeDirty(const TEditSurface& surface, const TSurfaceUpdate& update, TImage& screen) {
  for (const TRect& r : update.Dirty) surface.Compose(r, screen.View(), {0, 0});
}

// One mouse move while a 2000 x 1000 shape is drawn (or a line of that extent, or a brush segment), moved or
// resized, with the compose of the rectangles it reports.
void BM_DragStep(benchmark::State& state) {
  const TTool tool = TTool(state.range(0));
  TLayerLook next;
  auto surface = SurfaceWith50Layers(next);
  TImage screen(Width, Height);
  const TShapeKind shapes[] = {TShapeKind::Rectangle, TShapeKind::Ellipse, TShapeKind::Rectangle, TShapeKind::Arrow};
  next = LookFor(tool <= Arrow ? shapes[tool] : TShapeKind::Rectangle, 0x0000FF);
  surface->SetCreateMode(tool == Line       ? TCreateMode::Line
                         : tool == FreeHand ? TCreateMode::FreeHand
                                            : TCreateMode::Shape);
  TPoint end{2299, 1299};
  if (tool == Move || tool == Resize) {
    surface->MouseDown({300, 300});
    surface->MouseUp(end);
    end = tool == Move ? TPoint{301, 700} : end;  // on its left side, or its bottom-right handle
    surface->MouseDown(end);
  } else {
    surface->MouseDown({300, 300});
  }
  int step = 0;
  int64_t dirtyPixels = 0, dirtyRects = 0;
  for (auto _ : state) {
    ++step;
    TPoint p{end.X + step % 2, end.Y + step % 2};
    if (tool == FreeHand) p = {300 + (step * 5) % 3000, 700 + step % 20};  // a zigzag in steps of 5 px
    const TSurfaceUpdate update = surface->MouseMove(p);
    ComposeDirty(*surface, update, screen);
    benchmark::DoNotOptimize(screen.View().Pixels);
    dirtyRects += int64_t(update.Dirty.size());
    for (const TRect& r : update.Dirty) dirtyPixels += int64_t(r.Width()) * r.Height();
  }
  state.counters["dirty px"] = benchmark::Counter(double(dirtyPixels), benchmark::Counter::kAvgIterations);
  state.counters["rects"] = benchmark::Counter(double(dirtyRects), benchmark::Counter::kAvgIterations);
}

// A brush stroke of 2000 mouse points across the surface, each composed at once; the figure that matters is the
// slowest single step.
void BM_BrushStroke2000(benchmark::State& state) {
  TLayerLook next;
  auto surface = SurfaceWith50Layers(next);
  TImage screen(Width, Height);
  next = LookFor(TShapeKind::Rectangle, 0x00FF00);
  next.BorderWidth = 8;
  surface->SetCreateMode(TCreateMode::FreeHand);
  double slowest = 0, slowestCpu = 0;
  for (auto _ : state) {
    ComposeDirty(*surface, surface->MouseDown({100, 1000}), screen);
    for (int i = 1; i < 2000; ++i) {
      const auto start = std::chrono::steady_clock::now();
      const double startCpu = ThreadCpuMs();
      const TPoint p{100 + i * 3 / 2 + (i % 50), 1000 + int32_t(800 * ((i / 100) % 2 ? -1 : 1) * (i % 100) / 100)};
      ComposeDirty(*surface, surface->MouseMove(p), screen);
      slowestCpu = std::max(slowestCpu, ThreadCpuMs() - startCpu);
      slowest = std::max(slowest,
                         std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    ComposeDirty(*surface, surface->MouseUp({3200, 1000}), screen);
    state.PauseTiming();
    surface->Undo();
    state.ResumeTiming();
  }
  state.counters["slowest step ms"] = slowest;
  state.counters["slowest step cpu ms"] = slowestCpu;
}

// One step of resizing a finished 2000-point stroke by its corner: the whole path is scaled and stroked again.
void BM_ResizeLongStroke(benchmark::State& state) {
  TLayerLook next;
  auto surface = SurfaceWith50Layers(next);
  TImage screen(Width, Height);
  next = LookFor(TShapeKind::Rectangle, 0x00FF00);
  surface->SetCreateMode(TCreateMode::FreeHand);
  surface->MouseDown({100, 1000});
  for (int i = 1; i < 2000; ++i) surface->MouseMove({100 + i, 1000 + (i % 100) * ((i / 100) % 2 ? -3 : 3)});
  surface->MouseUp({2099, 1000});
  surface->MouseDown({2099, 1297});  // the bottom-right handle of its box
  int step = 0;
  for (auto _ : state) {
    ++step;
    ComposeDirty(*surface, surface->MouseMove({2099 + step % 2, 1297 + step % 2}), screen);
    benchmark::DoNotOptimize(screen.View().Pixels);
  }
}

void BM_MergeAll(benchmark::State& state) {
  TLayerLook next;
  for (auto _ : state) {
    state.PauseTiming();
    auto surface = SurfaceWith50Layers(next);
    state.ResumeTiming();
    surface->MergeAll();
    benchmark::DoNotOptimize(surface->Background().View().Pixels);
  }
}

}  // namespace

BENCHMARK(BM_DragStep)->ArgName("tool")->DenseRange(Rectangle, Resize)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BrushStroke2000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ResizeLongStroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeAll)->Unit(benchmark::kMillisecond)->Iterations(10);
