#include "CommonLib/RdControl/RdControl.h"

#include <algorithm>

namespace qor {

void TRdControl::SetBounds(const TRect& bounds) {
  if (bounds == FBounds) return;
  Invalidate();
  FBounds = bounds;
  Invalidate();
  PlaceChanged();
  if (FHost) {
    FHost->FollowSource(*this);
    FHost->ControlsChanged();
  }
}

void TRdControl::SetAutoAlign(TRdControl* source, TAlign align) {
  FAlignSource = source == this ? nullptr : source;
  FAlign = align;
  if (!FAlignSource) return;
  FAlignOffset = AutoAlignOffset(align, FBounds, FAlignSource->Bounds());
  if (align == TAlign::alClient) SetBounds(FAlignSource->Bounds());
}

void TRdControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  if (!visible) Invalidate();
  FVisible = visible;
  if (visible) Invalidate();
  PlaceChanged();
  if (FHost) {
    if (!visible) FHost->Forget(this);
    FHost->ControlsChanged();
  }
}

void TRdControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Invalidate();
  PlaceChanged();
}

void TRdControl::SetHint(std::u16string hint) {
  if (hint == FHint) return;
  FHint = std::move(hint);
  if (FHost) FHost->ControlsChanged();
}

void TRdControl::Invalidate() {
  if (FHost && FVisible && !FBounds.IsEmpty()) FHost->InvalidateRect(FBounds);
}

bool TRdControl::Focused() const { return FHost && FHost->FocusControl() == this; }

TRdTextMeasurer* TRdControl::Measurer() const { return FHost ? FHost->TextMeasurer() : nullptr; }

TRdControlHost::~TRdControlHost() {
  for (auto& c : FControls) c->FHost = nullptr;
}

void TRdControlHost::AddControl(std::unique_ptr<TRdControl> control) {
  if (!control) return;
  control->FHost = this;
  FControls.push_back(std::move(control));
  TRdControl* added = FControls.back().get();
  added->UpdateLayout();
  added->Invalidate();
  ControlsChanged();
}

void TRdControlHost::Remove(TRdControl* control) {
  auto found = std::find_if(FControls.begin(), FControls.end(), [&](auto& c) { return c.get() == control; });
  if (found == FControls.end()) return;
  control->Invalidate();
  Forget(control);
  control->FHost = nullptr;
  for (auto& c : FControls)
    if (c->FAlignSource == control) c->FAlignSource = nullptr;
  FControls.erase(found);
  ControlsChanged();
}

TRdControl* TRdControlHost::FindControl(std::u16string_view name) const {
  for (auto& c : FControls)
    if (c->Name == name) return c.get();
  return nullptr;
}

TRdControl* TRdControlHost::ControlAt(TPoint p) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TRdControl* c = it->get();
    if (c->Visible() && c->HitTest() && c->Bounds().Contains(p)) return c;
  }
  return nullptr;
}

void TRdControlHost::Forget(TRdControl* control) {
  if (FHover == control) {
    FHover = nullptr;
    Apply(control, control->MouseLeave());
  }
  if (FPressed == control) FPressed = nullptr;
  if (FFocus == control) SetFocusControl(nullptr);
}

// Followers move one after another; a chain of links moves along, and a follower that does not move ends it.
void TRdControlHost::FollowSource(const TRdControl& moved) {
  for (size_t i = 0; i < FControls.size(); ++i) {
    TRdControl& c = *FControls[i];
    if (c.FAlignSource != &moved) continue;
    c.SetBounds(AutoAlignPlace(c.FAlign, c.FAlignOffset, c.FBounds.Size(), moved.FBounds));
  }
}

void TRdControlHost::SetFocusControl(TRdControl* control) {
  if (control == FFocus) return;
  TRdControl* old = FFocus;
  FFocus = control;
  if (old) old->Invalidate();
  if (control) control->Invalidate();
}

bool TRdControlHost::HostKeyDown(TRdKey key) {
  return FFocus && FFocus->Visible() && FFocus->Enabled() && FFocus->KeyDown(key);
}

bool TRdControlHost::HostMouseWheel(TPoint p, int32_t notches) {
  TRdControl* target = ControlAt(p);
  if (target && target->Enabled() && target->MouseWheel(p, notches)) return true;
  return FFocus && FFocus != target && FFocus->Enabled() && FFocus->MouseWheel(p, notches);
}

void TRdControlHost::Apply(TRdControl* control, const TRdMouseResult& result) {
  if (result.Repaint) control->Invalidate();
}

void TRdControlHost::SetHover(TRdControl* control) {
  if (control == FHover) return;
  TRdControl* old = FHover;
  FHover = control;
  if (old) {
    Apply(old, old->MouseLeave());
    if (old->OnMouseLeave) old->OnMouseLeave(*old);
  }
  if (control && control->Enabled()) {
    Apply(control, control->MouseEnter());
    if (control->OnMouseEnter) control->OnMouseEnter(*control);
  }
}

void TRdControlHost::HostMouseMove(TPoint p) {
  if (FPressed) {
    TRdControl* pressed = FPressed;
    const bool inside = pressed->Visible() && pressed->Bounds().Contains(p);
    SetHover(inside ? pressed : nullptr);
    Apply(pressed, pressed->MouseMove(p));
    if (pressed->OnMouseMove) pressed->OnMouseMove(*pressed, p);
    return;
  }
  TRdControl* target = ControlAt(p);
  SetHover(target);
  if (!target || !target->Enabled()) return;
  Apply(target, target->MouseMove(p));
  if (target->OnMouseMove) target->OnMouseMove(*target, p);
}

void TRdControlHost::HostMouseDown(TPoint p) {
  TRdControl* target = ControlAt(p);
  SetHover(target);
  if (!target || !target->Enabled()) return;
  FPressed = target;
  if (target->TakesFocus()) SetFocusControl(target);
  Apply(target, target->MouseDown(p));
  if (target->OnMouseDown) target->OnMouseDown(*target);
}

void TRdControlHost::HostMouseUp(TPoint p) {
  TRdControl* pressed = FPressed;
  if (!pressed) return;
  FPressed = nullptr;
  const bool inside = pressed->Visible() && pressed->Bounds().Contains(p);
  const TRdMouseResult result = pressed->MouseUp(p, inside);
  Apply(pressed, result);
  if (pressed->OnMouseUp) pressed->OnMouseUp(*pressed);
  // The up handler may have hidden or removed controls.
  const bool stillHere = std::any_of(FControls.begin(), FControls.end(), [&](auto& c) { return c.get() == pressed; });
  SetHover(ControlAt(p));
  if (!stillHere || !result.Click) return;
  TRdControl::TNotifyEvent onClick = pressed->ClickHandler();  // the handler may replace itself or free the host
  if (onClick) onClick(*pressed);
}

void TRdControlHost::HostMouseLeave() {
  if (!FPressed) SetHover(nullptr);
}

void TRdControlHost::HostCancelPress() {
  TRdControl* pressed = FPressed;
  if (!pressed) return;
  FPressed = nullptr;
  Apply(pressed, pressed->MouseUp(TPoint{pressed->Bounds().Left - 1, pressed->Bounds().Top - 1}, false));
}

void TRdControlHost::PaintControls(TRdCanvas& canvas, const TRect& dirty) {
  for (auto& c : FControls)
    if (c->Visible() && !c->Bounds().Intersect(dirty).IsEmpty()) c->Paint(canvas);
}

}  // namespace qor
