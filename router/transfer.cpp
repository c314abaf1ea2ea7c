// Background transfers of the router link (contracts in transfer.h).
#include <stdio.h>
#include <stdlib.h>

#include "tap.h"
#include "transfer.h"

#define WGET_BACKGROUND "(LC_ALL=C " WGET_PATH " --no-iri -t1 -o "

extern "C" int TransferStart(Transfer* transfer, const char* options, const CommandText* url) {
    char text[RouterCommandSize];
    CommandText command;
    CommandStart(&command, text, sizeof text);
    CommandAdd(&command, WGET_BACKGROUND);
    CommandAdd(&command, transfer->log);
    CommandAdd(&command, " ");
    CommandAdd(&command, options);
    CommandAddQuoted(&command, url->text);
    CommandAdd(&command, " >/dev/null 2>&1; echo '" TRANSFER_END_MARK "' >>");
    CommandAdd(&command, transfer->log);
    CommandAdd(&command, ") >/dev/null 2>&1 &");
    if (!isCommandComplete(url) || !isCommandComplete(&command)) return 0;
    // A log left behind must not be taken for this transfer's.
    remove(transfer->log);
    system(text);
    transfer->pending = 1;
    transfer->started = TAP_GetTick();
    transfer->httpStatus = 0;
    return 1;
}

extern "C" int TransferVerdict(Transfer* transfer) {
    if (!transfer->pending) return TransferNoLog;
    int status = JudgeTransferLog(transfer->log, EndedWhenMarked, &transfer->httpStatus);
    if (status == TransferNoLog || status == TransferRunning) {
        if (TAP_GetTick() - transfer->started < TransferLongestTicks) return TransferRunning;
        remove(transfer->log);
        status = TransferFailed;
    }
    transfer->pending = 0;
    return status;
}

extern "C" int ReadTransferAnswer(const char* path, char* text, uint32_t capacity) {
    if (capacity == 0) return 0;
    text[0] = 0;
    FILE* file = fopen(path, "rb");
    if (!file) return 0;
    size_t length = fread(text, 1, capacity - 1, file);
    fclose(file);
    text[length] = 0;
    // A zero byte would hide what follows it from the tag search; the
    // router's XML never holds one.
    for (size_t i = 0; i < length; i++)
        if (text[i] == 0) text[i] = ' ';
    return 1;
}
