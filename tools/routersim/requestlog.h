// The request log: one JSON line per request to the router's paths, for
// tests and for a developer watching the plug-in talk to the router.
//
//   {"time":"2026-01-02T03:04:05.678Z","method":"GET","path":"/login_sid.lua",
//    "query":{"sid":"…"},"form":{},"status":200,"bytes":312}
//
// "fault" is added when an injected fault shaped the answer ("delay",
// "stall", "error", "drop", "truncate"); a request that got no answer has
// status 0.  A parameter named "password" is never written.  Lines are
// written and flushed before the answer leaves, so a client that has its
// answer finds the line.  Control requests are not logged.
#ifndef ROUTERSIM_REQUESTLOG_H
#define ROUTERSIM_REQUESTLOG_H

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "webservice.h"

namespace routersim {

struct LogEntry {
    const WebRequest* request = nullptr;
    int status = 0;
    size_t bytes = 0;   // body bytes sent
    std::string fault;  // empty: none
};

class RequestLog {
public:
    RequestLog() = default;
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;
    ~RequestLog();

    // Adds a destination: a file, appended to, or "-" for standard error.
    // On failure `error` says why and nothing is added.
    bool addDestination(const std::string& path, std::string& error);
    void write(const LogEntry& entry);

private:
    std::mutex mutex_;
    std::vector<FILE*> files_;
};

}  // namespace routersim

#endif
