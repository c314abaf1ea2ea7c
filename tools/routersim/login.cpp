// The login service /login_sid.lua (see login.h).
#include "login.h"

namespace routersim {

WebAnswer answerLogin(const WebRequest& request, Sessions& sessions) {
    const std::string* given = request.param("sid");
    const std::string* version = request.param("version");
    const std::string* response = request.param("response");
    const std::string* user = request.param("username");

    std::string sid = kZeroSid;
    if (request.param("logout")) {
        if (given) sessions.logOut(*given);
    } else if (response) {
        sessions.logIn(user ? *user : std::string(), *response, request.client, sid);
    } else if (given && sessions.renew(*given, request.client)) {
        sid = *given;
    }
    bool valid = sid != kZeroSid;

    WebAnswer answer;
    answer.contentType = "text/xml; charset=utf-8";
    // SID and Challenge come first: the recorder reads only the first
    // 512 bytes of this answer.
    answer.body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                  "<SessionInfo>\n"
                  "<SID>" + sid + "</SID>\n"
                  "<Challenge>" + sessions.issueChallenge(version && *version == "2") +
                  "</Challenge>\n"
                  "<BlockTime>" + std::to_string(sessions.blockTime()) + "</BlockTime>\n" +
                  (!valid ? "<Rights></Rights>\n"
                   : sessions.rules().smartHomeRight
                       ? "<Rights><Name>HomeAuto</Name><Access>2</Access>"
                         "<Name>Settings</Name><Access>1</Access></Rights>\n"
                       : "<Rights><Name>Settings</Name><Access>1</Access></Rights>\n") +
                  "</SessionInfo>\n";
    return answer;
}

}  // namespace routersim
