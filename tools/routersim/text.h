// Text encodings met at the router: UTF-8 from most clients, ISO-8859-1
// bytes from the recorder, UTF-16LE inside the login digest.
#ifndef ROUTERSIM_TEXT_H
#define ROUTERSIM_TEXT_H

#include <string>
#include <string_view>
#include <vector>

namespace routersim {

// Length of the well-formed UTF-8 sequence that starts at `text[i]` (1 for
// ASCII), or 0 when the bytes there are not one: stray continuation bytes,
// overlong forms, surrogates, values above U+10FFFF, a cut sequence.
size_t utf8SequenceLength(std::string_view text, size_t i);

bool isUtf8(std::string_view text);

// The characters of `text`: UTF-8 sequences decoded, every other byte taken
// as the ISO-8859-1 character of that value.
std::vector<char32_t> characters(std::string_view text);

// ISO-8859-1 bytes as UTF-8.
std::string latin1ToUtf8(std::string_view text);

}  // namespace routersim

#endif
