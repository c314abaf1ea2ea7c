// The router's paths on the HTTP server: faults, services, log (see
// server.h).
#include "server.h"

#include <algorithm>
#include <cctype>

#include "connection.h"
#include "homeautoswitch.h"
#include "login.h"

namespace routersim {
namespace {

const char* reasonPhrase(int status) {
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

WebAnswer route(Simulator& simulator, const WebRequest& request) {
    if (request.path == kLoginPath) return answerLogin(request, simulator.sessions);
    if (request.path == kHomeAutoSwitchPath)
        return answerHomeAutoSwitch(request, simulator.sessions, simulator.devices);
    WebAnswer answer;
    answer.status = 404;
    answer.body = "404 Not Found\n";
    return answer;
}

// Sends the head of an answer that announces the whole body, then only
// `keep` bytes of the body, and breaks the connection off.
void sendCutAnswer(const httplib::Request& request, const WebAnswer& answer, size_t keep) {
    Connection connection(request);
    connection.send("HTTP/1.1 " + std::to_string(answer.status) + " " + reasonPhrase(answer.status) +
                    "\r\nContent-Type: " + answer.contentType +
                    "\r\nContent-Length: " + std::to_string(answer.body.size()) +
                    "\r\nConnection: close\r\n\r\n" + answer.body.substr(0, keep));
    connection.shutDown();
}

void serve(Simulator& simulator, const httplib::Request& request, httplib::Response& response) {
    WebRequest web = toWebRequest(request);
    LogEntry entry;
    entry.request = &web;

    std::optional<Fault> fault = simulator.faults.take(web.path);
    if (fault) {
        entry.fault = faultName(fault->kind);
        if (fault->delayMs > 0 && !simulator.faults.pause(fault->delayMs)) {
            Connection(request).shutDown();  // shutting down
            return;
        }
        if (fault->kind == FaultKind::Stall || fault->kind == FaultKind::Drop) {
            simulator.log.write(entry);
            Connection connection(request);
            if (fault->kind == FaultKind::Stall)
                simulator.faults.hold([&] { return connection.isPeerGone(); });
            connection.shutDown();
            return;
        }
    }

    WebAnswer answer;
    if (fault && fault->kind == FaultKind::Error) answer.status = fault->status;
    else answer = route(simulator, web);

    bool truncate = fault && fault->kind == FaultKind::Truncate;
    entry.status = answer.status;
    entry.bytes = answer.body.size();
    if (truncate)
        entry.bytes = fault->keepBytes < 0 ? entry.bytes / 2
                                           : std::min(entry.bytes, static_cast<size_t>(fault->keepBytes));
    simulator.log.write(entry);
    if (truncate) {
        if (fault->cutConnection) {
            sendCutAnswer(request, answer, entry.bytes);
            return;
        }
        answer.body.resize(entry.bytes);
    }
    response.status = answer.status;
    response.set_content(answer.body, answer.contentType.c_str());
}

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

WebRequest toWebRequest(const httplib::Request& request) {
    WebRequest web;
    web.method = request.method;
    web.path = request.path;
    web.client = request.remote_addr;
    size_t question = request.target.find('?');
    if (question != std::string::npos) web.query = parseFormText(request.target.substr(question + 1));
    if (request.method == "POST" &&
        startsWithIgnoringCase(request.get_header_value("Content-Type"),
                               "application/x-www-form-urlencoded"))
        web.form = parseFormText(request.body);
    return web;
}

void serveRouter(httplib::Server& server, Simulator& simulator) {
    auto handler = [&simulator](const httplib::Request& request, httplib::Response& response) {
        serve(simulator, request, response);
    };
    server.Get(".*", handler);
    server.Post(".*", handler);
}

}  // namespace routersim
