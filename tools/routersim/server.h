// The simulator's HTTP side: the router's paths, with injected faults and
// the request log, and the control interface, on one httplib server.
#ifndef ROUTERSIM_SERVER_H
#define ROUTERSIM_SERVER_H

#include <httplib.h>

#include "devices.h"
#include "faults.h"
#include "requestlog.h"
#include "sessions.h"

namespace routersim {

// Everything a request may touch; owned by main.
struct Simulator {
    Devices& devices;
    Sessions& sessions;
    Faults& faults;
    RequestLog& log;
};

// The first path segment of the control interface, which real routers do
// not have.
inline const char kControlPrefix[] = "/__control/";

// Every path outside the control interface is a router path: the two web
// services, anything else 404.  GET and POST alike.
void serveRouter(httplib::Server& server, Simulator& simulator);

// The control interface (see control.cpp); must be installed before
// serveRouter, whose routes match every path.
void serveControl(httplib::Server& server, Simulator& simulator);

// A request's method, path and parameters (URL and form-encoded body).
WebRequest toWebRequest(const httplib::Request& request);

}  // namespace routersim

#endif
