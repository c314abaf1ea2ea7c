// The router's home-automation service, /webservices/homeautoswitch.lua.
//
// Every request needs sid=ID of a live session (renewed by it) whose user
// has the smart-home right; without one the answer is 403 with an empty
// body.  switchcmd=
//   getdevicelistinfos          the device list (text/xml)
//   setswitchtoggle&ain=A       switches socket A over; answers "0\n" or "1\n"
//   sethkrtsoll&ain=A&param=P   sets thermostat A's target: P is 16…56 (half
//                               degrees), 253 off or 254 on; answers "P\n"
// A missing or unknown command, a missing or malformed parameter, an
// unknown AIN, or a device that cannot do it (wrong kind, not present) gives
// 400 with a one-line reason.  AINs match with spaces ignored.
#ifndef ROUTERSIM_HOMEAUTOSWITCH_H
#define ROUTERSIM_HOMEAUTOSWITCH_H

#include "devices.h"
#include "sessions.h"
#include "webservice.h"

namespace routersim {

inline const char kHomeAutoSwitchPath[] = "/webservices/homeautoswitch.lua";

WebAnswer answerHomeAutoSwitch(const WebRequest& request, Sessions& sessions, Devices& devices);

}  // namespace routersim

#endif
