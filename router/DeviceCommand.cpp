// The device commands' shared part: the selected record, and one request to
// the router's home-automation service in the foreground.  Contracts in
// command.h.
//
// Request: homeautoswitch.lua?ain=<ain>&switchcmd=<switchcmd>[&param=<param>]
// &sid=<_Sid>, identifier and session id percent-encoded, the URL quoted
// for the shell, the router's answer thrown away.
#include <stdlib.h>
#include <string.h>

#include "command.h"
#include "settings.h"

static const char CommandPath[] = "/webservices/homeautoswitch.lua?ain=";

extern "C" DeviceRecord* SelectedDevice(void) {
    if (_aktDev == 0 || _aktDev > DeviceTableRecords) return 0;
    for (int i = 0; i < _aktDev; i++)
        if (!_SmartHome[i].name[0]) return 0;
    return &_SmartHome[_aktDev - 1];
}

extern "C" int SendDeviceCommand(const DeviceRecord* device, const char* switchcmd,
                                 const char* param) {
    // A record without identifier would address no device, or the router's
    // default for an empty ain.
    if (!device || !device->ain[0]) return 0;

    char ain[sizeof device->ain];
    memcpy(ain, device->ain, sizeof ain - 1);
    ain[sizeof ain - 1] = 0;

    char urlText[RouterUrlSize];
    char command[RouterCommandSize];
    CommandText url;
    if (!RouterUrlStart(&url, urlText, sizeof urlText, _ip, CommandPath)) return 0;
    CommandAddQueryValue(&url, ain);
    CommandAdd(&url, "&switchcmd=");
    CommandAdd(&url, switchcmd);
    if (param) {
        CommandAdd(&url, "&param=");
        CommandAddQueryValue(&url, param);
    }
    CommandAdd(&url, "&sid=");
    CommandAddQueryValue(&url, _Sid);
    if (!WgetCommand(command, sizeof command, WGET_COMMAND, &url, " >/dev/null")) return 0;
    system(command);
    return 1;
}
