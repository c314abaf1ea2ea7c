// KillTask: ends every process whose line in the process list contains a
// text; the event handler ends all transfers with it ("wget") when the
// firmware stops the plug-in.
//
// Contract: runs "ps" through the shell and reads its output line by line.
// A line that contains pattern names its process by the decimal number at
// its start (after blanks); that process gets SIGTERM.  Lines are read in
// pieces of 255 bytes: the number is taken from a line's first piece only
// (a later piece of a long command line may begin with any digits), and
// the pattern is found across piece boundaries.  Never signalled: the
// plug-in's own process, process ids 0 and 1 (0 would mean the whole process
// group), and numbers that are no process id.  An empty or null pattern, a
// pattern longer than 255 bytes, or a "ps" that cannot be started ends
// nothing.
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "router.h"

enum {
    PieceBytes = 255,
    LongestPattern = 255,
};

// The process id at the start of a line, or 0 when the line has none.
static pid_t lineProcess(const char* line) {
    while (*line == ' ' || *line == '\t') line++;
    if (*line < '0' || *line > '9') return 0;
    char* end;
    unsigned long number = strtoul(line, &end, 10);
    if (number > 0x7FFFFFFFul) return 0;
    return (pid_t)number;
}

static void endProcess(pid_t process) {
    if (process <= 1 || process == getpid()) return;
    kill(process, SIGTERM);
}

extern "C" void KillTask(const char* pattern) {
    if (!pattern || !pattern[0]) return;
    size_t patternLength = strlen(pattern);
    if (patternLength > LongestPattern) return;

    FILE* list = popen("ps", "r");
    if (!list) return;

    // The tail of the previous piece of the same line (pattern length - 1
    // bytes) stays in front of the next piece, so that a pattern cut by a
    // piece boundary is still found.
    char text[LongestPattern + PieceBytes + 1];
    size_t carried = 0;
    pid_t process = 0;
    int matched = 0;
    int lineStart = 1;
    while (fgets(text + carried, PieceBytes + 1, list)) {
        size_t length = strlen(text);
        if (lineStart) process = lineProcess(text);
        if (strstr(text, pattern)) matched = 1;
        if (length > 0 && text[length - 1] == '\n') {
            if (matched) endProcess(process);
            matched = 0;
            carried = 0;
            lineStart = 1;
        } else {
            carried = patternLength - 1 < length ? patternLength - 1 : length;
            memmove(text, text + length - carried, carried);
            lineStart = 0;
        }
    }
    if (!lineStart && matched) endProcess(process);
    pclose(list);
}
