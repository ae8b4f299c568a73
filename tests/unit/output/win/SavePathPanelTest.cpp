#include "output/win/SavePathPanel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "CommonLib/RdControl/RdColorTable.h"
#include "base/win/DibImage.h"
#include "base/win/UniqueHandle.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

using testing::Centre;
using testing::Click;
using testing::PumpUntil;

std::u16string WindowText(HWND window) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  return reinterpret_cast<const char16_t*>(text);
}

bool Topmost(HWND window) { return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Answers the first "Varnel Screenshot" message box that appears with OK, keeping its text.
class TMessageBoxAnswerer {
 public:
  TMessageBoxAnswerer()
      : FThread([this] {
          const DWORD start = ::GetTickCount();
          while (::GetTickCount() - start < 10000) {
            if (HWND box = ::FindWindowW(L"#32770", L"Varnel Screenshot")) {
              wchar_t text[512] = {};
              ::GetDlgItemTextW(box, 0xFFFF, text, 512);  // the message's static text
              FText = reinterpret_cast<const char16_t*>(text);
              FSeen = true;
              ::PostMessageW(box, WM_COMMAND, IDOK, 0);
              return;
            }
            ::Sleep(20);
          }
        }) {}
  ~TMessageBoxAnswerer() {
    if (FThread.joinable()) FThread.join();
  }
  bool Seen() {
    FThread.join();
    return FSeen;
  }
  const std::u16string& Text() const { return FText; }

 private:
  std::u16string FText;
  std::atomic<bool> FSeen{false};
  std::thread FThread;
};

class SavePathPanel : public ::testing::Test {
 protected:
  TUniqueWindow FOverlay{::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"overlay", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 300,
                                           nullptr, nullptr, nullptr, nullptr)};
  TSavePathPanel FPanel{TScale{}, u"C:\\Users\\me\\Pictures\\Corvane\\"};

  void SetUp() override {
    ASSERT_TRUE(FOverlay.Get());
    ASSERT_TRUE(FPanel.Create(FOverlay.Get(), 816));
  }
};

// The folder field is a standard edit control: it asks its panel for colours, which are the skin's where the mounted
// skin names them.
TEST_F(SavePathPanel, TheFolderFieldTakesTheSkinsEditColoursOrItsOwn) {
  TDibImage dib;
  ASSERT_TRUE(dib.Create(4, 4));
  auto ask = [&] {
    const auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
        FPanel.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dib.Dc()), LPARAM(FPanel.FolderField())));
    LOGBRUSH fill{};
    ::GetObjectW(brush, sizeof fill, &fill);
    return std::pair{fill.lbColor, ::GetTextColor(dib.Dc())};
  };
  EXPECT_EQ(ask(), (std::pair<COLORREF, COLORREF>{0x1C1C1C, 0xE6E6E6}));
  TRdColorTable& colors = SkinColorTable();
  colors.LoadColorFile(u"[public_element]\ncl_edit_bg=#102030\n[text_color]\ncl_text_a=#A0B0C0\n");
  colors.MergeColors();
  EXPECT_EQ(ask(), (std::pair<COLORREF, COLORREF>{0x302010, 0xC0B0A0}));
  colors.Clear();
  EXPECT_EQ(ask(), (std::pair<COLORREF, COLORREF>{0x1C1C1C, 0xE6E6E6}));
}

TEST_F(SavePathPanel, StartsHiddenTickedWithTheFolderInAReadOnlyFieldAndShowsWhereItIsPut) {
  EXPECT_FALSE(FPanel.Visible());
  EXPECT_TRUE(FPanel.AlwaysSave());
  EXPECT_EQ(WindowText(FPanel.FolderField()), u"C:\\Users\\me\\Pictures\\Corvane\\");
  EXPECT_NE(::GetWindowLongW(FPanel.FolderField(), GWL_STYLE) & ES_READONLY, 0);
  // A key typed into the field changes nothing.
  ::SendMessageW(FPanel.FolderField(), WM_CHAR, 'x', 0);
  EXPECT_EQ(WindowText(FPanel.FolderField()), u"C:\\Users\\me\\Pictures\\Corvane\\");

  FPanel.ShowAt({40, 120});
  EXPECT_TRUE(FPanel.Visible());
  EXPECT_EQ(FPanel.Bounds(), TRect::FromSize(40, 120, 816, 72));
  FPanel.Hide();
  EXPECT_FALSE(FPanel.Visible());
}

