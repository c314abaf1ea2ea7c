// ReadDectDLStatus: keeps the device list current by downloading it from the
// router in the background, once per polling period; called once per pass of
// the main loop.
//
// Contract: returns 1 exactly once per finished download whose list is
// complete (it ends with </devicelist>): that list has then been renamed from
// DEVICE_LIST_DOWNLOAD to DEVICE_LIST_FILE, where the next download cannot
// touch it, and the main loop parses it.  Returns 0 otherwise.
//
// Each call judges the transfer log (LoadcontrolWget):
// - running, or no log yet from a download just started (wget writes its
//   log itself): nothing more is done; a download whose log has not appeared
//   within two periods (wget could not be run) has failed;
// - saved with a complete list: result 1; saved with a list cut short, or
//   failed: the download failed;
// - no log: idle.
// The first failure after a complete list is taken as passing: the download
// is restarted at once with the same session.  A failure after that waits
// for the polling period like an idle poller, so that a router that keeps
// failing is asked once per period, and a session the router dropped (a
// reboot, an expiry: every download is refused) is checked and renewed
// within a couple of periods.
// When the period has passed (_DectTick; the first call starts at once), the
// session is checked and renewed when needed (GetRouterSid, which may block
// for a few seconds), and the next download is started unless no session id
// could be obtained or the router refused the credentials (INVALID_SID: a
// download could only be refused too).  The period counts from the start of
// one download to the start of the next, so that the main loop runs freely
// for a whole period between two session checks even when a check waited
// for its time-out.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "command.h"
#include "devices.h"
#include "router.h"
#include "settings.h"
#include "tap.h"

extern "C" {
uint32_t _DectTick = 0;
uint32_t _DectFailures = 0;
}

static const char DownloadPath[] = "/webservices/homeautoswitch.lua?switchcmd=getdevicelistinfos&sid=";
static const char ListEnd[] = "</devicelist>";

// A download was started and has not been judged yet, since this tick.
static int downloadPending = 0;
static uint32_t downloadStart = 0;

// Starts the download of the device list in the background with the session
// id the plug-in holds; the shell returns at once.
static void startDownload(void) {
    char urlText[RouterUrlSize];
    char command[RouterCommandSize];
    CommandText url;
    if (!RouterUrlStart(&url, urlText, sizeof urlText, _ip, DownloadPath)) return;
    CommandAddQueryValue(&url, _Sid);
    if (!WgetCommand(command, sizeof command, WGET_DOWNLOAD, &url, " >/dev/null 2>&1 &")) return;
    system(command);
    downloadPending = 1;
    downloadStart = TAP_GetTick();
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

extern "C" void ResetDectPolling(void) {
    _DectTick = 0;
    _DectFailures = 0;
    downloadPending = 0;
}

extern "C" int ReadDectDLStatus(void) {
    int status = LoadcontrolWget(TRANSFER_LOG);
    int result = 0;

    if (status == TransferNoLog && downloadPending) {
        if (TAP_GetTick() - downloadStart < 2 * PollPeriodTicks) return 0;
        status = TransferFailed;
    }
    if (status == TransferRunning) return 0;
    downloadPending = 0;
    if (status == TransferSaved) {
        if (takeList()) {
            _DectFailures = 0;
            result = 1;
        } else {
            status = TransferFailed;
        }
    }
    if (status == TransferFailed) {
        _DectFailures++;
        if (_DectFailures == 1) {
            startDownload();
            return 0;
        }
    } else if (status != TransferSaved && status != TransferNoLog) {
        return 0;
    }

    if (!isPollDue(TAP_GetTick())) return result;
    // Set before the session check too, so that a check that cannot be
    // made is not retried before the period has passed.
    _DectTick = TAP_GetTick() + PollPeriodTicks;
    if (GetRouterSid(_Sid, _ip, _routeruser, _routerpwd) && strcmp(_Sid, INVALID_SID) != 0) {
        _DectTick = TAP_GetTick() + PollPeriodTicks;
        startDownload();
    }
    return result;
}
