// ReadDectDLStatus: keeps the device list current by downloading it from the
// router in the background, once per polling period, after a session check;
// called once per pass of the main loop, never waiting for the router.
//
// Contract: returns 1 exactly once per finished download whose list is
// complete (it ends with </devicelist>): that list has then been renamed from
// DEVICE_LIST_DOWNLOAD to DEVICE_LIST_FILE, where the next download cannot
// touch it, and the main loop parses it.  Returns 0 otherwise.
//
// Each call first judges the running download (TransferVerdict):
// - running: nothing more is done;
// - saved with a complete list: result 1, _LinkState LinkListReceived;
// - saved with a list cut short, or failed: the download failed.  A refusal
//   (HTTP 403) of the id the router has just confirmed is
//   LinkNoSmartHomeRight, a download that got no answer LinkUnreachable.
// The first failure after a complete list is taken as passing: the download
// is restarted at once with the same session.  A failure after that waits
// for the polling period like an idle poller, so that a router that keeps
// failing is asked once per period, and a session the router dropped (a
// reboot, an expiry: every download is refused) is checked and renewed
// within a couple of periods.
// While a session check or login is under way (GetRouterSid, over several
// passes), each call takes it one step further; once the router has
// confirmed the id, the download starts.  When the period has passed
// (_DectTick; the first call starts at once) and nothing runs, the next
// session check starts.  The period counts from the start of one session
// check to the start of the next.
#include <stdio.h>
#include <string.h>

#include "command.h"
#include "devices.h"
#include "settings.h"
#include "tap.h"
#include "transfer.h"

extern "C" {
uint32_t _DectTick = 0;
uint32_t _DectFailures = 0;
}

static const char DownloadPath[] = "/webservices/homeautoswitch.lua?switchcmd=getdevicelistinfos&sid=";
static const char ListEnd[] = "</devicelist>";
enum { ForbiddenStatus = 403 };

static Transfer download = {TRANSFER_LOG, 0, 0, 0};
// GetRouterSid is at work for this period.
static int sessionRunning = 0;

// Starts the download of the device list in the background with the session
// id the plug-in holds.
static void startDownload(void) {
    char urlText[RouterUrlSize];
    CommandText url;
    if (!RouterUrlStart(&url, urlText, sizeof urlText, _ip, DownloadPath)) return;
    CommandAddQueryValue(&url, _Sid);
    TransferStart(&download, "-T3 -O " DEVICE_LIST_DOWNLOAD " ", &url);
}

// 1 when the downloaded list ends with the list's closing tag: a router that
// breaks off an answer leaves it out, and the parser would read fewer
// devices than there are.
static int isListComplete(void) {
    FILE* list = fopen(DEVICE_LIST_DOWNLOAD, "rb");
    if (!list) return 0;
    char tail[64 + 1];
    size_t length = 0;
    if (fseek(list, -(long)(sizeof tail - 1), SEEK_END) != 0) rewind(list);
    length = fread(tail, 1, sizeof tail - 1, list);
    fclose(list);
    tail[length] = 0;
    return strstr(tail, ListEnd) != 0;
}

// Moves a complete list where the parser reads it.  Returns 1 when done.
static int takeList(void) {
    if (!isListComplete()) return 0;
    return rename(DEVICE_LIST_DOWNLOAD, DEVICE_LIST_FILE) == 0;
}

// 1 when the period has passed.  The tick counter may wrap around; the
// difference tells which tick is later.
static int isPollDue(uint32_t now) {
    return _DectTick == 0 || (int32_t)(now - _DectTick) > 0;
}

static void noteDownloadFailure(void) {
    if (download.httpStatus == ForbiddenStatus && isSessionConfirmed())
        _LinkState = LinkNoSmartHomeRight;
    else if (download.httpStatus == 0)
        _LinkState = LinkUnreachable;
}

// One step of the session check or login; starts the download once the
// router has confirmed the id.
static void stepSession(void) {
    int session = GetRouterSid(_Sid, _ip, _routeruser, _routerpwd);
    if (session == SessionWorking) return;
    sessionRunning = 0;
    if (session == SessionValid) startDownload();
}

extern "C" void ResetDectPolling(void) {
    _DectTick = 0;
    _DectFailures = 0;
    download.pending = 0;
    sessionRunning = 0;
    ResetRouterSession();
    ResetDeviceCommands();
}

extern "C" int ReadDectDLStatus(void) {
    int status = TransferVerdict(&download);
    int result = 0;
    if (status == TransferRunning) return 0;
    if (status == TransferSaved) {
        if (takeList()) {
            _DectFailures = 0;
            _LinkState = LinkListReceived;
            result = 1;
        } else {
            status = TransferFailed;
        }
    }
    if (status == TransferFailed) {
        noteDownloadFailure();
        if (++_DectFailures == 1) {
            startDownload();
            return 0;
        }
    }

    if (sessionRunning) {
        stepSession();
        return result;
    }
    const uint32_t now = TAP_GetTick();
    if (!isPollDue(now)) return result;
    _DectTick = now + PollPeriodTicks;
    sessionRunning = 1;
    stepSession();
    return result;
}
