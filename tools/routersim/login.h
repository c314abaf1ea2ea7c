// The router's login service, /login_sid.lua.
//
// Parameters (from the URL or a form-encoded POST body):
//   sid=ID                   session check; a live session is renewed
//   username=U&response=R    challenge/response login (see sessions.h)
//   logout=1&sid=ID          ends the session
//   version=2                the answer carries a PBKDF2 challenge (not on
//                            firmware before PBKDF2, Sessions::Rules)
// The answer is always 200 with a SessionInfo document, one element per
// line: SID (the session's id, or the zero id for no valid session),
// Challenge (fresh, for the next login), BlockTime (seconds before a login
// is accepted again) and Rights (the session's rights: HomeAuto, the
// smart-home services, unless the user lacks them; empty for no session).
#ifndef ROUTERSIM_LOGIN_H
#define ROUTERSIM_LOGIN_H

#include "sessions.h"
#include "webservice.h"

namespace routersim {

inline const char kLoginPath[] = "/login_sid.lua";

WebAnswer answerLogin(const WebRequest& request, Sessions& sessions);

}  // namespace routersim

#endif
