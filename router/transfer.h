// Background transfers of the router link: wget started through the shell
// with "&", watched through its own log on later main-loop passes, so that no
// request ever holds the main loop or the key handler.  Not part of the
// router link's interface.
//
// Two run at most at the same time, each with a log of its own: the poller's
// (session check, login and device-list download, one after the other, in
// TRANSFER_LOG) and a device command's (COMMAND_LOG).  Each log tells when
// its own wget has ended, so a look at it costs no process; KillTask("wget")
// ends both transfers (and their shells, whose command lines name wget).
#ifndef STECKWART_ROUTER_TRANSFER_H
#define STECKWART_ROUTER_TRANSFER_H

#include <stdint.h>

#include "command.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
    const char* log;    // its wget log
    int pending;        // started and not judged yet
    uint32_t started;   // tick of the start
    int httpStatus;     // the HTTP status that refused the last failed transfer; 0: none came
} Transfer;

// Network time-out of a request: current routers may take seconds to
// answer a login while they are busy.
#define WGET_TIMEOUT "-T10 "
// What the shell appends to a transfer's log once wget has ended, whatever
// the way: the log is then complete.  None of wget's verdict texts.
#define TRANSFER_END_MARK "[transfer ended]"

// Starts "wget <options> '<url>'" in the background: one try, its messages
// in English (LC_ALL=C: the log is judged by its text) written by wget itself
// into the transfer's log, followed by TRANSFER_END_MARK when wget has ended
// (also when it could not be run at all), and the URL sent byte for byte as
// built (--no-iri: wget would otherwise decode and re-encode percent
// escapes).  options are the program's own texts, e.g.
// WGET_TIMEOUT "-O /tmp/x ".  The old log is removed first.  Returns 1 when
// started, 0 when the command could not be formed (nothing is run).
int TransferStart(Transfer* transfer, const char* options, const CommandText* url);

// The verdict on the transfer: TransferRunning while it runs, TransferSaved
// or TransferFailed once its log ends with the end mark (the log is then
// removed, and httpStatus tells a refusal), TransferNoLog when none was
// started since the last verdict.  No process is started to find out.  A
// transfer that has not ended within TransferLongestTicks (its shell was
// ended from outside; wget's time-outs end it long before) has failed.
int TransferVerdict(Transfer* transfer);

enum { TransferLongestTicks = 60 * TicksPerSecond };

// How JudgeTransferLog knows that wget has ended.
enum {
    EndedWhenNoWgetRuns,  // no process named wget exists (LoadcontrolWget)
    EndedWhenMarked,      // the log holds TRANSFER_END_MARK (TransferVerdict)
};
// The verdict of LoadcontrolWget on the log at logPath, ended as endedWhen
// says; on TransferFailed *httpStatus (when given) is the status of wget's
// "ERROR <status>:" line, 0 when the log has none (no answer came).
int JudgeTransferLog(const char* logPath, int endedWhen, int* httpStatus);

// Reads at most capacity - 1 bytes of a transfer's document into text,
// terminated; zero bytes become blanks.  Returns 1 when the file could be
// read (text is empty otherwise).
int ReadTransferAnswer(const char* path, char* text, uint32_t capacity);

#ifdef __cplusplus
}
#endif

#endif
