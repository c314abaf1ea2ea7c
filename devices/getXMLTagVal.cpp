// getXMLTagVal: the text of the first element <name> in a router answer as
// a signed decimal number.
//
// Contract: at most the first 31 characters of the element's text are
// converted, by the rules of strtol in base 10 (leading white space, an
// optional sign, digits up to the first other character; 0 without digits),
// limited to the 32-bit range.  A missing element gives 0, as does an
// element whose value is 0: the two cannot be told apart.  text is only
// read.
#include "devices.h"
#include "parsing.h"

enum { ValueCapacity = 32 };

extern "C" int32_t getXMLTagVal(const char* name, char* text) {
    char value[ValueCapacity] = {0};
    if (!getXMLTagText(name, text, value, ValueCapacity)) return 0;
    return decimalValue(value);
}
