// Decoding a skin picture: a 64 x 64 RGBA PNG (button-sized, soft edges, rows filtered Sub and Paeth as image
// tools write them), compressed at zlib's default level.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "CommonLib/RdControl/PngDecoder.h"

namespace {

constexpr int Side = 64;

std::vector<uint8_t> SkinLikePng() {
  std::vector<uint8_t> raw;
  for (int y = 0; y < Side; ++y) {
    raw.push_back(0);  // stored unfiltered, then filtered below
    for (int x = 0; x < Side; ++x) {
      const int edge = std::min(std::min(x, Side - 1 - x), std::min(y, Side - 1 - y));
      raw.insert(raw.end(),
                 {uint8_t(40 + y * 2), uint8_t(90 + x), uint8_t(200 - y), uint8_t(std::min(255, edge * 64))});
    }
  }
  // Sub on even rows, Paeth on odd rows (filtered from the last byte backwards so inputs stay unfiltered).
  const size_t stride = 1 + Side * 4;
  std::vector<uint8_t> filtered = raw;
  for (int y = 0; y < Side; ++y) {
    uint8_t* row = &filtered[y * stride];
    const uint8_t* cur = &raw[y * stride + 1];
    const uint8_t* up = y > 0 ? &raw[(y - 1) * stride + 1] : nullptr;
    row[0] = y % 2 ? 4 : 1;
    for (int i = 0; i < Side * 4; ++i) {
      const int a = i >= 4 ? cur[i - 4] : 0, b = up ? up[i] : 0, c = up && i >= 4 ? up[i - 4] : 0;
      int pred = a;
      if (y % 2) {
        const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
        pred = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      row[1 + i] = uint8_t(cur[i] - pred);
    }
  }
  std::vector<uint8_t> z(compressBound(uLong(filtered.size())));
  uLongf zSize = uLongf(z.size());
  compress2(z.data(), &zSize, filtered.data(), uLong(filtered.size()), Z_DEFAULT_COMPRESSION);
  z.resize(zSize);

  std::vector<qor::TPngChunk> chunks(3);
  std::memcpy(chunks[0].Type.data(), "IHDR", 4);
  chunks[0].Data = {0, 0, 0, Side, 0, 0, 0, Side, 8, 6, 0, 0, 0};
  std::memcpy(chunks[1].Type.data(), "IDAT", 4);
  chunks[1].Data = z;
  std::memcpy(chunks[2].Type.data(), "IEND", 4);
  return qor::WritePngChunks(chunks);
}

void BM_DecodeSkinPicture64Rgba(benchmark::State& state) {
  const std::vector<uint8_t> file = SkinLikePng();
  for (auto _ : state) {
    qor::TImage image;
    if (qor::DecodePng(file, image) != qor::EPngError::None) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(image.View().Pixels);
  }
  state.counters["file_bytes"] = double(file.size());
}
BENCHMARK(BM_DecodeSkinPicture64Rgba)->Unit(benchmark::kMicrosecond);

}  // namespace
