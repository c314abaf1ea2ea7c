// Request parameters: form-text decoding and look-up (see webservice.h).
#include "webservice.h"

namespace routersim {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string decode(const std::string& text, size_t begin, size_t end) {
    std::string out;
    for (size_t i = begin; i < end; ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < end && hexValue(text[i + 1]) >= 0 &&
                   hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

const std::string* Params::find(const std::string& name) const {
    for (const auto& [key, value] : items)
        if (key == name) return &value;
    return nullptr;
}

Params parseFormText(const std::string& text) {
    Params params;
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t end = text.find('&', begin);
        if (end == std::string::npos) end = text.size();
        if (end > begin) {
            size_t equals = text.find('=', begin);
            if (equals == std::string::npos || equals > end) equals = end;
            params.items.emplace_back(decode(text, begin, equals),
                                      equals < end ? decode(text, equals + 1, end) : "");
        }
        begin = end + 1;
    }
    return params;
}

const std::string* WebRequest::param(const std::string& name) const {
    if (const std::string* value = query.find(name)) return value;
    return form.find(name);
}

}  // namespace routersim
