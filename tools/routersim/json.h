// Minimal JSON output for the request log and the control interface: quoted
// strings and flat objects built key by key, keys kept in insertion order.
#ifndef ROUTERSIM_JSON_H
#define ROUTERSIM_JSON_H

#include <string>
#include <string_view>

namespace routersim {

// `text` as a JSON string with quotes.  Valid UTF-8 passes through; any
// other byte is taken as ISO-8859-1 (what the recorder sends) and written as
// \u00XX, so the output is always valid JSON.
std::string jsonString(std::string_view text);

class JsonObject {
public:
    JsonObject& add(std::string_view key, std::string_view text);
    JsonObject& add(std::string_view key, const char* text) { return add(key, std::string_view(text)); }
    JsonObject& add(std::string_view key, long long number);
    JsonObject& add(std::string_view key, int number) { return add(key, static_cast<long long>(number)); }
    JsonObject& add(std::string_view key, bool flag);
    // `json` must already be a JSON value (object, array, number …).
    JsonObject& addRaw(std::string_view key, std::string_view json);
    std::string str() const { return text_ + "}"; }

private:
    JsonObject& key(std::string_view name);
    std::string text_ = "{";
};

}  // namespace routersim

#endif
