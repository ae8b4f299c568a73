#pragma once
// Pictures by name. A control names its pictures ("images/icon_rectangle_normal.png"); the panel's picture source
// turns a name into something drawable. Today the source holds pictures drawn in code (RdPlainPictures.h); a skin
// package gives a source of decoded PNG pictures (TRdBitmapPicture) under the same names, and no window changes.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "CommonLib/RdControl/RdTypes.h"
#include "base/Geometry.h"
#include "base/Image.h"
#include "base/win/DibImage.h"

namespace qor {

// Where a picture draws: a device context and, when the context is a DIB section, its pixels (for GDI+ drawing
// with anti-aliasing straight into the memory). Only the clip rectangle may be changed.
struct TRdDrawTarget {
  HDC Dc = nullptr;
  TImageView Pixels;  // may be empty
  TRect Clip;         // in target coordinates
};

class TRdPicture {
 public:
  virtual ~TRdPicture() = default;
  // The picture's own size in pixels.
  virtual TSize Size() const = 0;
  virtual void Draw(const TRdDrawTarget& target, const TRect& dest, const TRdDesignRect& option) const = 0;
};

class TRdPictureSource {
 public:
  virtual ~TRdPictureSource() = default;
  // Null when the name gives no picture.
  virtual const TRdPicture* Find(std::u16string_view name) const = 0;
};

// A source holding the pictures registered under their names.
class TRdPictureMap : public TRdPictureSource {
 public:
  void Add(std::u16string name, std::unique_ptr<TRdPicture> picture);
  const TRdPicture* Find(std::u16string_view name) const override;
  size_t Count() const { return FPictures.size(); }

 private:
  std::map<std::u16string, std::unique_ptr<TRdPicture>, std::less<>> FPictures;
};

// A bitmap picture with per-pixel alpha (a decoded PNG), drawn with alpha blending; with a design rectangle it is
// laid as a nine-grid, so its border keeps its exact pixels at any size.
class TRdBitmapPicture : public TRdPicture {
 public:
  // pixels: straight (not premultiplied) BGRA.
  explicit TRdBitmapPicture(const TConstImageView& pixels);
  TSize Size() const override { return {FDib.Width(), FDib.Height()}; }
  void Draw(const TRdDrawTarget& target, const TRect& dest, const TRdDesignRect& option) const override;

 private:
  TDibImage FDib;  // premultiplied
};

// 0x00BBGGRR value of a colour, system colours and named skin colours resolved.
COLORREF ResolveColor(uint32_t color);

}  // namespace qor
