// The plug-in's settings: globals filled once at start from "Steckwart.ini"
// in the settings folder and read directly by every part of the plug-in.
// Until they are read they hold their defaults: empty texts and zeros.
#ifndef STECKWART_SETTINGS_H
#define STECKWART_SETTINGS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// The plug-in's own folder: its settings file and the saved device list.
#define SETTINGS_FOLDER "/mnt/hd/ProgramFiles/Settings/Steckwart"

// Capacity of the text settings: at most 63 characters and a terminator.
enum { SettingsTextSize = 64 };

extern char _ip[SettingsTextSize];          // "ip": router address, placed after "http://"
extern char _routeruser[SettingsTextSize];  // "user": login user name
extern char _routerpwd[SettingsTextSize];   // "pwd": login password

// Integer settings; for the flags any non-zero value means on.
extern int32_t _showsid;      // "showsid" 0-1: show the session id on the list screen
extern int32_t _savexml;      // "savexml" 0-1: keep a copy of every device list read
extern int32_t _color;        // "farbe" 0-1: colour scheme of the on/off states
extern int32_t _x;            // "x" 0-500: left anchor of the screens, region pixels
extern int32_t _y;            // "y" 0-500: top anchor of the screens, region pixels
extern int32_t _HanFun;       // "hanfun" 0-1: list alarm sensors
extern int32_t _Repeater;     // "repeater" 0-1: list repeaters
extern int32_t _firstdevice;  // "firstdevice" 0-1: devices before groups

// Reads "Steckwart.ini" (in the settings folder, the working directory; or
// in /ProgramFiles/Settings or /ProgramFiles) into the globals above and
// releases the INI reader again.  Returns the reader's location code:
// INILOCATION_NewFile when the file exists nowhere (nothing is read), 0 when
// it could not be read (every setting keeps its default), 2 to 5 when read.
int ReadSettings(void);

#ifdef __cplusplus
}
#endif

#endif
