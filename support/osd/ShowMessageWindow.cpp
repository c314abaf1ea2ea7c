// ShowMessageWindow: puts a framed box of text on the screen, above
// everything else: a title line and any number of text lines in the
// firmware's OSD font.
//
// content[0] is the title (may be null), content[1], content[2], … the
// lines up to the first null.  Font sizes 0 … 2 (above 2 counts as 2) give
// the line pitch and the side margin.  An x of 720 or more centres the
// window horizontally, a y of 576 or more vertically.  Lines that would
// reach the bottom of the screen are left out.  The window is drawn into an
// off-screen region and copied into a visible region of its own in one go,
// so it never shows half drawn; a window already shown is replaced.  All
// drawing goes through the checked OSD calls (tags "ShowMessageWindow A"
// and "ShowMessageWindow B").  With a non-zero delay (firmware delay
// units) the call waits and removes the window again (EndMessageWin).
//
// Contract: MessageWindowRegion holds the window's region afterwards, or 0
// when the firmware could not create one (nothing is shown then).
#include "osd_private.h"

uint16_t MessageWindowRegion = 0;

namespace {

// Line pitch and side margin of the firmware font sizes 0, 1 and 2.
const uint32_t LinePitch[3] = {19, 22, 26};
const uint32_t Margin[3] = {14, 16, 20};

const char* const TagA = "ShowMessageWindow A";
const char* const TagB = "ShowMessageWindow B";

}  // namespace

extern "C" void ShowMessageWindow(const char** content, uint32_t x, uint32_t y, uint8_t fontSize,
                                  uint8_t align, uint32_t borderColour, uint32_t titleColour,
                                  uint32_t textColour, uint32_t backgroundColour,
                                  uint32_t delay) {
    static const char* const noContent[2] = {0, 0};
    const char* const* items = content ? content : noContent;
    if (fontSize > 2) fontSize = 2;
    const uint32_t pitch = LinePitch[fontSize];
    const uint32_t margin = Margin[fontSize];
    const int centredX = x >= TAP_ScreenWidth;
    const int centredY = y >= TAP_ScreenHeight;

    const char* title = items[0];
    if (!title && !items[1]) title = "";

    uint32_t height = 10;
    uint32_t width = 0;
    if (title) {
        height = pitch + 10;
        width = (uint32_t)TAP_Osd_GetW(title, 0, fontSize) + margin;
    }
    uint32_t lines = 0;
    while (items[lines + 1]) {
        uint32_t bottom = height + pitch + (centredY ? 0 : y);
        if (bottom >= TAP_ScreenHeight) break;
        height += pitch;
        uint32_t lineWidth = (uint32_t)TAP_Osd_GetW(items[lines + 1], 0, fontSize) + margin;
        if (lineWidth > width) width = lineWidth;
        ++lines;
    }

    if (!centredX) {
        if (width > TAP_ScreenWidth - x) width = TAP_ScreenWidth - x;
    } else {
        if (width > TAP_ScreenWidth) width = TAP_ScreenWidth;
        x = (TAP_ScreenWidth - width) / 2;
    }
    if (centredY) y = (TAP_ScreenHeight - height) / 2;

    // Drawn off-screen first, so that the window appears in one piece.
    int scratch = TAP_Osd_Create_Chk(TagA, x, y, width, height, 0, OSD_Flag_OffScreen);
    if (scratch >= TAP_FirstRegion) {
        const uint16_t draft = (uint16_t)scratch;
        const uint32_t inset = margin / 4;
        TAP_Osd_FillBox_Chk(TagA, draft, 0, 0, width, height, borderColour);
        TAP_Osd_FillBox_Chk(TagB, draft, inset, inset, width > 2 * inset ? width - 2 * inset : 0,
                            height > 2 * inset ? height - 2 * inset : 0, backgroundColour);
        uint32_t top = 5;
        if (title) {
            TAP_Osd_PutS(draft, inset, top, width - inset, title, titleColour, backgroundColour, 0,
                         fontSize, 0, TEXT_AlignCentre);
            top += pitch;
        }
        const uint32_t lineInset = align == TEXT_AlignCentre ? margin / 4 : margin / 2;
        for (uint32_t i = 0; i < lines; ++i)
            TAP_Osd_PutS(draft, lineInset, top + i * pitch, width - lineInset, items[i + 1],
                         textColour, backgroundColour, 0, fontSize, 0, align);
    }

    if (MessageWindowRegion) TAP_Osd_Delete(MessageWindowRegion);
    MessageWindowRegion = 0;
    if (scratch >= TAP_FirstRegion) {
        int shown = TAP_Osd_Create_Chk(TagB, x, y, width, height, 0, OSD_Flag_Visible);
        if (shown >= TAP_FirstRegion) {
            MessageWindowRegion = (uint16_t)shown;
            TAP_Osd_Copy_Chk(TagA, (uint16_t)scratch, MessageWindowRegion, 0, 0, width, height, 0,
                             0, 0);
        }
        TAP_Osd_Delete((uint16_t)scratch);
    }
    TAP_Osd_Sync();

    if (delay) {
        TAP_Delay(delay);
        EndMessageWin();
    }
}
