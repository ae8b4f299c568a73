#pragma once
// Why a PNG file could not be read. The reader never throws: every fault comes back as one of these.
#include <cstdint>

namespace qor {

enum class EPngError : uint8_t {
  None,
  InvalidFileHeader,     // the 8-byte signature is wrong
  Truncated,             // a chunk's length runs past the end of the file
  InvalidCRC,            // a chunk's CRC does not match its type and data
  InvalidChunkType,      // a chunk type that is not four ASCII letters
  HeaderNotPresent,      // no chunk at all after the signature
  IHDRNotFirst,          // the first chunk is not IHDR
  InvalidIHDR,           // IHDR of the wrong length, zero or too large a size field
  UnknownColorType,      // colour type not 0, 2, 3, 4 or 6
  UnknownBitDepth,       // bit depth not allowed for the colour type
  UnknownCompression,    // compression or filter method not 0
  UnknownInterlace,      // interlace method not 0 or 1
  SizeExceeds,           // the picture is larger than the reader accepts
  UnknownCriticalChunk,  // a chunk the reader must understand and does not
  InvalidPalette,        // PLTE missing for colour type 3, misplaced, repeated, or of a bad length
  MissingMultipleIDAT,   // no IDAT, or IDAT chunks not one after another
  ZlibError,             // the image data is not a valid zlib stream
  NotEnoughImageData,    // the image data ends before the last row
  InvalidFilter,         // a row filter type above 4
  MissingIEND,           // the file ends without IEND
};

// The name of the fault, for logs ("InvalidCRC").
const char* PngErrorName(EPngError error);

}  // namespace qor
