#pragma once
// Windowless controls and the host that owns them. A control draws on its host's surface and gets the host's mouse
// input; the host (TRdPanel on Windows, a plain recorder in tests) finds the control under the pointer, keeps the
// pressed control while the button is down, and turns each change into a repaint of the control's rectangle.
//
//   TRdControlHost& host = panel;                       // TRdPanel is a host
//   auto* rect = host.Add(std::make_unique<TRdImageButton>());
//   rect->SetBounds(TRect::FromSize(129, 5, 30, 30));
//   rect->SetHint(u"Rectangle");
//   rect->OnClick = [](TRdControl&) { ... };
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CommonLib/RdControl/RdAutoAlign.h"
#include "CommonLib/RdControl/RdCanvas.h"
#include "base/Geometry.h"

namespace qor {

class TRdControlHost;
class TRdComboBox;

// The window of a combo box's open list, made by the host (a top-level popup on Windows). It shows what the box's
// list model says and hands its mouse input back to the box.
class TRdDropDownList {
 public:
  virtual ~TRdDropDownList() = default;
  // Shows the list of the given size just below anchor (host coordinates), above it when there is no room.
  virtual void Show(const TRect& anchor, TSize size) = 0;
  virtual void Hide() = 0;
  virtual void Refresh() = 0;  // repaint after the model changed
};

// Keys the controls act on; the platform side maps its key codes to these.
enum class TRdKey : uint8_t { Other, Left, Right, Up, Down, Home, End, PageUp, PageDown, Enter, Escape, F4 };

// What a mouse event did to a control.
struct TRdMouseResult {
  bool Repaint = false;
  bool Click = false;
};

class TRdControl {
 public:
  using TNotifyEvent = std::function<void(TRdControl& sender)>;

  TRdControl() = default;
  virtual ~TRdControl() = default;
  TRdControl(const TRdControl&) = delete;
  TRdControl& operator=(const TRdControl&) = delete;

  std::u16string Name;

  const TRect& Bounds() const { return FBounds; }
  void SetBounds(const TRect& bounds);
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool enabled);
  const std::u16string& Hint() const { return FHint; }
  void SetHint(std::u16string hint);
  // The cursor over the control; crDefault: the host's own.
  TCursor Cursor = crDefault;
  virtual TCursor CursorAt(TPoint) const { return Cursor; }
  // Controls that take no mouse input let it through to the control below (labels, pictures by default).
  bool HitTest() const { return FHitTest; }
  void SetHitTest(bool on) { FHitTest = on; }

  TNotifyEvent OnClick, OnMouseEnter, OnMouseLeave, OnMouseDown, OnMouseUp;
  std::function<void(TRdControl& sender, TPoint p)> OnMouseMove;
  // The handler a click raises (a button's icon area may have its own).
  virtual TNotifyEvent ClickHandler() const { return OnClick; }

  // Keeps this control placed against source (a control of the same host) as they lie now: whenever source's
  // bounds change, this control follows. Null ends the link.
  void SetAutoAlign(TRdControl* source, TAlign align = TAlign::alBottom);
  TRdControl* AutoAlignSource() const { return FAlignSource; }

  // Paints in host coordinates.
  virtual void Paint(TRdCanvas& canvas) = 0;

  // Mouse input from the host, in host coordinates. The base keeps no state.
  virtual TRdMouseResult MouseEnter() { return {}; }
  virtual TRdMouseResult MouseLeave() { return {}; }
  virtual TRdMouseResult MouseMove(TPoint) { return {}; }
  virtual TRdMouseResult MouseDown(TPoint) { return {}; }
  // inside: the release happened over this control.
  virtual TRdMouseResult MouseUp(TPoint, bool inside) { return {false, inside}; }
  // Keyboard and wheel input for the focused control; true when the control used it. notches > 0: away from the
  // user. Controls that take them repaint themselves.
  virtual bool TakesFocus() const { return false; }
  virtual bool KeyDown(TRdKey) { return false; }
  virtual bool MouseWheel(TPoint, int32_t /*notches*/) { return false; }
  bool Focused() const;

