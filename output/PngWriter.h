#pragma once
// PNG file images of screenshots with zlib: 8-bit RGB (colour type 2), no interlace. Screenshots are opaque, so
// the alpha byte of the pixels is not stored (DIB sections from screen grabs leave it 0 anyway); pictures with
// straight alpha (skin pictures) ask for 8-bit RGBA (colour type 6) with Alpha.
// The file is made row by row: each row is filtered and deflated and the compressed data goes to the sink in
// chunks of at most 256 KiB, so the writer holds a few rows and one chunk, whatever the picture's height.
// Usage:
//   qor::TReplacingFile file(path);                                    // any TByteSink
//   bool ok = qor::WritePngTo(file, image.View()) && file.Commit();
//   std::vector<uint8_t> bytes = qor::WritePng(image.View());          // in memory; empty when the image is empty
//   std::vector<uint8_t> small = qor::WritePng(view, {.Level = 9});
//   std::vector<uint8_t> icon = qor::WritePng(view, {.Level = 9, .Filter = qor::TPngFilter::Adaptive, .Alpha = true});
#include <cstdint>
#include <vector>

#include "base/Image.h"
#include "output/ByteSink.h"

namespace qor {

// The row filter of the PNG format. Adaptive picks per row the filter with the smallest sum of absolute
// differences (the usual heuristic).
enum class TPngFilter { None = 0, Sub = 1, Up = 2, Average = 3, Paeth = 4, Adaptive = 5 };

struct TPngOptions {
  int Level = 3;  // zlib compression level 0..9
  TPngFilter Filter = TPngFilter::Up;
  bool Alpha = false;  // keep the alpha byte (straight, not premultiplied)
};

// The defaults for saving, chosen by the measurements in BENCHMARKS.md ("## Saving"): level 3 with the Up filter
// is twice as fast as level 6 for 7 % more bytes, and both faster and smaller than the platform's encoder.
constexpr TPngOptions DefaultPngOptions{};

// Writes the PNG file of view to sink, front to back. False, with nothing written, for an empty view (0 x 0, no
// pixels); false part-way when zlib or the sink fails (the sink then holds a cut file, which its owner discards).
bool WritePngTo(TByteSink& sink, const TConstImageView& view, const TPngOptions& options = DefaultPngOptions);

// The same file image in memory; empty for an empty view or when zlib fails.
std::vector<uint8_t> WritePng(const TConstImageView& view, const TPngOptions& options = DefaultPngOptions);

}  // namespace qor
