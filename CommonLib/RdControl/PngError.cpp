#include "CommonLib/RdControl/PngError.h"

namespace qor {

const char* PngErrorName(EPngError error) {
  switch (error) {
    case EPngError::None: return "None";
    case EPngError::InvalidFileHeader: return "InvalidFileHeader";
    case EPngError::Truncated: return "Truncated";
    case EPngError::InvalidCRC: return "InvalidCRC";
    case EPngError::InvalidChunkType: return "InvalidChunkType";
    case EPngError::HeaderNotPresent: return "HeaderNotPresent";
    case EPngError::IHDRNotFirst: return "IHDRNotFirst";
    case EPngError::InvalidIHDR: return "InvalidIHDR";
    case EPngError::UnknownColorType: return "UnknownColorType";
    case EPngError::UnknownBitDepth: return "UnknownBitDepth";
    case EPngError::UnknownCompression: return "UnknownCompression";
    case EPngError::UnknownInterlace: return "UnknownInterlace";
    case EPngError::SizeExceeds: return "SizeExceeds";
    case EPngError::UnknownCriticalChunk: return "UnknownCriticalChunk";
    case EPngError::InvalidPalette: return "InvalidPalette";
    case EPngError::MissingMultipleIDAT: return "MissingMultipleIDAT";
    case EPngError::ZlibError: return "ZlibError";
    case EPngError::NotEnoughImageData: return "NotEnoughImageData";
    case EPngError::InvalidFilter: return "InvalidFilter";
    case EPngError::MissingIEND: return "MissingIEND";
  }
  return "Unknown";
}

}  // namespace qor
