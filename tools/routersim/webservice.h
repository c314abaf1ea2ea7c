// The router's web services as plain functions: a request with its decoded
// parameters in, an answer (status, content type, body) out.  No HTTP
// library types here, so the services stay easy to read and to test.
#ifndef ROUTERSIM_WEBSERVICE_H
#define ROUTERSIM_WEBSERVICE_H

#include <string>
#include <utility>
#include <vector>

namespace routersim {

// Decoded name=value pairs in the order they came; names may repeat.
struct Params {
    std::vector<std::pair<std::string, std::string>> items;

    // The first value of `name`, or null when it is absent.
    const std::string* find(const std::string& name) const;
};

// Splits "a=1&b=x%20y" into pairs: percent escapes and '+' decoded, pairs
// without '=' taken as a name with an empty value, malformed escapes kept
// as they stand.
Params parseFormText(const std::string& text);

struct WebRequest {
    std::string method;  // "GET" or "POST"
    std::string path;    // decoded, without the query
    Params query;        // from the URL
    Params form;         // from a form-encoded POST body
    std::string client;  // the client's address

    // A parameter from the URL, else from the body (real clients use both).
    const std::string* param(const std::string& name) const;
};

struct WebAnswer {
    int status = 200;
    std::string contentType = "text/plain; charset=utf-8";
    std::string body;
};

}  // namespace routersim

#endif