TEST_F(SavePathPanel, CheckBoxTogglesAlwaysSaveAndCloseButtonAsksTheOwner) {
  int closes = 0;
  FPanel.OnClose = [&] { ++closes; };
  FPanel.ShowAt({0, 0});
  Click(FPanel.Handle(), Centre(FPanel.Layout().chbtn_always));
  EXPECT_FALSE(FPanel.AlwaysSave());
  Click(FPanel.Handle(), Centre(FPanel.Layout().chbtn_always));
  EXPECT_TRUE(FPanel.AlwaysSave());
  EXPECT_EQ(closes, 0);
  Click(FPanel.Handle(), Centre(FPanel.Layout().btn_pthpnl_close));
  EXPECT_EQ(closes, 1);
}

TEST_F(SavePathPanel, BrowseTakesAFolderOnAFixedDiskWithTheOverlayBelowTheBrowser) {
  bool overlayWasTopmost = true;
  FPanel.ChooseFolder = [&](HWND) -> std::optional<std::u16string> {
    overlayWasTopmost = Topmost(FOverlay.Get());
    return u"  C:\\windows  ";
  };
  FPanel.ShowAt({0, 0});
  Click(FPanel.Handle(), Centre(FPanel.Layout().btn_browseSavePath));
  EXPECT_FALSE(overlayWasTopmost) << "the browser must show above the overlay";
  EXPECT_TRUE(Topmost(FOverlay.Get()));
  EXPECT_EQ(FPanel.Folder(), u"C:\\windows\\");
  EXPECT_EQ(WindowText(FPanel.FolderField()), u"C:\\windows\\");
}

TEST_F(SavePathPanel, BrowseRefusesAFolderThatIsNotOnAFixedDiskAndKeepsTheOldOne) {
  for (const char16_t* chosen : {u"Q:\\Shots", u"\\\\nas\\photos\\shots", u"Shots"}) {
    SCOPED_TRACE(std::string(chosen, chosen + std::char_traits<char16_t>::length(chosen)));
    FPanel.ChooseFolder = [&](HWND) -> std::optional<std::u16string> { return chosen; };
    TMessageBoxAnswerer answer;
    FPanel.btn_browseSavePathClick();
    ASSERT_TRUE(answer.Seen());
    EXPECT_EQ(answer.Text(), u"Screenshots cannot be saved to this disk. Please select another one.");
    EXPECT_EQ(FPanel.Folder(), u"C:\\Users\\me\\Pictures\\Corvane\\");
    EXPECT_TRUE(Topmost(FOverlay.Get()));
  }
}

TEST_F(SavePathPanel, BrowseWithNothingChosenKeepsTheFolderAndGivesTheFocusBack) {
  FPanel.ChooseFolder = [&](HWND) -> std::optional<std::u16string> {
    ::SetFocus(nullptr);
    return std::nullopt;
  };
  FPanel.btn_browseSavePathClick();
  EXPECT_EQ(FPanel.Folder(), u"C:\\Users\\me\\Pictures\\Corvane\\");
  EXPECT_EQ(::GetFocus(), FOverlay.Get());
  EXPECT_TRUE(Topmost(FOverlay.Get()));
}

// The panel as the screen shows it: a dark folder field with light text.
TEST_F(SavePathPanel, PaintsTheFolderField) {
  FPanel.ShowAt({20, 20});
  ::UpdateWindow(FOverlay.Get());
  testing::PumpFor(200);
  RECT r{};
  ::GetWindowRect(FPanel.Handle(), &r);
  TDibImage shot;
  ASSERT_TRUE(shot.Create(r.right - r.left, r.bottom - r.top));
  {
    TWindowDc screen(nullptr);
    ::BitBlt(shot.Dc(), 0, 0, shot.Width(), shot.Height(), screen.Get(), r.left, r.top, SRCCOPY);
    ::GdiFlush();
  }
  // The field's face is dark and its text light; the accent fills the ticked box.
  const TImageView view = shot.View();
  const TRect field = FPanel.Layout().edit_savepath;
  const TBgra face = view.At(field.Right - 4, field.Bottom - 3);
  EXPECT_LT(face.R + face.G + face.B, 3 * 0x30);
  bool light = false;
  for (int32_t x = field.Left; x < field.Left + 120 && !light; ++x)
    for (int32_t y = field.Top; y < field.Bottom && !light; ++y) light = view.At(x, y).G > 0xA0;
  EXPECT_TRUE(light) << "no folder text in the field";
}

}  // namespace
}  // namespace qor
