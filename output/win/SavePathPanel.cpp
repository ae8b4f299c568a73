#include "output/win/SavePathPanel.h"

#include <shlobj.h>

#include "CommonLib/RdControl/RdColorTable.h"
#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/RdPictureNames.h"
#include "app/Language.h"
#include "app/MessageTexts.h"
#include "app/WindowTranslation.h"
#include "base/Utf16Text.h"
#include "base/win/WinConvert.h"
#include "output/TipLayout.h"
#include "output/win/SaveDialog.h"

namespace qor {

namespace {

constexpr uint32_t FieldTextColor = 0xE6E6E6;
constexpr uint32_t FieldBackColor = 0x1C1C1C;
constexpr uint32_t FieldBorderColor = 0x5A5A5A;
constexpr uint32_t CaptionColor = 0xC4C4C4;

bool IsFixedDisk(const std::u16string& root) { return ::GetDriveTypeW(Wide(root)) == DRIVE_FIXED; }

}  // namespace

// The panel window: gives the read-only field (a standard edit control, which draws itself) the panel's dark
// colours, or the skin's edit colours where the mounted skin names them.
class TSavePathPanel::TPanelWindow : public TRdPanel {
 public:
  explicit TPanelWindow(const TRdPictureSource* pictures) : TRdPanel(pictures) {}

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT) {  // a read-only edit asks as a static
      const TRdColorTable& colors = SkinColorTable();
      const uint32_t back = colors.ColorOr(u"public_element.cl_edit_bg", FieldBackColor) & 0xFFFFFF;
      if (!FFieldBrush || back != FBrushColor) {
        FFieldBrush.Reset(::CreateSolidBrush(back));
        FBrushColor = back;
      }
      HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetTextColor(dc, colors.ColorOr(u"text_color.cl_text_a", FieldTextColor) & 0xFFFFFF);
      ::SetBkColor(dc, back);
      return reinterpret_cast<LRESULT>(FFieldBrush.Get());
    }
    return TRdPanel::HandleMessage(message, wParam, lParam);
  }

 private:
  TBrushHandle FFieldBrush;
  uint32_t FBrushColor = 0;
};

TSavePathPanel::TSavePathPanel(TScale scale, std::u16string folder)
    : FScale(scale),
      FFolder(std::move(folder)),
      FLayout(LayoutSavePathPanel(0, scale)),
      FPictures(scale, FLayout.btn_browseSavePath.Size()) {}

TSavePathPanel::~TSavePathPanel() = default;

