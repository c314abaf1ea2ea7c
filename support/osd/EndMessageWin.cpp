// EndMessageWin: removes the message window, if one is shown, and refreshes
// the screen.
//
// Contract: MessageWindowRegion is 0 afterwards; TAP_Osd_Sync is called in
// every case.
#include "support.h"

extern "C" void EndMessageWin(void) {
    if (MessageWindowRegion) TAP_Osd_Delete(MessageWindowRegion);
    MessageWindowRegion = 0;
    TAP_Osd_Sync();
}
