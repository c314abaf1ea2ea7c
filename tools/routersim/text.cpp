// UTF-8 checks and ISO-8859-1 conversion (see text.h).
#include "text.h"

namespace routersim {

size_t utf8SequenceLength(std::string_view text, size_t i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    size_t length;
    char32_t value;
    if (lead >= 0xC2 && lead <= 0xDF) { length = 2; value = lead & 0x1F; }
    else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; value = lead & 0x0F; }
    else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; value = lead & 0x07; }
    else return 0;
    if (i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    if ((length == 3 && (value < 0x800 || (value >= 0xD800 && value <= 0xDFFF))) ||
        (length == 4 && (value < 0x10000 || value > 0x10FFFF)))
        return 0;
    return length;
}

bool isUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        size_t length = utf8SequenceLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::vector<char32_t> characters(std::string_view text) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        size_t length = utf8SequenceLength(text, i);
        if (length <= 1) {
            out.push_back(lead);
            ++i;
            continue;
        }
        char32_t value = lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k)
            value = (value << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.push_back(value);
        i += length;
    }
    return out;
}

std::string latin1ToUtf8(std::string_view text) {
    std::string out;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

}  // namespace routersim
