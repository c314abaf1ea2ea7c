// A small real HTTP server on loopback for the router link's unit tests:
// each test decides the answers (status, body, a stall, a cut-off body) and
// reads back the requests as they arrived, query values decoded.  Runs in
// every flavour (also under qemu), unlike the router simulator.
#ifndef STECKWART_TESTS_ROUTER_HTTPSTUB_H
#define STECKWART_TESTS_ROUTER_HTTPSTUB_H

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httpstub {

struct Request {
    std::string method;                        // "GET", "POST"
    std::string target;                        // as sent: path and raw query
    std::string path;                          // "/login_sid.lua"
    std::map<std::string, std::string> query;  // percent-decoded values
    std::vector<std::string> keys;             // query keys in order
    std::string body;                          // as sent (Content-Length bytes)
    std::map<std::string, std::string> form;   // a form-encoded body, decoded
    std::vector<std::string> formKeys;         // its keys in order
};

struct Response {
    enum class Mode {
        Answer,  // status line, headers, body
        Stall,   // accept, read the request, never answer (until the server ends)
        Cut,     // announce 100 bytes more than the body, send the body, close
    };
    int status = 200;
    std::string body;
    Mode mode = Mode::Answer;
};

using Handler = std::function<Response(const Request&)>;

class Server {
public:
    explicit Server(Handler handler);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    int port() const { return port_; }
    // "127.0.0.1:<port>", as the router address setting.
    std::string address() const;
    void setHandler(Handler handler);
    std::vector<Request> requests();
    void clearRequests();

private:
    void acceptLoop();
    void serve(int connection);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable stopped_;
    Handler handler_;
    std::vector<Request> requests_;
    std::vector<int> connections_;
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};

// A loopback port on which nothing listens.
int ClosedPort();
// %XX and '+' decoding of a query value.
std::string Decode(const std::string& text);
// Splits "a=1&b=x%20y" into decoded values, keys in order.
void ParseForm(const std::string& text, std::map<std::string, std::string>* values,
               std::vector<std::string>* keys);

}  // namespace httpstub

#endif
