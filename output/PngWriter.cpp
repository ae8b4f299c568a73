#include "output/PngWriter.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace qor {
namespace {

// Image data goes out in chunks of this many bytes: small enough for any reader, few enough to cost nothing.
constexpr size_t IdatChunkSize = 256 * 1024;

void PutU32(uint8_t* out, uint32_t v) {
  out[0] = uint8_t(v >> 24);
  out[1] = uint8_t(v >> 16);
  out[2] = uint8_t(v >> 8);
  out[3] = uint8_t(v);
}

// Length, type, data and CRC of one chunk, handed to the sink as they are.
bool PutChunk(TByteSink& sink, const char type[4], const uint8_t* data, size_t size) {
  uint8_t head[8];
  PutU32(head, uint32_t(size));
  std::memcpy(head + 4, type, 4);
  uLong crc = crc32(0, head + 4, 4);
  if (size) crc = crc32(crc, data, uInt(size));
  uint8_t tail[4];
  PutU32(tail, uint32_t(crc));
  return sink.Write(head, 8) && (size == 0 || sink.Write(data, size)) && sink.Write(tail, 4);
}

uint8_t PaethPredictor(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return uint8_t(a);
  if (pb <= pc) return uint8_t(b);
  return uint8_t(c);
}

// Writes filter byte + filtered bytes of raw (this row) against prior (the row above, zeros for the first).
// bpp: bytes per pixel.
void FilterRow(TPngFilter filter, const uint8_t* raw, const uint8_t* prior, size_t n, size_t bpp, uint8_t* out) {
  out[0] = uint8_t(filter);
  uint8_t* d = out + 1;
  switch (filter) {
    case TPngFilter::None:
    case TPngFilter::Adaptive:
      std::memcpy(d, raw, n);
      out[0] = 0;
      break;
    case TPngFilter::Sub:
      for (size_t i = 0; i < n; ++i) d[i] = uint8_t(raw[i] - (i >= bpp ? raw[i - bpp] : 0));
      break;
    case TPngFilter::Up:
      for (size_t i = 0; i < n; ++i) d[i] = uint8_t(raw[i] - prior[i]);
      break;
    case TPngFilter::Average:
      for (size_t i = 0; i < n; ++i) d[i] = uint8_t(raw[i] - ((i >= bpp ? raw[i - bpp] : 0) + prior[i]) / 2);
      break;
    case TPngFilter::Paeth:
      for (size_t i = 0; i < n; ++i) {
        const int a = i >= bpp ? raw[i - bpp] : 0, c = i >= bpp ? prior[i - bpp] : 0;
        d[i] = uint8_t(raw[i] - PaethPredictor(a, prior[i], c));
      }
      break;
  }
}

uint64_t SumOfAbs(const uint8_t* d, size_t n) {
  uint64_t sum = 0;
  for (size_t i = 0; i < n; ++i) sum += d[i] < 128 ? d[i] : 256 - d[i];
  return sum;
}

class TIdatWriter {
 public:
  explicit TIdatWriter(TByteSink& sink) : FSink(sink), FBuffer(IdatChunkSize) {}
  ~TIdatWriter() {
    if (FStarted) deflateEnd(&FStream);
  }
  bool Start(int level) {
    FStream = z_stream{};
    FStarted = deflateInit(&FStream, std::clamp(level, 0, 9)) == Z_OK;
    FStream.next_out = FBuffer.data();
    FStream.avail_out = uInt(FBuffer.size());
    return FStarted;
  }
  bool Feed(const uint8_t* data, size_t size, bool last) {
    FStream.next_in = const_cast<Bytef*>(data);
    FStream.avail_in = uInt(size);
    const int flush = last ? Z_FINISH : Z_NO_FLUSH;
    for (;;) {
      const int rc = deflate(&FStream, flush);
      if (rc == Z_STREAM_ERROR) return false;
      if (FStream.avail_out == 0) {
        if (!Emit()) return false;
        continue;
      }
      if (rc == Z_STREAM_END) return Emit();
      if (!last && FStream.avail_in == 0) return true;
      if (rc == Z_BUF_ERROR) return false;
    }
  }

 private:
  // Hands the compressed bytes so far to the sink as one chunk and starts the buffer again.
  bool Emit() {
    const size_t used = FBuffer.size() - FStream.avail_out;
    FStream.next_out = FBuffer.data();
    FStream.avail_out = uInt(FBuffer.size());
    return used == 0 || PutChunk(FSink, "IDAT", FBuffer.data(), used);
  }

  TByteSink& FSink;
  std::vector<uint8_t> FBuffer;
  z_stream FStream{};
  bool FStarted = false;
};

}  // namespace

bool WritePngTo(TByteSink& sink, const TConstImageView& view, const TPngOptions& options) {
  if (view.IsEmpty()) return false;
  const size_t width = size_t(view.Width), height = size_t(view.Height);
  const size_t bpp = options.Alpha ? 4 : 3;
  const size_t rowBytes = width * bpp;
  if (rowBytes + 1 > UINT32_MAX) return false;  // one filtered row must fit one zlib call

  static constexpr uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (!sink.Write(Signature, 8)) return false;
  std::array<uint8_t, 13> ihdr{};
  for (int i = 0; i < 4; ++i) {
    ihdr[size_t(i)] = uint8_t(uint32_t(view.Width) >> (24 - 8 * i));
    ihdr[size_t(4 + i)] = uint8_t(uint32_t(view.Height) >> (24 - 8 * i));
  }
  ihdr[8] = 8;                      // bit depth
  ihdr[9] = options.Alpha ? 6 : 2;  // colour type: RGBA or RGB
  ihdr[10] = 0;                     // deflate
  ihdr[11] = 0;                     // adaptive filtering with the five basic filters
  ihdr[12] = 0;                     // no interlace
  if (!PutChunk(sink, "IHDR", ihdr.data(), ihdr.size())) return false;

  TIdatWriter idat(sink);
  if (!idat.Start(options.Level)) return false;
  std::vector<uint8_t> raw(rowBytes), prior(rowBytes, 0), filtered(rowBytes + 1), best(rowBytes + 1);
  for (size_t y = 0; y < height; ++y) {
    const TBgra* src = view.Row(int32_t(y));
    for (size_t x = 0; x < width; ++x) {
      uint8_t* to = raw.data() + bpp * x;
      to[0] = src[x].R;
      to[1] = src[x].G;
      to[2] = src[x].B;
      if (options.Alpha) to[3] = src[x].A;
    }
    const uint8_t* row = filtered.data();
    if (options.Filter == TPngFilter::Adaptive) {
      uint64_t bestSum = UINT64_MAX;
      for (TPngFilter f : {TPngFilter::None, TPngFilter::Sub, TPngFilter::Up, TPngFilter::Average, TPngFilter::Paeth}) {
        FilterRow(f, raw.data(), prior.data(), rowBytes, bpp, filtered.data());
        const uint64_t sum = SumOfAbs(filtered.data() + 1, rowBytes);
        if (sum < bestSum) {
          bestSum = sum;
          best.swap(filtered);
        }
      }
      row = best.data();
    } else {
      FilterRow(options.Filter, raw.data(), prior.data(), rowBytes, bpp, filtered.data());
    }
    if (!idat.Feed(row, rowBytes + 1, y + 1 == height)) return false;
    raw.swap(prior);
  }
  return PutChunk(sink, "IEND", nullptr, 0);
}

std::vector<uint8_t> WritePng(const TConstImageView& view, const TPngOptions& options) {
  TVectorSink out;
  if (!WritePngTo(out, view, options)) return {};
  return std::move(out.Bytes);
}

}  // namespace qor
