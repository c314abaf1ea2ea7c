// The home-automation service /webservices/homeautoswitch.lua (see
// homeautoswitch.h).
#include "homeautoswitch.h"

namespace routersim {
namespace {

// Thermostat targets in the router's code: half degrees 8 °C … 28 °C, and
// the two switch codes.
constexpr int kLowestTarget = 16;
constexpr int kHighestTarget = 56;
constexpr int kTargetOff = 253;
constexpr int kTargetOn = 254;

WebAnswer badRequest(const std::string& reason) {
    WebAnswer answer;
    answer.status = 400;
    answer.body = reason + "\n";
    return answer;
}

WebAnswer commandAnswer(Devices::Result result, const std::string& ain, int value) {
    switch (result) {
    case Devices::Result::UnknownAin:
        return badRequest("unknown ain " + ain);
    case Devices::Result::Unsupported:
        return badRequest("device " + ain + " cannot do that now");
    case Devices::Result::Done:
        break;
    }
    WebAnswer answer;
    answer.body = std::to_string(value) + "\n";
    return answer;
}

// A target parameter: 1 to 3 decimal digits with a valid value.
bool parseTarget(const std::string& text, int& target) {
    if (text.empty() || text.size() > 3) return false;
    target = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        target = target * 10 + (c - '0');
    }
    return (target >= kLowestTarget && target <= kHighestTarget) || target == kTargetOff ||
           target == kTargetOn;
}

}  // namespace

WebAnswer answerHomeAutoSwitch(const WebRequest& request, Sessions& sessions, Devices& devices) {
    const std::string* sid = request.param("sid");
    if (!sid || !sessions.renew(*sid, request.client) || !sessions.rules().smartHomeRight) {
        WebAnswer answer;
        answer.status = 403;
        return answer;
    }
    const std::string* command = request.param("switchcmd");
    if (!command) return badRequest("switchcmd missing");

    if (*command == "getdevicelistinfos") {
        WebAnswer answer;
        answer.contentType = "text/xml; charset=utf-8";
        answer.body = devices.listXml();
        return answer;
    }

    const std::string* ain = request.param("ain");
    if (*command == "setswitchtoggle") {
        if (!ain) return badRequest("ain missing");
        int state = 0;
        Devices::Result result = devices.toggleSwitch(*ain, state);
        return commandAnswer(result, *ain, state);
    }
    if (*command == "sethkrtsoll") {
        if (!ain) return badRequest("ain missing");
        const std::string* param = request.param("param");
        int target = 0;
        if (!param || !parseTarget(*param, target))
            return badRequest("param must be 16 to 56, 253 or 254");
        return commandAnswer(devices.setTarget(*ain, target), *ain, target);
    }
    return badRequest("unknown switchcmd " + *command);
}

}  // namespace routersim
