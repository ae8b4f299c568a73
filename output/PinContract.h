#pragma once
// What the overlay hands to the pin program and what the two share: the picture's file name in the temporary folder,
// the section and keys of its screen rectangle in Config.ini, the program's name and command line, and the window
// classes of the pin program (a new capture passes over them, so it never picks a pin by itself).
#include <string_view>

namespace qor {

inline constexpr std::u16string_view PinPictureFileName = u"ZynPinTemp.bmp";
inline constexpr std::u16string_view PinSection = u"StartPin";
inline constexpr std::u16string_view PinLeftKey = u"Left";
inline constexpr std::u16string_view PinRightKey = u"Right";
inline constexpr std::u16string_view PinTopKey = u"Top";
inline constexpr std::u16string_view PinBottomKey = u"Bottom";
inline constexpr std::u16string_view PinProgramFileName = u"QorScreenshotPin.exe";
inline constexpr std::u16string_view PinProgramSwitch = u"/ZynMain";

// The window classes of the pin program.
inline constexpr std::u16string_view PinnedFormClass = u"TFormPinned";
inline constexpr std::u16string_view PinToolsClass = u"TFormTools";
inline constexpr std::u16string_view PinSmallToolsClass = u"TFormSmallTools";
inline constexpr std::u16string_view PinSavePathClass = u"TFormSavePath";
inline constexpr std::u16string_view PinProgramClasses[] = {PinnedFormClass, PinToolsClass, PinSmallToolsClass,
                                                            PinSavePathClass};

}  // namespace qor
