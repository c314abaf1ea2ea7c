// Helpers shared by the router link of this folder: building shell commands
// and URLs in fixed buffers, safely quoted; the device-command queue; and
// how the poller's and the commands' transfers keep out of each other's
// way.  Not part of the router link's interface.
//
// A CommandText appends into a caller's buffer and never writes past it:
// an append that does not fit sets `overflow`, and the text keeps what fitted
// (always terminated).  A caller checks isCommandComplete before it runs or
// sends anything, so that a cut command is never run.
#ifndef STECKWART_ROUTER_COMMAND_H
#define STECKWART_ROUTER_COMMAND_H

#include <stdint.h>

#include "devices.h"
#include "router.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
    char* text;         // the buffer, always terminated
    uint32_t capacity;  // its size in bytes, terminator included
    uint32_t length;    // characters in it
    int overflow;       // 1 when an append did not fit
} CommandText;

// Buffer sizes: the longest URL is a device command's or the session
// check's (an address of 63 characters and a few query values, each byte
// percent-encoded to three); a command adds the client's options, the log
// and the quotes to it.
enum {
    RouterUrlSize = 512,
    RouterCommandSize = 1024,
    RouterAnswerSize = 512,  // bytes of a login answer read and used
};

void CommandStart(CommandText* command, char* buffer, uint32_t capacity);
// Appends text as it stands: only for the program's own constant texts.
void CommandAdd(CommandText* command, const char* text);
// Appends text percent-encoded for a URL's query: every byte but the letters,
// digits and - . _ ~ becomes %XX, so that nothing in it can end the value,
// start another one, or mean anything to the shell.
void CommandAddQueryValue(CommandText* command, const char* text);
// Appends text as one word for the shell: in single quotes, every single
// quote inside written as '\'' .  Any byte but zero survives unchanged.
void CommandAddQuoted(CommandText* command, const char* text);
// 1 when nothing was cut.
int isCommandComplete(const CommandText* command);

// 1 when address may stand between "http://" and the path: a host name, an
// IPv4 address or a bracketed IPv6 address, with an optional ":port" — only
// letters, digits and . - _ : [ ], at most 63 characters.  Anything else
// (empty, "/", "?", "@", "#", "%", blanks, quotes) would change which server
// or which document is asked, or break the command, so it is refused.
int isRouterAddress(const char* address);

// Starts a URL "http://<address><path>"; the caller appends the query
// values.  Returns 0 (and adds nothing) when address is not a router address.
int RouterUrlStart(CommandText* url, char* buffer, uint32_t capacity, const char* address,
                   const char* path);

// The record _aktDev selects, when it is one of the records in use (the list
// ends at the first empty name); null for none.
DeviceRecord* SelectedDevice(void);

// Queues a command for one device of the router's home-automation service;
// it is sent in the background as soon as no other command runs and the
// session is confirmed (see DeviceCommand.cpp).  param, when given, is sent
// as "param=".  Returns 1 when the command was queued, 0 when it cannot be
// sent: no device, an empty identifier, no router address, or a full queue.
int SendDeviceCommand(const DeviceRecord* device, const char* switchcmd, const char* param);

// The two background slots keep out of each other's way (a router ends every
// session of a client that sends an invalid session id): no login starts
// while a command runs, and no command while the session is not confirmed.
// 1 while a device command's transfer runs.
int isDeviceCommandRunning(void);
// 1 when the router confirmed the session id _Sid with the last session
// check or login; 0 from the moment it called the id invalid until a login
// gives a new one.
int isSessionConfirmed(void);
// Back to the state at load (ResetDectPolling): no login under way, no
// back-off, nothing confirmed; no command waiting or running.
void ResetRouterSession(void);
void ResetDeviceCommands(void);

#ifdef __cplusplus
}
#endif

#endif
