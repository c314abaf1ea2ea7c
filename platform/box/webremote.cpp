// The web front end: serves on 127.0.0.1 a page with the live TV screen and
// a remote control (remote.html, built into boxsim).  Its HTTP interface,
// also handy with curl:
//   GET  /                the page
//   GET  /state?since=V   {"version":V,"ended":false,"result":null}: at once
//                         when the screen's version is not V or the plug-in
//                         has ended, otherwise after at most 10 s
//   GET  /screen.png      the screen as PNG, ETag "V"; 304 without a body
//                         when If-None-Match names the current version
//   POST /key  name=NAME  a remote-control key by its key-script name (ok,
//                         next, previous, info, exit, lower, raise, up, down,
//                         left, right, 0 … 9); 400 for another name, 409 once
//                         the plug-in has ended
//   POST /stop            the firmware's stop event (202)
// The version counts changes of the picture, not syncs: the plug-in syncs on
// every pass, but a PNG is encoded only for a picture that differs from the
// last one and only when somebody asks for it.  POSTs made by pages of other
// origins are refused (403), so another web site cannot press keys.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include <httplib.h>

#include "frontend.h"
#include "snapshot.h"
#include "tapsim.h"

namespace boxsim {

extern const char kRemotePage[];  // remote.html, built in by CMake

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr size_t kScreenPixels = size_t{TAP_ScreenWidth} * TAP_ScreenHeight;
// A long poll answers at the latest after this, so proxies and browsers
// never give up on it.
constexpr milliseconds kLongPoll(10000);
// How often a waiting long poll looks at the screen.
constexpr milliseconds kPollInterval(25);
// Once the plug-in has ended: how long boxsim waits for an open page to ask,
// and how long it serves on after telling it (the last screen, the message).
constexpr milliseconds kWaitForPage(5000);
constexpr milliseconds kServeAfterTelling(1000);
// The image only crosses the loopback: fast compression beats small files.
constexpr int kPngCompression = 1;
// Each open page holds one long poll; the rest answer at once.
constexpr size_t kWorkerThreads = 16;
// An idle browser connection holds a worker this long, and so delays the
// end of boxsim: the library's shutdown waits for it.
constexpr time_t kKeepAliveSeconds = 1;

// The screen as the page sees it: a version number that changes with the
// picture, and the PNG of the current picture, encoded on demand.
class ScreenWatch {
public:
    // Looks at the firmware's screen if it was synced since the last look.
    // Returns the current version (0: nothing shown yet).
    uint64_t refresh() {
        std::lock_guard<std::mutex> lock(mutex_);
        return refreshLocked();
    }

    // The current version and its PNG; false when encoding failed.
    bool png(uint64_t* version, std::shared_ptr<const std::string>* png) {
        std::lock_guard<std::mutex> lock(mutex_);
        *version = refreshLocked();
        if (!png_ || pngVersion_ != version_) {
            if (pixels_.empty()) pixels_.assign(kScreenPixels, 0);
            auto encoded = std::make_shared<std::string>();
            if (!encodePng(pixels_.data(), TAP_ScreenWidth, TAP_ScreenHeight, kPngCompression,
                           encoded.get()))
                return false;
            png_ = std::move(encoded);
            pngVersion_ = version_;
        }
        *png = png_;
        return true;
    }

private:
    uint64_t refreshLocked() {
        if (tapsim_CopyScreen(nullptr) == frame_) return version_;
        scratch_.resize(kScreenPixels);
        frame_ = tapsim_CopyScreen(scratch_.data());
        if (scratch_ != pixels_) {
            pixels_.swap(scratch_);
            ++version_;
        }
        return version_;
    }

