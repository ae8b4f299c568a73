#pragma once
// The draw options a skin picture carries inside its own PNG file: a tEXt chunk with the keyword "RDPNG" whose
// text holds lines of name=value ("AlphaBlendValue=128", "GrayMode=1", "SmoothFilter=2"), CR LF between lines.
// Reading takes the options from that chunk; writing rebuilds only that chunk and leaves every other chunk (other
// tEXt chunks too) exactly as it was.
// Usage:
//   qor::TPngDrawOptions options = qor::ReadPngDrawOptions(chunks);
//   options.GrayMode = true;
//   qor::WritePngDrawOptions(chunks, options);
//   std::vector<uint8_t> file = qor::WritePngChunks(chunks);
#include <cstdint>
#include <string>
#include <vector>

#include "CommonLib/RdControl/PngChunks.h"

namespace qor {

// Resampling quality when a picture is drawn at another size.
enum class TPngSmoothFilter : uint8_t { Default = 0, FastSmooth = 1, Smooth = 2 };

struct TPngDrawOptions {
  uint8_t AlphaBlendValue = 255;  // overall opacity; 255 = opaque
  bool GrayMode = false;          // draw in grey: (77 R + 151 G + 28 B) >> 8, alpha unchanged
  TPngSmoothFilter SmoothFilter = TPngSmoothFilter::Default;

  bool IsDefault() const { return *this == TPngDrawOptions{}; }
  friend bool operator==(const TPngDrawOptions&, const TPngDrawOptions&) = default;
};

inline constexpr char PngDrawOptionsKeyword[] = "RDPNG";

// The options in the text of an "RDPNG" chunk, starting from current: a missing key, or a value that is not a
// number (or an alpha outside 0..255), keeps the current value; a smooth filter outside 0..2 reads as Default.
TPngDrawOptions ParsePngDrawOptions(const std::string& text, TPngDrawOptions current = {});

// The options of the first tEXt chunk whose keyword is "RDPNG" (case ignored); defaults when there is none.
TPngDrawOptions ReadPngDrawOptions(const std::vector<TPngChunk>& chunks);

// Stores options in the "RDPNG" chunk: its lines for the three options are set, or removed when at their default,
// other lines stay in order. Without such a chunk, one is put before the first IDAT when an option is not at its
// default; a chunk left with no lines is removed. No other chunk changes.
void WritePngDrawOptions(std::vector<TPngChunk>& chunks, const TPngDrawOptions& options);

}  // namespace qor
