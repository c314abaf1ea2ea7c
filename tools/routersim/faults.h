// Injected faults: rules, switched on and off through the control interface
// while the simulator runs, that spoil the answers to the router's paths.
//
//   delay     wait `delayMs`, then answer normally
//   stall     take the request and never answer; the connection is dropped
//             once the faults are cleared or the client gives up
//   error     answer with HTTP `status` (500) and an empty body, nothing done
//   drop      close the connection without an answer, nothing done
//   truncate  do the request, but send only `keepBytes` (default half) of
//             the body: as a shorter, complete answer, or with
//             `cutConnection` as an answer that announces the full length
//             and breaks off after the cut
// Any rule may also carry a delay.  A rule applies to every router path or
// to one, for every request or the next `remaining` ones.  The first rule
// that matches a request decides.  All members are thread-safe.
#ifndef ROUTERSIM_FAULTS_H
#define ROUTERSIM_FAULTS_H

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "webservice.h"

namespace routersim {

enum class FaultKind { Delay, Stall, Error, Drop, Truncate };

struct Fault {
    int id = 0;
    FaultKind kind = FaultKind::Delay;
    std::string path;            // empty: every router path
    int remaining = -1;          // requests left; -1: until cleared
    int delayMs = 0;
    int status = 500;            // error
    long keepBytes = -1;         // truncate; -1: half the body
    bool cutConnection = false;  // truncate
};

const char* faultName(FaultKind kind);

// Reads a rule from control parameters: kind=delay|stall|error|drop|truncate,
// and optionally path=/…, count=N, ms=N, status=N (error), bytes=N and
// mode=body|connection (truncate).  On failure `error` says what is wrong.
bool parseFault(const Params& params, Fault& fault, std::string& error);

class Faults {
public:
    // Adds a rule behind the others; returns its id.
    int add(Fault fault);
    // Removes every rule and releases stalled requests.
    void clear();
    // The rule for a request to `path`, counted as used, or none.
    std::optional<Fault> take(const std::string& path);

    // Waits `ms`; false when the simulator stops meanwhile.
    bool pause(int ms);
    // Holds a stalled request until the rules are cleared, `isPeerGone`
    // says the client left, or the simulator stops.
    void hold(const std::function<bool()>& isPeerGone);
    // Wakes every waiting request for shutdown.
    void stop();

    // [{"id":1,"kind":"delay","path":"","remaining":-1,"ms":500,…},…]
    std::string json() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Fault> faults_;
    int nextId_ = 1;
    unsigned clearings_ = 0;
    bool stopping_ = false;
};

std::string faultJson(const Fault& fault);

}  // namespace routersim

#endif
