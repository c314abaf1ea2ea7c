// TAP_Main: the plug-in's whole life in one call — start-up, the main loop,
// shutdown.  Returns 0 on each of its three exits: a font that cannot be
// loaded (nothing else created yet), a settings file that exists nowhere
// (after releasing what was acquired), and the end of the main loop.
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "devices.h"
#include "plugin.h"
#include "router.h"
#include "screens.h"
#include "settings.h"
#include "support.h"
#include "tap.h"

namespace {

struct FontFile {
    const char* name;
    FontDataUC* font;
};

const FontFile kFonts[] = {
    {"Calibri_10.ufnt", &Calibri_10_FontDataUC},
    {"Calibri_12.ufnt", &Calibri_12_FontDataUC},
    {"Calibri_16.ufnt", &Calibri_16_FontDataUC},
    {"Calibri_18.ufnt", &Calibri_18_FontDataUC},
};

// Loads the fonts one after the other and stops at the first that fails.
int LoadFonts() {
    for (const FontFile& file : kFonts)
        if (!FMUC_LoadFontFile(file.name, file.font)) return 0;
    return 1;
}

// Releases all four, loaded or not: releasing an empty handle does nothing.
void FreeFonts() {
    for (const FontFile& file : kFonts) FMUC_FreeFontFile(file.font);
}

// Moves an old settings file from the plug-in folder into the settings
// folder; a file already there is kept and the old one gets a numbered name.
void MigrateSettingsFile() {
    if (HDD_Exist("/mnt/hd/ProgramFiles/Steckwart.ini"))
        HDD_Move("Steckwart.ini", "/mnt/hd/ProgramFiles/", SETTINGS_FOLDER "/");
}

}  // namespace

int TAP_Main(void) {
    if (!LoadFonts()) {
        FreeFonts();
        return 0;
    }

    _rgn = static_cast<uint16_t>(TAP_Osd_Create(0, 0, RegionWidth, RegionHeight, 0, OSD_Flag_Visible));
    // A new region: the first pass draws everything.
    InvalidateScreen();
    system("chmod 755 " WGET_PATH);
    mkdir(SETTINGS_FOLDER, 0777);
    MigrateSettingsFile();
    TAP_Hdd_ChangeDir("/ProgramFiles/Settings/Steckwart");

    if (ReadSettings() == INILOCATION_NewFile) {
        FreeFonts();
        TAP_Osd_Delete(_rgn);
        return 0;
    }

    TAP_MemSet(_SmartHome, 0, DeviceTableSize);
    _Tapon = 1;
    _Sid[0] = '\0';
    _aktDev = 1;
    remove(TRANSFER_LOG);
    // Left by an earlier run: never taken for this run's transfers.
    remove(COMMAND_LOG);
    remove(LOGIN_FORM);

    // The flag is tested before each pass; a pass once begun runs to its end.
    while (_Tapon) {
        TAP_SystemProc();
        if (ReadDectDLStatus()) ReadDectXML();
        ReadCommandStatus();
        SmartHomeAusgabe();
    }

    // The box reaches below the region's 540 lines; the firmware clips it,
    // so the whole region is cleared.
    TAP_Osd_FillBox(_rgn, 0, 0, RegionWidth, TAP_ScreenHeight, 0);
    InvalidateScreen();
    TAP_Osd_Sync();
    FreeFonts();
    TAP_Osd_Delete(_rgn);
    return 0;
}
