// Finding and acting on a request's TCP connection (see connection.h).
#include "connection.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace routersim {
namespace {

// Address text and port of a socket address, as the library reports them.
bool describe(const sockaddr_storage& address, std::string& host, int& port) {
    char text[INET6_ADDRSTRLEN] = "";
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        port = ntohs(v4.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
        port = ntohs(v6.sin6_port);
    } else {
        return false;
    }
    host = text;
    return true;
}

bool matches(int socket, const httplib::Request& request) {
    sockaddr_storage local{}, remote{};
    socklen_t localSize = sizeof local, remoteSize = sizeof remote;
    if (getsockname(socket, reinterpret_cast<sockaddr*>(&local), &localSize) != 0 ||
        getpeername(socket, reinterpret_cast<sockaddr*>(&remote), &remoteSize) != 0)
        return false;
    std::string localHost, remoteHost;
    int localPort = 0, remotePort = 0;
    return describe(local, localHost, localPort) && describe(remote, remoteHost, remotePort) &&
           localPort == request.local_port && remotePort == request.remote_port &&
           remoteHost == request.remote_addr;
}

}  // namespace

Connection::Connection(const httplib::Request& request) {
    DIR* folder = opendir("/proc/self/fd");
    if (!folder) return;
    while (dirent* entry = readdir(folder)) {
        char* end = nullptr;
        long number = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || number == dirfd(folder)) continue;
        if (matches(static_cast<int>(number), request)) {
            socket_ = static_cast<int>(number);
            break;
        }
    }
    closedir(folder);
}

bool Connection::send(const std::string& bytes) {
    if (socket_ < 0) return false;
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(socket_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool Connection::isPeerGone() const {
    if (socket_ < 0) return true;
    pollfd watch{socket_, POLLIN | POLLRDHUP, 0};
    if (poll(&watch, 1, 0) <= 0) return false;
    if (watch.revents & (POLLRDHUP | POLLHUP | POLLERR)) return true;
    char byte;
    return recv(socket_, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

void Connection::shutDown() {
    if (socket_ >= 0) shutdown(socket_, SHUT_RDWR);
}

}  // namespace routersim
