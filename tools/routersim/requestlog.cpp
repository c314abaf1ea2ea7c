// The JSON-lines request log (see requestlog.h).
#include "requestlog.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

#include "json.h"

namespace routersim {
namespace {

std::string utcNow() {
    auto now = std::chrono::system_clock::now();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char text[40];
    size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &parts);
    std::snprintf(text + length, sizeof text - length, ".%03dZ", static_cast<int>(ms % 1000));
    return text;
}

std::string paramsJson(const Params& params) {
    JsonObject object;
    for (const auto& [name, value] : params.items)
        object.add(name, name == "password" ? std::string_view("(hidden)") : std::string_view(value));
    return object.str();
}

}  // namespace

RequestLog::~RequestLog() {
    for (FILE* file : files_)
        if (file != stderr) std::fclose(file);
}

bool RequestLog::addDestination(const std::string& path, std::string& error) {
    if (path == "-") {
        std::lock_guard<std::mutex> lock(mutex_);
        files_.push_back(stderr);
        return true;
    }
    FILE* file = std::fopen(path.c_str(), "a");
    if (!file) {
        error = "cannot open log file " + path + ": " + std::strerror(errno);
        return false;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    files_.push_back(file);
    return true;
}

void RequestLog::write(const LogEntry& entry) {
    JsonObject line;
    line.add("time", utcNow())
        .add("method", entry.request->method)
        .add("path", entry.request->path)
        .addRaw("query", paramsJson(entry.request->query))
        .addRaw("form", paramsJson(entry.request->form))
        .add("status", entry.status)
        .add("bytes", static_cast<long long>(entry.bytes));
    if (!entry.fault.empty()) line.add("fault", entry.fault);
    std::string text = line.str() + "\n";

    std::lock_guard<std::mutex> lock(mutex_);
    for (FILE* file : files_) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fflush(file);
    }
}

}  // namespace routersim
