// Fault rules and the waiting they cause (see faults.h).
#include "faults.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>

#include "json.h"

namespace routersim {
namespace {

// How often a stalled request looks whether its client is still there.
constexpr auto kStallPollInterval = std::chrono::milliseconds(100);

// A whole decimal number in [low, high].
bool parseNumber(const std::string& text, long low, long high, long& value) {
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::strtol(text.c_str(), nullptr, 10);
    return value >= low && value <= high;
}

}  // namespace

const char* faultName(FaultKind kind) {
    switch (kind) {
    case FaultKind::Delay: return "delay";
    case FaultKind::Stall: return "stall";
    case FaultKind::Error: return "error";
    case FaultKind::Drop: return "drop";
    case FaultKind::Truncate: return "truncate";
    }
    return "?";
}

bool parseFault(const Params& params, Fault& fault, std::string& error) {
    fault = Fault();
    const std::string* kind = params.find("kind");
    const FaultKind kinds[] = {FaultKind::Delay, FaultKind::Stall, FaultKind::Error,
                               FaultKind::Drop, FaultKind::Truncate};
    auto known = std::find_if(std::begin(kinds), std::end(kinds),
                              [&](FaultKind k) { return kind && *kind == faultName(k); });
    if (known == std::end(kinds)) {
        error = "kind must be delay, stall, error, drop or truncate";
        return false;
    }
    fault.kind = *known;

    long value = 0;
    if (const std::string* path = params.find("path")) {
        if (path->empty() || (*path)[0] != '/') {
            error = "path must begin with /";
            return false;
        }
        fault.path = *path;
    }
    if (const std::string* count = params.find("count")) {
        if (!parseNumber(*count, 1, INT_MAX, value)) {
            error = "count must be a number of requests, 1 or more";
            return false;
        }
        fault.remaining = static_cast<int>(value);
    }
    if (const std::string* ms = params.find("ms")) {
        if (!parseNumber(*ms, 0, 3600000, value)) {
            error = "ms must be 0 to 3600000";
            return false;
        }
        fault.delayMs = static_cast<int>(value);
    } else if (fault.kind == FaultKind::Delay) {
        error = "delay needs ms=N";
        return false;
    }
    if (const std::string* status = params.find("status")) {
        if (!parseNumber(*status, 200, 599, value)) {
            error = "status must be an HTTP status, 200 to 599";
            return false;
        }
        fault.status = static_cast<int>(value);
    }
    if (const std::string* bytes = params.find("bytes")) {
        if (!parseNumber(*bytes, 0, LONG_MAX, value)) {
            error = "bytes must be a byte count";
            return false;
        }
        fault.keepBytes = value;
    }
    if (const std::string* mode = params.find("mode")) {
        if (*mode != "body" && *mode != "connection") {
            error = "mode must be body or connection";
            return false;
        }
        fault.cutConnection = *mode == "connection";
    }
    return true;
}

std::string faultJson(const Fault& fault) {
    JsonObject object;
    object.add("id", fault.id)
        .add("kind", faultName(fault.kind))
        .add("path", fault.path)
        .add("remaining", fault.remaining)
        .add("ms", fault.delayMs);
    if (fault.kind == FaultKind::Error) object.add("status", fault.status);
    if (fault.kind == FaultKind::Truncate)
        object.add("bytes", static_cast<long long>(fault.keepBytes))
            .add("mode", fault.cutConnection ? "connection" : "body");
    return object.str();
}

int Faults::add(Fault fault) {
    std::lock_guard<std::mutex> lock(mutex_);
    fault.id = nextId_++;
    faults_.push_back(fault);
    return fault.id;
}

void Faults::clear() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        faults_.clear();
        ++clearings_;
    }
    changed_.notify_all();
}

std::optional<Fault> Faults::take(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto rule = std::find_if(faults_.begin(), faults_.end(),
                             [&](const Fault& f) { return f.path.empty() || f.path == path; });
    if (rule == faults_.end()) return std::nullopt;
    Fault taken = *rule;
    if (rule->remaining > 0 && --rule->remaining == 0) faults_.erase(rule);
    return taken;
}

bool Faults::pause(int ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    return !changed_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return stopping_; });
}

void Faults::hold(const std::function<bool()>& isPeerGone) {
    std::unique_lock<std::mutex> lock(mutex_);
    unsigned clearings = clearings_;
    while (!stopping_ && clearings_ == clearings) {
        changed_.wait_for(lock, kStallPollInterval);
        if (isPeerGone()) break;
    }
}

void Faults::stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
}

std::string Faults::json() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string list = "[";
    for (const Fault& fault : faults_) {
        if (list.size() > 1) list += ',';
        list += faultJson(fault);
    }
    return list + "]";
}

}  // namespace routersim
