// LoadcontrolWget: the verdict on a background transfer, read from the
// messages wget wrote into its log (English: the download runs with
// LC_ALL=C).
//
// Contract: logPath is the log's path.  Returns
// - TransferNoLog (2) when the log cannot be opened; nothing else is done;
// - TransferSaved (1) when the log says "saved" anywhere (also next to an
//   error); the log is removed;
// - TransferFailed (3) when it holds one of the error texts below, or when it
//   holds no verdict and no process named wget exists any more; the log is
//   removed;
// - TransferRunning (0) when it holds no verdict yet and a wget runs; the
//   log is kept.
// At most 8191 bytes of the log are read; zero bytes in it count as blanks.
//
// Connection failures that wget moves on from are not verdicts: a host name
// may stand for several addresses (an IPv6 and an IPv4 one), and wget reports
// each address it cannot reach ("failed: Network is unreachable.", "failed:
// Address family not supported by protocol." on a box without IPv6) before
// it tries the next ("Connecting to ...").  So a "failed:" line counts only
// once wget has ended and no later attempt follows it; the "Address family"
// line never counts (alone, it leaves a transfer that ended without a
// verdict: failed).
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "transfer.h"

enum { LogReadMax = 8191 };

// The log and its terminators: static, read once per call.
static char LogText[LogReadMax + 2];

// Texts with which wget reports a failed transfer.
static const char* const ErrorTexts[] = {
    "error", "Giving up", "Connection closed", "ERROR", "Network is unreachable", "failed:",
};

static const char ConnectFailure[] = "failed:";
static const char NoAddressFamily[] = "failed: Address family not supported by protocol";
static const char NextAttempt[] = "Connecting to ";

// 1 when a process named wget exists (pidof's exit status 0).
static int isWgetRunning(void) { return system("pidof wget >/dev/null 2>&1") == 0; }

// The last occurrence of pattern in text, or null.
static char* findLast(char* text, const char* pattern) {
    char* last = 0;
    for (char* at = strstr(text, pattern); at; at = strstr(at + 1, pattern)) last = at;
    return last;
}

static void blankLine(char* at) {
    for (; *at && *at != '\n'; at++) *at = ' ';
}

// Blanks the connection failures that are not (yet) the transfer's verdict,
// so that no error text finds them.
static void dropPassedFailures(char* text, int running) {
    for (char* at = strstr(text, NoAddressFamily); at; at = strstr(at + 1, NoAddressFamily))
        blankLine(at);
    char* lastAttempt = running ? 0 : findLast(text, NextAttempt);
    for (char* at = strstr(text, ConnectFailure); at; at = strstr(at + 1, ConnectFailure))
        if (running || (lastAttempt && at < lastAttempt)) blankLine(at);
}

static int hasErrorText(const char* text) {
    for (size_t i = 0; i < sizeof ErrorTexts / sizeof ErrorTexts[0]; i++)
        if (strstr(text, ErrorTexts[i])) return 1;
    return 0;
}

// The status of wget's "ERROR <status>:" line, or 0 when there is none.
static int httpStatusOf(const char* text) {
    for (const char* at = strstr(text, "ERROR "); at; at = strstr(at + 1, "ERROR ")) {
        const char* digits = at + 6;
        if (digits[0] >= '1' && digits[0] <= '5' && digits[1] >= '0' && digits[1] <= '9' &&
            digits[2] >= '0' && digits[2] <= '9' && digits[3] == ':')
            return (digits[0] - '0') * 100 + (digits[1] - '0') * 10 + (digits[2] - '0');
    }
    return 0;
}

extern "C" int JudgeTransferLog(const char* logPath, int endedWhen, int* httpStatus) {
    if (httpStatus) *httpStatus = 0;
    if (!logPath) return TransferNoLog;
    FILE* log = fopen(logPath, "rb");
    if (!log) return TransferNoLog;
    // Asked before the log is read: a transfer that ends in between has
    // written its verdict by then.
    int running = endedWhen == EndedWhenNoWgetRuns ? isWgetRunning() : 1;
    size_t length = fread(LogText, 1, LogReadMax, log);
    fclose(log);
    for (size_t i = 0; i < length; i++)
        if (LogText[i] == 0) LogText[i] = ' ';
    LogText[length] = '\n';
    LogText[length + 1] = 0;
    if (endedWhen == EndedWhenMarked) {
        // The whole log is there only once it ends with the mark.
        if (!strstr(LogText, TRANSFER_END_MARK)) return TransferRunning;
        running = 0;
    }

    if (strstr(LogText, "saved")) {
        remove(logPath);
        return TransferSaved;
    }
    dropPassedFailures(LogText, running);
    if (hasErrorText(LogText) || !running) {
        if (httpStatus) *httpStatus = httpStatusOf(LogText);
        remove(logPath);
        return TransferFailed;
    }
    return TransferRunning;
}

extern "C" int LoadcontrolWget(const char* logPath) {
    return JudgeTransferLog(logPath, EndedWhenNoWgetRuns, 0);
}
