// The control interface: paths below /__control/ on the simulator's port,
// which real routers do not have.  Tests and developers use it to inject
// faults, restart the router's sessions, change devices and read the state.
// GET and POST alike; parameters in the URL or a form-encoded body.  Answers
// are JSON; a bad request gets 400 (404 for an unknown path or AIN) and
// {"error":"…"}.  Control requests are not logged and faults never hit them.
//
//   state                       {"login":{…},"faults":[…],"devices":[…]}
//   fault?kind=K[&path=P][&count=N][&ms=N][&status=N][&bytes=N][&mode=M]
//                               adds a fault rule (see faults.h); {"fault":{…}}
//   fault/clear                 removes all rules, releases stalled requests
//   sessions/drop               ends every session (a router restart)
//   restart                     ends every session and forgets failed logins
//   device?ain=A&PATH=VALUE…    sets device values: present=0, name=…,
//                               hkr/tsoll=40, powermeter/power=1234,
//                               @fwversion=1.2 (see devices.h)
//   devices                     GET: the device list XML; POST/PUT: replaces
//                               all devices with the XML document in the body
#include <httplib.h>

#include "json.h"
#include "server.h"

namespace routersim {
namespace {

void answerJson(httplib::Response& response, const std::string& json, int status = 200) {
    response.status = status;
    response.set_content(json + "\n", "application/json");
}

void answerError(httplib::Response& response, int status, const std::string& message) {
    answerJson(response, JsonObject().add("error", message).str(), status);
}

// The URL's and the body's parameters together.
Params controlParams(const httplib::Request& request) {
    WebRequest web = toWebRequest(request);
    Params all = web.query;
    all.items.insert(all.items.end(), web.form.items.begin(), web.form.items.end());
    return all;
}

std::string done() {
    return JsonObject().add("done", true).str();
}

}  // namespace

void serveControl(httplib::Server& server, Simulator& simulator) {
    using Handler = httplib::Server::Handler;
    auto both = [&server](const std::string& name, const Handler& handler) {
        std::string pattern = std::string(kControlPrefix) + name;
        server.Get(pattern, handler);
        server.Post(pattern, handler);
    };

    both("state", [&simulator](const httplib::Request&, httplib::Response& response) {
        answerJson(response, JsonObject()
                                 .addRaw("login", simulator.sessions.json())
                                 .addRaw("faults", simulator.faults.json())
                                 .addRaw("devices", simulator.devices.json())
                                 .str());
    });

    both("fault", [&simulator](const httplib::Request& request, httplib::Response& response) {
        Fault fault;
        std::string error;
        if (!parseFault(controlParams(request), fault, error)) return answerError(response, 400, error);
        fault.id = simulator.faults.add(fault);
        answerJson(response, JsonObject().addRaw("fault", faultJson(fault)).str());
    });

    both("fault/clear", [&simulator](const httplib::Request&, httplib::Response& response) {
        simulator.faults.clear();
        answerJson(response, done());
    });

    both("sessions/drop", [&simulator](const httplib::Request&, httplib::Response& response) {
        simulator.sessions.dropAll();
        answerJson(response, done());
    });

    both("restart", [&simulator](const httplib::Request&, httplib::Response& response) {
        simulator.sessions.dropAll();
        simulator.sessions.forgetFailures();
        answerJson(response, done());
    });

    both("device", [&simulator](const httplib::Request& request, httplib::Response& response) {
        Params params = controlParams(request);
        const std::string* ain = params.find("ain");
        if (!ain) return answerError(response, 400, "ain missing");
        Params values;
        for (const auto& item : params.items)
            if (item.first != "ain") values.items.push_back(item);
        std::string error;
        switch (simulator.devices.setValues(*ain, values, error)) {
        case Devices::Result::Done: return answerJson(response, done());
        case Devices::Result::UnknownAin: return answerError(response, 404, error);
        case Devices::Result::Unsupported: return answerError(response, 400, error);
        }
    });

    server.Get(std::string(kControlPrefix) + "devices",
               [&simulator](const httplib::Request&, httplib::Response& response) {
                   response.set_content(simulator.devices.listXml(), "text/xml; charset=utf-8");
               });
    auto replaceDevices = [&simulator](const httplib::Request& request, httplib::Response& response) {
        std::string error;
        if (!simulator.devices.load(request.body, "uploaded device list", error))
            return answerError(response, 400, error);
        answerJson(response, JsonObject().add("devices", static_cast<long long>(simulator.devices.count())).str());
    };
    server.Post(std::string(kControlPrefix) + "devices", replaceDevices);
    server.Put(std::string(kControlPrefix) + "devices", replaceDevices);

    both(".*", [](const httplib::Request& request, httplib::Response& response) {
        answerError(response, 404, "unknown control path " + request.path);
    });
}

}  // namespace routersim