  // Repaints the control's rectangle through the host (nothing when not hosted).
  void Invalidate();
  TRdControlHost* Host() const { return FHost; }

 protected:
  // Called when the host becomes known and whenever the size may depend on measured text.
  virtual void UpdateLayout() {}
  // Called after the bounds, the visibility or the enabled state changed.
  virtual void PlaceChanged() {}
  TRdTextMeasurer* Measurer() const;

 private:
  friend class TRdControlHost;
  TRdControlHost* FHost = nullptr;
  TRect FBounds;
  bool FVisible = true;
  bool FEnabled = true;
  bool FHitTest = true;
  std::u16string FHint;
  TRdControl* FAlignSource = nullptr;
  TAlign FAlign = TAlign::alBottom;
  TPoint FAlignOffset;
};

class TRdControlHost {
 public:
  TRdControlHost() = default;
  virtual ~TRdControlHost();
  TRdControlHost(const TRdControlHost&) = delete;
  TRdControlHost& operator=(const TRdControlHost&) = delete;

  // The host owns its controls; later controls lie above earlier ones.
  template <typename T>
  T* Add(std::unique_ptr<T> control) {
    T* raw = control.get();
    AddControl(std::move(control));
    return raw;
  }
  void Remove(TRdControl* control);
  const std::vector<std::unique_ptr<TRdControl>>& Controls() const { return FControls; }
  TRdControl* FindControl(std::u16string_view name) const;

  // The topmost visible control under p that takes mouse input.
  TRdControl* ControlAt(TPoint p) const;
  TRdControl* HoverControl() const { return FHover; }
  TRdControl* PressedControl() const { return FPressed; }
  // The control that gets the keys: the last pressed control that takes focus.
  TRdControl* FocusControl() const { return FFocus; }
  void SetFocusControl(TRdControl* control);

  // Mouse input in host coordinates (left button). While a control is pressed it alone gets the input and the
  // hover follows whether the pointer is over it. The click handler is the last thing a release does, so it may
  // destroy the host.
  void HostMouseMove(TPoint p);
  void HostMouseDown(TPoint p);
  void HostMouseUp(TPoint p);
  void HostMouseLeave();  // the pointer left the host (ignored while a control is pressed)
  // The pressed control is let go without a click (the host lost the mouse capture).
  void HostCancelPress();

  // A key for the focused control; false when nothing used it (the platform host passes it on).
  bool HostKeyDown(TRdKey key);
  // A wheel turn at p: for the enabled control under p, else the focused control; false when unused.
  bool HostMouseWheel(TPoint p, int32_t notches);

  // Paints every visible control that meets dirty, bottom first.
  void PaintControls(TRdCanvas& canvas, const TRect& dirty);

  // Repaint requests of the controls, in host coordinates.
  virtual void InvalidateRect(const TRect& r) = 0;
  // Measures text for controls that size themselves; null when the host cannot measure yet.
  virtual TRdTextMeasurer* TextMeasurer() { return nullptr; }
  // A control's place, visibility or hint changed (the platform host updates its hint windows).
  virtual void ControlsChanged() {}
  // The window of a combo box's open list; null when the host has no windows (the box then stays closed).
  virtual std::unique_ptr<TRdDropDownList> CreateDropDownList(TRdComboBox&) { return nullptr; }

 private:
  friend class TRdControl;
  std::vector<std::unique_ptr<TRdControl>> FControls;
  TRdControl* FHover = nullptr;
  TRdControl* FPressed = nullptr;
  TRdControl* FFocus = nullptr;

  void AddControl(std::unique_ptr<TRdControl> control);
  void Apply(TRdControl* control, const TRdMouseResult& result);
  void SetHover(TRdControl* control);
  void Forget(TRdControl* control);
  void FollowSource(const TRdControl& moved);
};

}  // namespace qor