    std::mutex mutex_;
    uint64_t frame_ = 0;    // the firmware's frame number at the last look
    uint64_t version_ = 0;  // changes of the picture seen so far
    std::vector<uint32_t> pixels_, scratch_;
    std::shared_ptr<const std::string> png_;
    uint64_t pngVersion_ = 0;
};

std::string jsonError(const std::string& message) { return "{\"error\":\"" + message + "\"}"; }

// Why 127.0.0.1:port cannot be bound (the HTTP library does not say): an
// errno value, 0 when a second try works.
int bindProblem(uint16_t port) {
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    if (probe < 0) return errno;
    int yes = 1;
    setsockopt(probe, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int problem = 0;
    if (bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(probe, 1) != 0)
        problem = errno;
    close(probe);
    return problem;
}

class WebFrontEnd : public FrontEnd {
public:
    WebFrontEnd() {
        server_.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
        server_.set_keep_alive_timeout(kKeepAliveSeconds);
        server_.Get("/", [this](const httplib::Request&, httplib::Response& response) {
            asked_ = true;
            response.set_header("Cache-Control", "no-cache");
            response.set_content(kRemotePage, "text/html; charset=utf-8");
        });
        server_.Get("/state", [this](const httplib::Request& request, httplib::Response& response) {
            state(request, response);
        });
        server_.Get("/screen.png",
                    [this](const httplib::Request& request, httplib::Response& response) {
                        screen(request, response);
                    });
        server_.Post("/key", [this](const httplib::Request& request, httplib::Response& response) {
            key(request, response);
        });
        server_.Post("/stop", [this](const httplib::Request& request, httplib::Response& response) {
            if (!sameOrigin(request, response)) return;
            box_->stop();
            response.status = 202;
            response.set_content("{}", "application/json");
        });
    }

    bool bind(uint16_t port, std::string* error) {
        int bound = port == 0 ? server_.bind_to_any_port("127.0.0.1")
                              : (server_.bind_to_port("127.0.0.1", port) ? port : -1);
        if (bound <= 0) {
            int problem = bindProblem(port);
            *error = "cannot serve the web remote on 127.0.0.1:" + std::to_string(port) + " (" +
                     (problem ? std::strerror(problem) : "unknown reason") + ")" +
                     (problem == EADDRINUSE ? ": another program (another boxsim?) has it" : "") +
                     ". Choose another port with --port N, or --port 0 for a free one";
            return false;
        }
        port_ = static_cast<uint16_t>(bound);
        return true;
    }

    int run(Box& box) override {
        box_ = &box;
        std::atomic<bool> listenEnded{false};
        std::thread serving([this, &listenEnded] {
            server_.listen_after_bind();
            listenEnded = true;
        });
        std::printf("boxsim: web remote at http://127.0.0.1:%u/ (open it in a browser; "
                    "Ctrl-C ends boxsim)\n",
                    static_cast<unsigned>(port_));
        std::fflush(stdout);

        while (!box.ended() && !box.interrupted()) box.waitFor(milliseconds(1000));
        if (box.ended() && !box.interrupted() && asked_) {
            std::printf("boxsim: the plug-in has ended; telling the web remote\n");
            std::fflush(stdout);
            waitUntil(kWaitForPage, box, [this] { return toldEnded_.load(); });
            if (toldEnded_) waitUntil(kServeAfterTelling, box, [] { return false; });
        }

        closing_ = true;
        // stop() only reaches a server that has begun to listen.
        while (!server_.is_running() && !listenEnded) std::this_thread::sleep_for(milliseconds(1));
        server_.stop();
        serving.join();
        return 0;
    }

private:
    template <typename Condition>
    static void waitUntil(milliseconds timeout, Box& box, Condition done) {
        auto deadline = Clock::now() + timeout;
        while (!done() && !box.interrupted() && Clock::now() < deadline)
            std::this_thread::sleep_for(milliseconds(20));
    }

    // Pages of other origins (another web site open in the same browser)
    // must not press keys.  Programs such as curl send no Origin.
    static bool sameOrigin(const httplib::Request& request, httplib::Response& response) {
        if (!request.has_header("Origin") ||
            request.get_header_value("Origin") == "http://" + request.get_header_value("Host"))
            return true;
        response.status = 403;
        response.set_content(jsonError("only the web remote's own page may do this"),
                             "application/json");
        return false;
    }

    void state(const httplib::Request& request, httplib::Response& response) {
        asked_ = true;
        bool waits = false;
        uint64_t since = 0;
        if (request.has_param("since")) {
            std::string text = request.get_param_value("since");
            char* end = nullptr;
            since = std::strtoull(text.c_str(), &end, 10);
            waits = !text.empty() && *end == '\0';
        }
        auto deadline = Clock::now() + kLongPoll;
        bool ended = false;
        uint64_t version = 0;
        for (;;) {
            // Ended first: the last picture, synced before TAP_Main returned,
            // is then in the version.
            ended = box_->ended();
            version = screen_.refresh();
            if (!waits || version != since || ended || closing_ || Clock::now() >= deadline) break;
            std::this_thread::sleep_for(kPollInterval);
        }
        std::string body = "{\"version\":" + std::to_string(version) +
                           ",\"ended\":" + (ended ? "true" : "false") + ",\"result\":" +
                           (ended ? std::to_string(box_->result()) : "null") + "}";
        response.set_header("Cache-Control", "no-store");
        response.set_content(body, "application/json");
        if (ended) toldEnded_ = true;
    }

    void screen(const httplib::Request& request, httplib::Response& response) {
        asked_ = true;
        uint64_t version = 0;
        std::shared_ptr<const std::string> png;
        if (!screen_.png(&version, &png)) {
            response.status = 500;
            response.set_content(jsonError("the PNG encoder failed"), "application/json");
            return;
        }
        std::string tag = "\"" + std::to_string(version) + "\"";
        response.set_header("ETag", tag);
        response.set_header("Cache-Control", "no-cache");
        if (request.get_header_value("If-None-Match") == tag) {
            response.status = 304;
            return;
        }
        response.set_content(*png, "image/png");
    }

    void key(const httplib::Request& request, httplib::Response& response) {
        if (!sameOrigin(request, response)) return;
        std::string name = request.get_param_value("name");
        uint32_t code = 0;
        if (!keyByName(name, &code)) {
            response.status = 400;
            response.set_content(jsonError("unknown key name (keys: ok next previous info exit "
                                           "lower raise up down left right 0-9)"),
                                 "application/json");
            return;
        }
        if (box_->ended()) {
            response.status = 409;
            response.set_content(jsonError("the plug-in has ended"), "application/json");
            return;
        }
        box_->pressKey(code);
        char body[64];
        std::snprintf(body, sizeof body, "{\"key\":\"%s\",\"code\":\"0x%X\"}", name.c_str(), code);
        response.set_content(body, "application/json");
    }

    httplib::Server server_;
    uint16_t port_ = 0;
    Box* box_ = nullptr;
    ScreenWatch screen_;
    std::atomic<bool> asked_{false};      // a page (or client) has been here
    std::atomic<bool> toldEnded_{false};  // a state answer said the plug-in ended
    std::atomic<bool> closing_{false};
};

}  // namespace

std::unique_ptr<FrontEnd> makeWebFrontEnd(uint16_t port, std::string* error) {
    auto frontEnd = std::make_unique<WebFrontEnd>();
    if (!frontEnd->bind(port, error)) return nullptr;
    return frontEnd;
}

}  // namespace boxsim
