// The settings globals with their defaults (empty texts, zeros), which hold
// until the settings file is read and for every key it lacks.
#include "settings.h"

#include "support.h"

extern "C" {

char _ip[SettingsTextSize];
char _routeruser[SettingsTextSize];
char _routerpwd[SettingsTextSize];

int32_t _showsid = 0;
int32_t _savexml = 0;
int32_t _color = 0;
int32_t _x = 0;
int32_t _y = 0;
int32_t _HanFun = 0;
int32_t _Repeater = 0;
int32_t _firstdevice = 0;
}

int ReadSettings(void) {
    int location = INIOpenFile("Steckwart.ini", "Steckwart");
    if (location != INILOCATION_NewFile) {
        INIGetString("ip", _ip, "", SettingsTextSize);
        INIGetString("user", _routeruser, "", SettingsTextSize);
        INIGetString("pwd", _routerpwd, "", SettingsTextSize);
        _showsid = INIGetInt("showsid", 0, 0, 1);
        _savexml = INIGetInt("savexml", 0, 0, 1);
        _color = INIGetInt("farbe", 0, 0, 1);
        _x = INIGetInt("x", 0, 0, 500);
        _y = INIGetInt("y", 0, 0, 500);
        _HanFun = INIGetInt("hanfun", 0, 0, 1);
        _Repeater = INIGetInt("repeater", 0, 0, 1);
        _firstdevice = INIGetInt("firstdevice", 0, 0, 1);
    }
    INICloseFile();
    return location;
}
