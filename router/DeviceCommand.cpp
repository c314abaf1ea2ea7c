// The device commands' shared part: the selected record, and the queue of
// requests to the router's home-automation service, sent one after the
// other in the background.  Contracts in command.h and router.h.
//
// Request: homeautoswitch.lua?ain=<ain>&switchcmd=<switchcmd>[&param=<param>]
// &sid=<_Sid>, identifier and session id percent-encoded, the URL quoted
// for the shell, the router's answer thrown away.  The session id is the
// one the plug-in holds when the command starts, not when it was queued.
//
// A key queues its command and starts it at once when no other command runs
// and the session is confirmed; ReadCommandStatus, once per main-loop pass,
// judges the running command and starts the next.  Commands keep their
// order.  A target for a thermostat whose earlier target still waits
// replaces that one (only the last dialled target counts); toggles are all
// kept, since each one switches.
#include <string.h>

#include "command.h"
#include "settings.h"
#include "transfer.h"

enum {
    // Commands waiting: a router that stalls holds each for its time-out.
    CommandQueueSize = 8,
    CommandParamSize = 12,
};

typedef struct {
    char ain[sizeof((DeviceRecord*)0)->ain];
    const char* switchcmd;  // one of the program's own texts
    char param[CommandParamSize];  // empty: none
} QueuedCommand;

static const char CommandPath[] = "/webservices/homeautoswitch.lua?ain=";

static QueuedCommand queue[CommandQueueSize];
static uint32_t queueFirst = 0, queueLength = 0;
static Transfer running = {COMMAND_LOG, 0, 0, 0};

extern "C" DeviceRecord* SelectedDevice(void) {
    if (_aktDev == 0 || _aktDev > DeviceTableRecords) return 0;
    for (int i = 0; i < _aktDev; i++)
        if (!_SmartHome[i].name[0]) return 0;
    return &_SmartHome[_aktDev - 1];
}

extern "C" int isDeviceCommandRunning(void) { return running.pending; }

extern "C" void ResetDeviceCommands(void) {
    queueFirst = queueLength = 0;
    running.pending = 0;
}

static QueuedCommand* queued(uint32_t index) {
    return &queue[(queueFirst + index) % CommandQueueSize];
}

static int startCommand(const QueuedCommand* command) {
    char urlText[RouterUrlSize];
    CommandText url;
    if (!RouterUrlStart(&url, urlText, sizeof urlText, _ip, CommandPath)) return 0;
    CommandAddQueryValue(&url, command->ain);
    CommandAdd(&url, "&switchcmd=");
    CommandAdd(&url, command->switchcmd);
    if (command->param[0]) {
        CommandAdd(&url, "&param=");
        CommandAddQueryValue(&url, command->param);
    }
    CommandAdd(&url, "&sid=");
    CommandAddQueryValue(&url, _Sid);
    return TransferStart(&running, WGET_TIMEOUT "-O /dev/null ", &url);
}

// Starts the first waiting command when the slot is free and the router has
// confirmed the session.
static void startNext(void) {
    while (queueLength > 0 && !running.pending && isSessionConfirmed()) {
        QueuedCommand* command = queued(0);
        queueFirst = (queueFirst + 1) % CommandQueueSize;
        queueLength--;
        startCommand(command);
    }
}

extern "C" int SendDeviceCommand(const DeviceRecord* device, const char* switchcmd,
                                 const char* param) {
    // A record without identifier would address no device, or the router's
    // default for an empty ain.
    if (!device || !device->ain[0] || !isRouterAddress(_ip)) return 0;
    if (!param) param = "";

    QueuedCommand command;
    memcpy(command.ain, device->ain, sizeof command.ain - 1);
    command.ain[sizeof command.ain - 1] = 0;
    command.switchcmd = switchcmd;
    strncpy(command.param, param, sizeof command.param - 1);
    command.param[sizeof command.param - 1] = 0;

    int added = 0;
    if (command.param[0])
        for (uint32_t i = 0; i < queueLength && !added; i++) {
            QueuedCommand* waiting = queued(i);
            if (strcmp(waiting->switchcmd, switchcmd) == 0 && strcmp(waiting->ain, command.ain) == 0) {
                strcpy(waiting->param, command.param);
                added = 1;
            }
        }
    if (!added) {
        if (queueLength == CommandQueueSize) return 0;
        *queued(queueLength++) = command;
    }
    startNext();
    return 1;
}

extern "C" int ReadCommandStatus(void) {
    // The outcome is not examined: the next device list shows the router's
    // state.
    TransferVerdict(&running);
    startNext();
    return running.pending || queueLength > 0;
}
