#include "app/MessageTexts.h"

#include "app/Language.h"

namespace qor {

const std::array<TMessageTextEntry, 42> MessageTextTable = {{
    {u"M_Main_Capture", u"Capture", &TMessageTexts::M_Main_Capture},
    {u"M_Main_CaptureHint", u"Press %s to start to capture", &TMessageTexts::M_Main_CaptureHint},
    {u"M_Main_ScrollWins", u"Capture scrolling window", &TMessageTexts::M_Main_ScrollWins},
    {u"M_Main_WinScreenNew", u"Capture the active window", &TMessageTexts::M_Main_WinScreenNew},
    {u"M_Main_FullScreen", u"Capture full screen", &TMessageTexts::M_Main_FullScreen},
    {u"M_Main_RecordScreen", u"Record screen", &TMessageTexts::M_Main_RecordScreen},
    {u"M_Main_Menu", u"Menu", &TMessageTexts::M_Main_Menu},
    {u"M_Main_MiniNew", u"Minimize to system tray", &TMessageTexts::M_Main_MiniNew},
    {u"M_Screen_Rect", u"Rectangle", &TMessageTexts::M_Screen_Rect},
    {u"M_Screen_Oval", u"Oval", &TMessageTexts::M_Screen_Oval},
    {u"M_Screen_Text", u"Text", &TMessageTexts::M_Screen_Text},
    {u"M_Screen_Brush", u"Paintbrush", &TMessageTexts::M_Screen_Brush},
    {u"M_Screen_Line", u"Line", &TMessageTexts::M_Screen_Line},
    {u"M_Screen_Arrow", u"Arrow", &TMessageTexts::M_Screen_Arrow},
    {u"M_Screen_Pixelation", u"Pixelation", &TMessageTexts::M_Screen_Pixelation},
    {u"M_Screen_PixelSize", u"Pixel size:", &TMessageTexts::M_Screen_PixelSize},
    {u"M_Screen_GoogleSearch", u"Search similar images on Google", &TMessageTexts::M_Screen_GoogleSearch},
    {u"M_Screen_SearchTitle", u"Searching image...", &TMessageTexts::M_Screen_SearchTitle},
    {u"M_Screen_ReturnNew", u"Restore (Ctrl+Z)", &TMessageTexts::M_Screen_ReturnNew},
    {u"M_Screen_Exit", u"Exit screenshot", &TMessageTexts::M_Screen_Exit},
    {u"M_Screen_Pin", u"Pin to desktop", &TMessageTexts::M_Screen_Pin},
    {u"M_Screen_Share", u"Share to...", &TMessageTexts::M_Screen_Share},
    {u"M_Screen_Copy", u"Copy to clipboard", &TMessageTexts::M_Screen_Copy},
    {u"M_Screen_Save", u"Save", &TMessageTexts::M_Screen_Save},
    {u"M_Screen_Always", u"Always save screenshots to:", &TMessageTexts::M_Screen_Always},
    {u"M_Screen_Browse", u"Browse...", &TMessageTexts::M_Screen_Browse},
    {u"M_Screen_TipInfo", u"The screenshot has been saved to clipboard. You can use Ctrl + V to paste.",
     &TMessageTexts::M_Screen_TipInfo},
    {u"M_Screen_Size", u"Size:", &TMessageTexts::M_Screen_Size},
    {u"M_Screen_ImgExitHint", u"%s already exists. Do you want to replace it?", &TMessageTexts::M_Screen_ImgExitHint},
    {u"M_Screen_ExitTipCap", u"Press %s again to exit this screenshot.", &TMessageTexts::M_Screen_ExitTipCap},
    {u"M_NoticeInfo_ABNew", u"Capture: Left click or drag the mouse to select the area you want to take a screenshot.",
     &TMessageTexts::M_NoticeInfo_ABNew},
    {u"M_NoticeInfo_ACNew", u"Exit Capture: Right click or press ESC to exit.", &TMessageTexts::M_NoticeInfo_ACNew},
    {u"M_PathWrongDesc", u"Screenshots cannot be saved to this disk. Please select another one.",
     &TMessageTexts::M_PathWrongDesc},
    {u"M_Close", u"Close", &TMessageTexts::M_Close},
    {u"M_TipShow", u"Don't show this message again", &TMessageTexts::M_TipShow},
    {u"M_OK", u"OK", &TMessageTexts::M_OK},
    {u"M_BaHint_Copy", u"Screenshot has been saved to the clipboard.", &TMessageTexts::M_BaHint_Copy},
    {u"M_BaHint_Save", u"Screenshot has been saved to:", &TMessageTexts::M_BaHint_Save},
    {u"M_Pin_ZoomIn", u"Zoom In", &TMessageTexts::M_Pin_ZoomIn},
    {u"M_Pin_ZoomOut", u"Zoom Out", &TMessageTexts::M_Pin_ZoomOut},
    {u"M_ScrollWins_UseCap", u"Please slide the mouse scroll to capture scrolling window.",
     &TMessageTexts::M_ScrollWins_UseCap},
    {u"M_ScrollWins_ErrCap", u"Failed to capture scrolling window. Please select a proper region and try again.",
     &TMessageTexts::M_ScrollWins_ErrCap},
}};

TMessageTexts& MessageTexts() {
  static TMessageTexts texts;
  return texts;
}

void FillMessageTexts(const TLanguage& language) {
  TMessageTexts& texts = MessageTexts();
  for (const TMessageTextEntry& entry : MessageTextTable)
    texts.*entry.Field = language.MessageText(entry.Key, entry.DefaultText);
}

}  // namespace qor
