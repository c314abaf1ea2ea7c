// The settings globals with their defaults (empty texts, zeros), which hold
// until the settings file is read and for every key it lacks.
#include "settings.h"

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
