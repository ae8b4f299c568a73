#pragma once
// The 42 message texts of the section "Qor_Screen_M" with their English defaults, and the process-wide strings
// that the windows read. Placeholders "%s" are filled by the window that shows the text.
// Usage (when the launcher is created, after the language is loaded):
//   qor::FillMessageTexts(qor::AppLanguage());
//   SetCaption(qor::MessageTexts().M_Screen_Save);
#include <array>
#include <string>

namespace qor {

class TLanguage;

// Process-wide texts, one per key, named after the key. Empty until FillMessageTexts runs.
struct TMessageTexts {
  std::u16string M_Main_Capture;
  std::u16string M_Main_CaptureHint;
  std::u16string M_Main_ScrollWins;
  std::u16string M_Main_WinScreenNew;
  std::u16string M_Main_FullScreen;
  std::u16string M_Main_RecordScreen;
  std::u16string M_Main_Menu;
  std::u16string M_Main_MiniNew;
  std::u16string M_Screen_Rect;
  std::u16string M_Screen_Oval;
  std::u16string M_Screen_Text;
  std::u16string M_Screen_Brush;
  std::u16string M_Screen_Line;
  std::u16string M_Screen_Arrow;
  std::u16string M_Screen_Pixelation;
  std::u16string M_Screen_PixelSize;
  std::u16string M_Screen_GoogleSearch;
  std::u16string M_Screen_SearchTitle;
  std::u16string M_Screen_ReturnNew;
  std::u16string M_Screen_Exit;
  std::u16string M_Screen_Pin;
  std::u16string M_Screen_Share;
  std::u16string M_Screen_Copy;
  std::u16string M_Screen_Save;
  std::u16string M_Screen_Always;
  std::u16string M_Screen_Browse;
  std::u16string M_Screen_TipInfo;
  std::u16string M_Screen_Size;
  std::u16string M_Screen_ImgExitHint;
  std::u16string M_Screen_ExitTipCap;
  std::u16string M_NoticeInfo_ABNew;
  std::u16string M_NoticeInfo_ACNew;
  std::u16string M_PathWrongDesc;
  std::u16string M_Close;
  std::u16string M_TipShow;
  std::u16string M_OK;
  std::u16string M_BaHint_Copy;
  std::u16string M_BaHint_Save;
  std::u16string M_Pin_ZoomIn;
  std::u16string M_Pin_ZoomOut;
  std::u16string M_ScrollWins_UseCap;
  std::u16string M_ScrollWins_ErrCap;
};

struct TMessageTextEntry {
  const char16_t* Key;
  const char16_t* DefaultText;
  std::u16string TMessageTexts::*Field;
};

// Every key with its English default, in the order of the language file.
extern const std::array<TMessageTextEntry, 42> MessageTextTable;

// The process-wide texts (user-interface thread only).
TMessageTexts& MessageTexts();
// Reads every key from the language (its default when the key is missing) into MessageTexts().
void FillMessageTexts(const TLanguage& language);

}  // namespace qor
