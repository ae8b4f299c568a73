#include "CommonLib/RdControl/RdAutoAlign.h"

namespace qor {

namespace {

// The source's reference corner for each alignment.
TPoint SourceEdge(TAlign align, const TRect& s) {
  switch (align) {
    case TAlign::alBottom: return {s.Left, s.Bottom};
    case TAlign::alRight: return {s.Right, s.Top};
    default: return {s.Left, s.Top};
  }
}

// The owner's corner that faces the source's edge.
TPoint OwnerEdge(TAlign align, const TRect& o) {
  switch (align) {
    case TAlign::alTop: return {o.Left, o.Bottom};
    case TAlign::alLeft: return {o.Right, o.Top};
    default: return {o.Left, o.Top};
  }
}

}  // namespace

TPoint AutoAlignOffset(TAlign align, const TRect& owner, const TRect& source) {
  const TPoint o = OwnerEdge(align, owner), s = SourceEdge(align, source);
  return {o.X - s.X, o.Y - s.Y};
}

TRect AutoAlignPlace(TAlign align, TPoint offset, TSize ownerSize, const TRect& source) {
  if (align == TAlign::alClient) return source;
  const TPoint s = SourceEdge(align, source);
  const TPoint edge{s.X + offset.X, s.Y + offset.Y};
  switch (align) {
    case TAlign::alTop: return TRect::FromSize(edge.X, edge.Y - ownerSize.Height, ownerSize.Width, ownerSize.Height);
    case TAlign::alLeft: return TRect::FromSize(edge.X - ownerSize.Width, edge.Y, ownerSize.Width, ownerSize.Height);
    default: return TRect::FromSize(edge.X, edge.Y, ownerSize.Width, ownerSize.Height);
  }
}

}  // namespace qor
