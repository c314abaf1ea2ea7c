// ShowMessageWin: the usual message window: a title and up to two lines,
// centred on the screen in the firmware's large font, in the support
// library's colours (grey frame, yellow title, pale green text on dark blue).
//
// Contract: as ShowMessageWindow; null lines are left out (a null first line
// ends the list).  With a non-zero delay the window is removed again after it.
#include "support.h"

extern "C" void ShowMessageWin(const char* title, const char* line1, const char* line2,
                               uint32_t delay) {
    const char* content[4] = {title, line1, line2, 0};
    ShowMessageWindow(content, TAP_ScreenWidth, TAP_ScreenHeight, FONT_Large, TEXT_AlignCentre,
                      0xFF9C9C9C, 0xFFFFFF52, 0xFFE6FFE6, 0xFF192952, delay);
}
