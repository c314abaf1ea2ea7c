// The TCP connection behind a request that the HTTP library is serving.
// The library keeps its sockets to itself, but some faults must act on the
// wire: close without an answer, send an answer cut short, or notice that a
// client waiting on a stalled request has given up.  The socket is found by
// its local and remote address; it is only ever shut down here, never
// closed, so the library's own close stays correct.
#ifndef ROUTERSIM_CONNECTION_H
#define ROUTERSIM_CONNECTION_H

#include <string>

#include <httplib.h>

namespace routersim {

class Connection {
public:
    explicit Connection(const httplib::Request& request);

    bool found() const { return socket_ >= 0; }
    // Sends all of `bytes`; false when the connection failed.
    bool send(const std::string& bytes);
    // True when the client has closed its end or the connection broke.
    bool isPeerGone() const;
    // Ends the connection in both directions; whatever the library writes
    // afterwards is lost.
    void shutDown();

private:
    int socket_ = -1;
};

}  // namespace routersim

#endif
