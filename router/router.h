// The router link: every request to the home router, made by the external
// HTTP client wget started through the shell, and the session it needs.
//
// - Transfer control: the verdict on a background transfer read from its log
//   (LoadcontrolWget), and ending running transfers (KillTask).
// - Session login: a session id that the router accepts (GetRouterSid, _Sid,
//   cached in ROUTER_SID_CACHE across runs of the plug-in).
// - Polling: the device list downloaded in the background once per period
//   (ReadDectDLStatus, _DectTick); the main loop parses it when told.
// - Device commands: toggling a switch socket (setswitchtoggle) and sending a
//   thermostat's target (sethkrtsoll), for the selected record _aktDev.
//
// Nothing here reaches the shell unquoted: the router address must look like
// a host name or address with an optional port (anything else is refused, so
// no request is made), every other text that goes into a request is
// percent-encoded as a query value, and the whole URL is single-quoted for
// the shell.  The password never leaves the plug-in: the login digest is
// computed here.  Commands are formatted into fixed buffers sized for the
// longest texts the settings and the router can give; a command that would
// not fit is not run.
//
// The main loop calls ReadDectDLStatus once per pass and ReadDectXML when it
// returns 1; the event handler calls KillTask("wget") on the stop event and
// setswitchtoggle / sethkrtsoll on keys.  All of it runs on the plug-in's
// thread; the foreground requests block it for a bounded time (one try with
// a network time-out of 2 seconds for the session check and the login, of
// 1 second for a device command).
#ifndef STECKWART_ROUTER_H
#define STECKWART_ROUTER_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// ---- Files and the transfer program ---------------------------------------

// The HTTP client, as the recorder keeps it; made executable at start.
#define WGET_PATH "/mnt/hd/ProgramFiles/wget"
// Messages of the background download, read by LoadcontrolWget.
#define TRANSFER_LOG "/tmp/Steckwart.log"
// The background download writes here; a complete list is then renamed to
// DEVICE_LIST_FILE (devices.h), so that the parser never reads a list that
// is still being written or was cut short.
#define DEVICE_LIST_DOWNLOAD "/tmp/Dect.xml.part"
// The last session id the router gave, 16 characters without terminator.
#define ROUTER_SID_CACHE "/tmp/routersid"

// ---- Transfer control ------------------------------------------------------

// The verdict on a background transfer.
enum TransferStatus {
    TransferRunning = 0,  // no verdict in the log yet, and a wget process exists; log kept
    TransferSaved = 1,    // the log reports the document saved; log removed
    TransferNoLog = 2,    // no log: nothing started since the last verdict
    TransferFailed = 3,   // the log reports an error, or wget ended without a verdict; log removed
};

// Reads the log of a background transfer (the poller passes TRANSFER_LOG)
// and returns a TransferStatus; removes the log on TransferSaved and
// TransferFailed.  Details in LoadcontrolWget.cpp.
int LoadcontrolWget(const char* logPath);

// Ends every process whose line in the process list ("ps") contains pattern;
// never the plug-in's own process.  An empty pattern ends nothing.
void KillTask(const char* pattern);

// ---- Session login ----------------------------------------------------------

enum {
    SidLength = 16,
    SidSize = SidLength + 1,
};
// The answer text of an invalid session: sixteen zeros.
#define INVALID_SID "0000000000000000"

// The current session id; empty at start, INVALID_SID after a refused login.
extern char _Sid[SidSize];

// Makes sure sid (capacity SidSize) holds an id to use: asks the router
// whether sid is still valid and, when the router says it is not, logs in
// with user and password.  Returns 1 when sid holds an id to use (also when
// the router did not answer the check, and INVALID_SID when the router
// refused the credentials), 0 when no id could be obtained (sid then holds
// what it held, or is empty after a login answer without id).  0 without any
// request when ip is not a router address.  Details in GetRouterSid.cpp.
int GetRouterSid(char* sid, const char* ip, const char* user, const char* password);

// Capacity of a login digest text: 32 lowercase hex digits and a terminator.
enum { LoginDigestSize = 33 };
// The login digest: the MD5 of the bytes of challenge, "-" and password, each
// byte followed by a zero byte (UTF-16LE for ISO-8859-1 texts), as 32
// lowercase hexadecimal digits.
void LoginDigest(const char* challenge, const char* password, char digest[LoginDigestSize]);

// ---- Device-list polling ------------------------------------------------------

// Ticks of TAP_GetTick from one download start to the next.
enum { PollPeriodTicks = 200 };

// Tick before which the poller starts no new download; 0 at load: the first
// call starts one at once.
extern uint32_t _DectTick;
// Downloads that failed one after the other since the last complete list
// (0 at load).  The first failure is restarted at once; later ones wait for
// the polling period and the session check.
extern uint32_t _DectFailures;

// Back to the state at load: no period running, no failures, no download
// awaited (a fresh start of the poller without reloading the plug-in).
void ResetDectPolling(void);

// Called once per main-loop pass.  Returns 1 when a download has finished and
// DEVICE_LIST_FILE holds a fresh, complete device list (exactly once per such
// download), 0 otherwise.  Starts downloads as described in
// ReadDectDLStatus.cpp.
int ReadDectDLStatus(void);

// ---- Device commands ------------------------------------------------------------

// Toggles the switch socket of the selected record (_aktDev).  Returns 1 when
// the command was run, 0 when nothing was sent: no record selected, the
// record has no identifier, the router address is not valid, or the command
// could not be started.  The router's answer is not read; the new state shows
// in the next device list.
int setswitchtoggle(void);

// Sends the selected record's effective target, tsoll + tsollDelta, to the
// router (15 is sent as the router's "off" 253, 57 as its "on" 254), then
// sets the record's tsollDelta to 0.  tsoll is left as it is until the next
// device list.  Returns 1 when the command was run, 0 when nothing was sent
// (as setswitchtoggle; tsollDelta is then 0 as well when a record was
// selected).
int sethkrtsoll(void);

// The parameter the router expects for an effective target in half degrees.
uint32_t ThermostatParameter(int32_t target);

#ifdef __cplusplus
}
#endif

#endif
