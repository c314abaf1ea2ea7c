#include "httpstub.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace httpstub {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of a header line (name without case), or "".
std::string Header(const std::string& head, const std::string& name) {
    std::string lower;
    for (char c : head) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    size_t at = lower.find("\r\n" + name + ":");
    if (at == std::string::npos) return "";
    size_t start = at + 3 + name.size();
    size_t end = head.find("\r\n", start);
    std::string value = head.substr(start, end - start);
    size_t begin = value.find_first_not_of(' ');
    return begin == std::string::npos ? "" : value.substr(begin);
}

Request Parse(const std::string& head) {
    Request request;
    size_t first = head.find(' ');
    size_t second = head.find(' ', first + 1);
    if (first == std::string::npos || second == std::string::npos) return request;
    request.method = head.substr(0, first);
    request.target = head.substr(first + 1, second - first - 1);
    size_t mark = request.target.find('?');
    request.path = request.target.substr(0, mark);
    if (mark == std::string::npos) return request;
    ParseForm(request.target.substr(mark + 1), &request.query, &request.keys);
    return request;
}

const char* Reason(int status) {
    switch (status) {
    case 200: return "OK";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

void SendAll(int connection, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

}  // namespace

void ParseForm(const std::string& text, std::map<std::string, std::string>* values,
               std::vector<std::string>* keys) {
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('&', start);
        if (end == std::string::npos) end = text.size();
        std::string pair = text.substr(start, end - start);
        size_t equals = pair.find('=');
        std::string key = Decode(pair.substr(0, equals));
        keys->push_back(key);
        (*values)[key] = equals == std::string::npos ? "" : Decode(pair.substr(equals + 1));
        start = end + 1;
    }
}

std::string Decode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else if (text[i] == '+') {
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

Server::Server(Handler handler) : handler_(std::move(handler)) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    int on = 1;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 16) != 0)
        throw std::runtime_error("httpstub: cannot listen on loopback");
    socklen_t length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

Server::~Server() {
    stopping_ = true;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (int connection : connections_)
            if (connection >= 0) shutdown(connection, SHUT_RDWR);
    }
    stopped_.notify_all();
    acceptor_.join();
    for (auto& worker : workers_) worker.join();
    close(listener_);
}

std::string Server::address() const { return "127.0.0.1:" + std::to_string(port_); }

void Server::setHandler(Handler handler) {
    std::lock_guard<std::mutex> lock(mutex_);
    handler_ = std::move(handler);
}

std::vector<Request> Server::requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void Server::clearRequests() {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.clear();
}

void Server::acceptLoop() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0) continue;
        int connection = accept(listener_, nullptr, nullptr);
        if (connection < 0) continue;
        std::lock_guard<std::mutex> lock(mutex_);
        connections_.push_back(connection);
        workers_.emplace_back([this, connection] { serve(connection); });
    }
}

void Server::serve(int connection) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        ssize_t n = recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<size_t>(n));
    }
    size_t headEnd = head.find("\r\n\r\n");
    Request request = Parse(head);
    if (headEnd != std::string::npos) {
        size_t length = std::strtoul(Header(head.substr(0, headEnd + 2), "content-length").c_str(),
                                     nullptr, 10);
        request.body = head.substr(headEnd + 4);
        while (request.body.size() < length && length < 65536) {
            ssize_t n = recv(connection, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            request.body.append(buffer, static_cast<size_t>(n));
        }
        if (!request.body.empty()) ParseForm(request.body, &request.form, &request.formKeys);
    }
    Handler handler;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
        handler = handler_;
    }
    Response response = handler ? handler(request) : Response{404, "", Response::Mode::Answer};
    if (response.mode == Response::Mode::Stall) {
        std::unique_lock<std::mutex> lock(mutex_);
        stopped_.wait(lock, [this] { return stopping_.load(); });
    } else {
        size_t announced = response.body.size() + (response.mode == Response::Mode::Cut ? 100 : 0);
        std::string reply = "HTTP/1.1 " + std::to_string(response.status) + " " +
                            Reason(response.status) +
                            "\r\nContent-Type: text/xml\r\nConnection: close\r\nContent-Length: " +
                            std::to_string(announced) + "\r\n\r\n";
        SendAll(connection, reply + response.body);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    shutdown(connection, SHUT_RDWR);
    close(connection);
    for (auto& known : connections_)
        if (known == connection) known = -1;
}

int ClosedPort() {
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    return ntohs(address.sin_port);
}

}  // namespace httpstub
