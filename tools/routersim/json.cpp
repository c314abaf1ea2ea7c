// JSON string quoting and the flat object builder (see json.h).
#include "json.h"

#include <cstdio>

#include "text.h"

namespace routersim {

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        char escape[8];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else if (c >= 0x80) {
            size_t length = utf8SequenceLength(text, i);
            if (length == 0) {
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out.append(text.substr(i, length));
                i += length;
                continue;
            }
        } else {
            out += static_cast<char>(c);
        }
        ++i;
    }
    return out + "\"";
}

JsonObject& JsonObject::key(std::string_view name) {
    if (text_.size() > 1) text_ += ',';
    text_ += jsonString(name);
    text_ += ':';
    return *this;
}

JsonObject& JsonObject::add(std::string_view name, std::string_view text) {
    key(name).text_ += jsonString(text);
    return *this;
}

JsonObject& JsonObject::add(std::string_view name, long long number) {
    key(name).text_ += std::to_string(number);
    return *this;
}

JsonObject& JsonObject::add(std::string_view name, bool flag) {
    key(name).text_ += flag ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::addRaw(std::string_view name, std::string_view json) {
    key(name).text_.append(json);
    return *this;
}

}  // namespace routersim
