// The router link: every request to the home router, made by the external
// HTTP client wget started through the shell, and the session it needs.
//
// - Transfer control: the verdict on a background transfer read from its log
//   (LoadcontrolWget), and ending running transfers (KillTask).
// - Session login: a session id that the router accepts (GetRouterSid, _Sid,
//   cached in ROUTER_SID_CACHE across runs of the plug-in), with the PBKDF2
//   response where the router offers it and the MD5 one otherwise, and a
//   back-off after failed logins.
// - Polling: the device list downloaded once per period (ReadDectDLStatus,
//   _DectTick); the main loop parses it when told.
// - Device commands: toggling a switch socket (setswitchtoggle) and sending a
//   thermostat's target (sethkrtsoll), for the selected record _aktDev,
//   queued and sent one after the other (ReadCommandStatus).
// - What the link knows about the router (_LinkState), which the list screen
//   shows while it has no device.
//
// No request holds the main loop or the key handler: every request runs in
// the background, and later passes of the main loop look at its log.  At
// most two run at a time: one of the poller (check, login, download, one
// after the other) and one device command.
//
// Nothing here reaches the shell unquoted: the router address must look like
// a host name or address with an optional port (anything else is refused, so
// no request is made), every other text that goes into a request is
// percent-encoded as a query value, and the whole URL is single-quoted for
// the shell.  Neither the password nor the login's response appears on a
// command line: the response is computed here and sent in a request body
// read from a file.  Commands are formatted into fixed buffers sized for
// the longest texts the settings and the router can give; a command that
// would not fit is not run.
//
// The main loop calls ReadDectDLStatus and ReadCommandStatus once per pass
// and ReadDectXML when ReadDectDLStatus returns 1; the event handler calls
// KillTask("wget") on the stop event and setswitchtoggle / sethkrtsoll on
// keys.  All of it runs on the plug-in's thread.
#ifndef STECKWART_ROUTER_H
#define STECKWART_ROUTER_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// ---- Files and the transfer program ---------------------------------------

// The HTTP client, as the recorder keeps it; made executable at start.
#define WGET_PATH "/mnt/hd/ProgramFiles/wget"
// Messages of the poller's transfers (session check, login, download), read
// by LoadcontrolWget.
#define TRANSFER_LOG "/tmp/Steckwart.log"
// Messages of the device command that runs.
#define COMMAND_LOG "/tmp/Steckwart-command.log"
// The answer of the session check and of the login.
#define SESSION_ANSWER "/tmp/routersession.xml"
// The login's request body: user name and response, which must not appear
// on a command line; removed once the login has its answer.
#define LOGIN_FORM "/tmp/routerlogin.form"
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

// Reads the log of a background transfer and returns a TransferStatus;
// removes the log on TransferSaved and TransferFailed.  Details in
// LoadcontrolWget.cpp.
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

// Progress of the session check and login.
enum SessionStatus {
    SessionWorking = 0,  // a request runs or the response is being computed: call again
    SessionValid = 1,    // sid holds an id the router confirmed just now
    SessionFailed = 2,   // no valid id this time (see _LinkState for why)
};

// Makes sure sid (capacity SidSize) holds an id the router accepts, in
// steps, one per call (one per main-loop pass): asks the router whether sid
// is valid and, when it is not, logs in with user and password.  Returns a
// SessionStatus.  Logins back off: none before the router's BlockTime has
// passed, and after three failed logins in a row at most one per minute
// until one succeeds.  Details in GetRouterSid.cpp.
int GetRouterSid(char* sid, const char* ip, const char* user, const char* password);

// Capacity of a login digest text: 32 lowercase hex digits and a terminator.
enum { LoginDigestSize = 33 };
// The MD5 login digest: the MD5 of the UTF-16LE form of challenge, "-" and
// password, as 32 lowercase hexadecimal digits.  Details in LoginDigest.cpp.
void LoginDigest(const char* challenge, const char* password, char digest[LoginDigestSize]);

// Ticks of TAP_GetTick in a second (the recorder's tick is 10 ms).
enum { TicksPerSecond = 100 };

// ---- What the link knows ----------------------------------------------------

enum RouterLinkState {
    LinkWaiting = 0,       // no answer from the router yet
    LinkLoginRefused,      // the router refused the user name or password
    LinkUnreachable,       // the last request got no (usable) answer, or no router address
    LinkNoSmartHomeRight,  // the router refused the device list to a valid session
    LinkListReceived,      // the last download brought a device list
};
// The latest of these; LinkWaiting at load.
extern int32_t _LinkState;

// ---- Device-list polling ------------------------------------------------------

// Ticks of TAP_GetTick from one session check and download to the next.
enum { PollPeriodTicks = 200 };

// Tick before which the poller starts no new session check and download; 0
// at load: the first call starts at once.
extern uint32_t _DectTick;
// Downloads that failed one after the other since the last complete list
// (0 at load).  The first failure is restarted at once; later ones wait for
// the polling period and the session check.
extern uint32_t _DectFailures;

// Back to the state at load: no period running, no failures, nothing
// awaited, no login under way or backed off, no command waiting, and
// _LinkState LinkWaiting (a fresh start of the link without reloading the
// plug-in).  Transfers that still run are not stopped.
void ResetDectPolling(void);

// Called once per main-loop pass.  Returns 1 when a download has finished and
// DEVICE_LIST_FILE holds a fresh, complete device list (exactly once per such
// download), 0 otherwise.  Checks the session and starts downloads as
// described in ReadDectDLStatus.cpp.
int ReadDectDLStatus(void);

// ---- Device commands ------------------------------------------------------------

// Toggles the switch socket of the selected record (_aktDev).  Returns 1 when
// the command was queued (it is sent in the background), 0 when it cannot be
// sent: no record selected, the record has no identifier, the router address
// is not valid, or too many commands wait.  The router's answer is not read;
// the new state shows in the next device list.
int setswitchtoggle(void);

// Sends the selected record's effective target, tsoll + tsollDelta, to the
// router (15 is sent as the router's "off" 253, 57 as its "on" 254), then
// sets the record's tsollDelta to 0.  tsoll is left as it is until the next
// device list.  Returns 1 when the command was queued, 0 when it cannot be
// sent (as setswitchtoggle; tsollDelta is then 0 as well when a record was
// selected).  A target still waiting for the same thermostat is replaced.
int sethkrtsoll(void);

// The parameter the router expects for an effective target in half degrees.
uint32_t ThermostatParameter(int32_t target);

// Called once per main-loop pass: judges the command that runs and starts
// the next one waiting.  Returns 1 while a command runs or waits.
int ReadCommandStatus(void);

#ifdef __cplusplus
}
#endif

#endif
