// Helpers shared by the router link of this folder: building shell commands
// and URLs in fixed buffers, safely quoted, and running them.  Not part of
// the router link's interface.
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

// Buffer sizes: the longest URL is the login's (address of 63 characters, a
// user name of 63 and a challenge of 31, each byte percent-encoded to three,
// the 32-digit digest, about 420 bytes); a command adds the client's options
// and the quotes to it.
enum {
    RouterUrlSize = 512,
    RouterCommandSize = 1024,
    RouterAnswerSize = 512,  // bytes of a router answer read and used
    ChallengeSize = 32,      // at most 31 characters of the router's challenge
};

// The client's options.  The session check and login wait in the foreground
// and must not freeze the plug-in for long: one try, a 2-second network
// time-out.  A device command waits in the event handler: one try, 1 second.
// The background download: one try, 3 seconds, its messages in English (its
// log is judged by text) and written by wget itself (-o), so that a log
// exists only once wget runs: a log without verdict and without a wget
// process then always means that the download ended.
#define WGET_FOREGROUND WGET_PATH " -T2 -t1 -q -O - "
#define WGET_COMMAND WGET_PATH " -T1 -t1 -q -O - "
#define WGET_DOWNLOAD \
    "LC_ALL=C " WGET_PATH " -T3 -t1 -o " TRANSFER_LOG " -O " DEVICE_LIST_DOWNLOAD " "

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

// Formats "<prefix>'<url>'<suffix>" into buffer.  Returns 1 when the url
// and the command are complete, 0 when something did not fit.
int WgetCommand(char* buffer, uint32_t capacity, const char* prefix, const CommandText* url,
                const char* suffix);

// Runs command through the shell and reads at most capacity - 1 bytes of its
// standard output into answer, terminated.  Returns 1 when the command could
// be started, 0 when not (answer is then empty).
int ReadCommandAnswer(const char* command, char* answer, uint32_t capacity);

// The record _aktDev selects, when it is one of the records in use (the list
// ends at the first empty name); null for none.
DeviceRecord* SelectedDevice(void);

// Sends a command for one device to the router's home-automation service and
// waits for it (one try, 1-second time-out); the answer is not read.  param,
// when given, is sent as "param=".  Returns 1 when the command was run, 0
// when nothing was sent: no device, an empty identifier, no router address,
// or a command that cannot be formed.
int SendDeviceCommand(const DeviceRecord* device, const char* switchcmd, const char* param);

#ifdef __cplusplus
}
#endif

#endif