bool TSavePathPanel::Create(HWND parent, int32_t width) {
  FLayout = LayoutSavePathPanel(width, FScale);
  FPanel = std::make_unique<TFormOf<TPanelWindow>>(&FPictures);
  FPanel->SetBorderColor(0x3A3A3A);

  chbtn_always = FPanel->Add(std::make_unique<TRdImageButton>());
  chbtn_always->Name = u"chbtn_always";
  SetupCheckBox(*chbtn_always, DialogFont(FScale(SavePathFontHeight), CaptionColor), FAlwaysSave);
  chbtn_always->TextLeftMargin = FScale(21);
  chbtn_always->SetCaption(MessageTextOrDefault(&TMessageTexts::M_Screen_Always));
  chbtn_always->OnClick = [this](TRdControl&) {
    FAlwaysSave = chbtn_always->Checked();
    SetCheckBoxIcons(*chbtn_always);
  };
  chbtn_always->SetBounds(FLayout.chbtn_always);

  btn_pthpnl_close = FPanel->Add(std::make_unique<TRdImageButton>());
  btn_pthpnl_close->Name = u"btn_pthpnl_close";
  SetToolPictures(*btn_pthpnl_close, u"delete");
  btn_pthpnl_close->SetHint(MessageTextOrDefault(&TMessageTexts::M_Close));
  btn_pthpnl_close->OnClick = [this](TRdControl&) {
    if (OnClose) OnClose();
  };
  btn_pthpnl_close->SetBounds(FLayout.btn_pthpnl_close);

  // The field's frame and face; the edit window sits in the face, centred on its height.
  auto* frame = FPanel->Add(std::make_unique<TRdLabel>());
  frame->SetAutoSize(false);
  frame->Color = FieldBorderColor;
  frame->SetHitTest(false);
  frame->SetBounds(FLayout.edit_savepath);
  auto* face = FPanel->Add(std::make_unique<TRdLabel>());
  face->SetAutoSize(false);
  face->Color = FieldBackColor;
  face->SetHitTest(false);
  face->SetBounds(FLayout.edit_savepath.Inflate(-FScale(1), -FScale(1)));

  btn_browseSavePath = FPanel->Add(std::make_unique<TRdImageButton>());
  btn_browseSavePath->Name = u"btn_browseSavePath";
  SetGrayButtonPictures(*btn_browseSavePath);
  btn_browseSavePath->Font = DialogFont(FScale(SavePathFontHeight), 0xFFFFFF);
  btn_browseSavePath->SetCaption(MessageTextOrDefault(&TMessageTexts::M_Screen_Browse));
  btn_browseSavePath->OnClick = [this](TRdControl&) { btn_browseSavePathClick(); };
  btn_browseSavePath->SetBounds(FLayout.btn_browseSavePath);

  // The panel belongs to the overlay: its texts come from the overlay's section.
  TranslateControls(AppLanguage(), WindowSection::Monitor, *FPanel);
  if (!FPanel->Create(parent, TRect::FromSize(0, 0, FLayout.Client.Width, FLayout.Client.Height), false)) return false;

  FFieldFont.Reset(::CreateFontW(-FScale(13), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                                 L"Segoe UI"));
  const TRect inner = FLayout.edit_savepath.Inflate(-FScale(1), -FScale(1));
  const int32_t lineHeight = FScale(17);
  FFolderField = ::CreateWindowExW(0, L"EDIT", Wide(FFolder), WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL,
                                   inner.Left + FScale(5), inner.Top + (inner.Height() - lineHeight) / 2,
                                   inner.Width() - FScale(10), lineHeight, FPanel->Handle(), nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
  if (FFolderField) ::SendMessageW(FFolderField, WM_SETFONT, reinterpret_cast<WPARAM>(FFieldFont.Get()), FALSE);
  return FFolderField != nullptr;
}

bool TSavePathPanel::AlwaysSave() const { return FAlwaysSave; }

void TSavePathPanel::SetAlwaysSave(bool always) {
  FAlwaysSave = always;
  if (!chbtn_always) return;
  chbtn_always->SetChecked(always);
  SetCheckBoxIcons(*chbtn_always);
}

void TSavePathPanel::SetFolder(std::u16string folder) {
  FFolder = std::move(folder);
  if (FFolderField) ::SetWindowTextW(FFolderField, Wide(FFolder));
}

void TSavePathPanel::ShowAt(TPoint p) {
  if (!FPanel) return;
  FPanel->SetPanelBounds(TRect::FromSize(p.X, p.Y, FLayout.Client.Width, FLayout.Client.Height));
  FPanel->Show(true);
  ::SetWindowPos(FPanel->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TSavePathPanel::Hide() {
  if (FPanel) FPanel->Show(false);
}

bool TSavePathPanel::Visible() const { return FPanel && FPanel->Handle() && ::IsWindowVisible(FPanel->Handle()); }

TRect TSavePathPanel::Bounds() const { return FPanel ? FPanel->PanelBounds() : TRect{}; }

HWND TSavePathPanel::Handle() const { return FPanel ? FPanel->Handle() : nullptr; }

void TSavePathPanel::SetOverlayTopmost(bool topmost) const {
  HWND overlay = Handle() ? ::GetAncestor(Handle(), GA_ROOT) : nullptr;
  if (!overlay) return;
  ::SetWindowPos(overlay, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TSavePathPanel::btn_browseSavePathClick() {
  HWND overlay = Handle() ? ::GetAncestor(Handle(), GA_ROOT) : nullptr;
  SetOverlayTopmost(false);  // the browser and the message show above the overlay
  const std::optional<std::u16string> chosen = ChooseFolder ? ChooseFolder(::GetActiveWindow()) : std::nullopt;
  const TBrowsedFolder picked = ResolveBrowsedFolder(chosen.value_or(u""), IsFixedDisk);
  switch (picked.Outcome) {
    case TBrowseOutcome::NotFixedDisk:
      ShowMessage(overlay, MessageTextOrDefault(&TMessageTexts::M_PathWrongDesc));
      break;
    case TBrowseOutcome::Accepted: SetFolder(picked.Folder); break;
    case TBrowseOutcome::NothingChosen:
      if (overlay) ::SetFocus(overlay);
      break;
  }
  SetOverlayTopmost(true);
}

std::optional<std::u16string> BrowseForFolder(HWND owner) {
  // The new dialog style needs COM on this thread; a second initialisation is harmless and undone below.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  wchar_t display[260] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pszDisplayName = display;
  info.lpszTitle = L"Varnel Screenshot";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_NEWDIALOGSTYLE;  // 0x43
  std::optional<std::u16string> folder;
  if (PIDLIST_ABSOLUTE list = ::SHBrowseForFolderW(&info)) {
    wchar_t path[MAX_PATH] = {};
    if (::SHGetPathFromIDListW(list, path)) folder = std::u16string(reinterpret_cast<const char16_t*>(path));
    ::CoTaskMemFree(list);
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return folder;
}

}  // namespace qor
