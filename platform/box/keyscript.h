// Key scripts: what the scripted front end does, step by step, e.g.
//   wait 3s; down; ok; info; snap panel.png; exit
// Steps are separated by ";" or line ends; "#" starts a comment.
//   wait DURATION     waits (units us, ms, s)
//   wait end          waits until the plug-in ends by itself
//   snap FILE.png     writes the screen as PNG (relative to the snapshot folder)
//   stop              sends the firmware's stop event
//   up down left right ok info exit   remote-control keys
//   previous next lower raise         the same keys by what the plug-in does
//   0 … 9             digit keys
//   0x1001E, key N    a raw key code (hexadecimal with 0x, or decimal)
#ifndef STECKWART_BOXSIM_KEYSCRIPT_H
#define STECKWART_BOXSIM_KEYSCRIPT_H

#include <cstdint>
#include <string>
#include <vector>

namespace boxsim {

struct Step {
    enum Kind { Key, Stop, Wait, WaitEnd, Snap } kind = Key;
    uint32_t code = 0;           // Key
    uint64_t microseconds = 0;   // Wait
    std::string path;            // Snap, as written
    std::string text;            // the step as written, for messages
};

// Parses a script.  On failure returns false with error naming the step.
bool parseScript(const std::string& text, std::vector<Step>* steps, std::string* error);

}  // namespace boxsim

#endif
