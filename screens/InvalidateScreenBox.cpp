// InvalidateScreenBox, InvalidateScreen: what else writes the plug-in's
// region tells the screens here, so that SmartHomeAusgabe, which draws only
// what changed, draws the parts it covered whole again.  The list (its
// frame and everything on it) and the panel are forgotten as a whole when
// the box meets them.
#include <string.h>

#include "screens_private.h"

extern "C" {
ScreenMemory ScreenShown;
}

namespace {

// A box of the region; it may reach beyond the region.
struct Area {
    int64_t left, top, right, bottom;  // right and bottom exclusive
};

Area AreaOf(int32_t x, int32_t y, int32_t width, int32_t height) {
    Area area = {x, y, (int64_t)x + width, (int64_t)y + height};
    return area;
}

int Meet(const Area* a, const Area* b) {
    return a->left < b->right && b->left < a->right && a->top < b->bottom && b->top < a->bottom;
}

}  // namespace

extern "C" void ForgetList(void) {
    memset(&ScreenShown.frame, 0, sizeof ScreenShown.frame);
    memset(&ScreenShown.title, 0, sizeof ScreenShown.title);
    memset(ScreenShown.rows, 0, sizeof ScreenShown.rows);
}

extern "C" void InvalidateScreenBox(int32_t x, int32_t y, int32_t width, int32_t height) {
    const Area box = AreaOf(x, y, width, height);
    const FrameInputs* frame = &ScreenShown.frame;
    const Area list = AreaOf(frame->x, frame->y - 2, ListWidth, FrameHeight(frame->rows));
    if (frame->drawn && Meet(&box, &list)) ForgetList();
    // The panel draws nothing outside its column.
    const PanelInputs* panel = &ScreenShown.panel;
    const Area column = AreaOf(panel->x + PanelOffset, 0, PanelWidth, PanelClearHeight);
    if (panel->drawn && Meet(&box, &column)) memset(&ScreenShown.panel, 0, sizeof ScreenShown.panel);
}

extern "C" void InvalidateScreen(void) {
    memset(&ScreenShown, 0, sizeof ScreenShown);
}
