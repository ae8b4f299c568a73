#include "annotate/Palette.h"

namespace qor {

const std::array<TSwatch, PaletteSize> Palette = {{
    {u"Btn_Color_1", 0x000000},    {u"Btn_Color_2", 0x7F7F7F},    {u"Btn_Color_3", 0x150088},
    {u"Btn_Color_4", 0x241CED},    {u"Btn_Color_5", 0x277FFF},    {u"Btn_Color_6", 0x00F2FF},
    {u"Btn_Color_7", 0x4CB122},    {u"Btn_Color_8", 0xE8A200},    {u"Btn_Color_1_9", 0xCC483F},
    {u"Btn_Color_1_10", 0xA449A3}, {u"Btn_Color_9", 0xFFFFFF},    {u"Btn_Color_10", 0xC3C3C3},
    {u"Btn_Color_11", 0x577AB9},   {u"Btn_Color_12", 0xC9AEFF},   {u"Btn_Color_13", 0x0EC9FF},
    {u"Btn_Color_14", 0xB0E4EF},   {u"Btn_Color_15", 0x1DE6B5},   {u"Btn_Color_16", 0xE9D999},
    {u"Btn_Color_2_9", 0xBE9270},  {u"Btn_Color_2_10", 0xE7BFC8},
}};

}  // namespace qor
