// Parsing key scripts into steps.
#include "keyscript.h"

#include <cerrno>
#include <cstdlib>

#include "options.h"
#include "tap.h"

namespace boxsim {
namespace {

struct NamedKey {
    const char* name;
    uint32_t code;
};

// Arrow keys move through the list (up: previous device), left and right
// lower and raise a thermostat's target.
const NamedKey kKeys[] = {
    {"up", KEY_Previous},     {"down", KEY_Next},     {"left", KEY_Lower},
    {"right", KEY_Raise},     {"ok", KEY_Ok},         {"info", KEY_Info},
    {"exit", KEY_Exit},       {"previous", KEY_Previous}, {"next", KEY_Next},
    {"lower", KEY_Lower},     {"raise", KEY_Raise},
};

std::string trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return std::string();
    size_t end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

bool parseCode(const std::string& text, uint32_t* code) {
    if (text.empty() || text[0] < '0' || text[0] > '9') return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long value = std::strtoull(text.c_str(), &end, 0);
    if (errno || *end || value == 0 || value > 0xFFFFFFFFu) return false;
    *code = static_cast<uint32_t>(value);
    return true;
}

bool parseStep(const std::string& text, Step* step) {
    step->text = text;
    size_t space = text.find_first_of(" \t");
    std::string word = text.substr(0, space);
    std::string argument = space == std::string::npos ? std::string() : trim(text.substr(space));
    if (word == "wait") {
        if (argument == "end") {
            step->kind = Step::WaitEnd;
            return true;
        }
        step->kind = Step::Wait;
        return parseDuration(argument, &step->microseconds);
    }
    if (word == "snap") {
        step->kind = Step::Snap;
        step->path = argument;
        return !argument.empty() && argument.back() != '/';
    }
    if (word == "key") {
        step->kind = Step::Key;
        return parseCode(argument, &step->code);
    }
    if (!argument.empty()) return false;
    if (word == "stop") {
        step->kind = Step::Stop;
        return true;
    }
    step->kind = Step::Key;
    if (keyByName(word, &step->code)) return true;
    return word.rfind("0x", 0) == 0 && parseCode(word, &step->code);
}

}  // namespace

bool keyByName(const std::string& name, uint32_t* code) {
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') {
        *code = KEY_0 + static_cast<uint32_t>(name[0] - '0');
        return true;
    }
    for (const NamedKey& key : kKeys)
        if (name == key.name) {
            *code = key.code;
            return true;
        }
    return false;
}

bool parseScript(const std::string& text, std::vector<Step>* steps, std::string* error) {
    steps->clear();
    size_t line = 1;
    std::string current;
    auto finish = [&]() {
        std::string stepText = trim(current);
        current.clear();
        if (stepText.empty()) return true;
        Step step;
        if (parseStep(stepText, &step)) {
            steps->push_back(step);
            return true;
        }
        *error = "key script line " + std::to_string(line) + ": cannot understand '" + stepText +
                 "' (steps: wait DURATION, wait end, snap FILE.png, stop, a key name, a digit, "
                 "0x… or key N)";
        return false;
    };
    bool comment = false;
    for (char c : text) {
        if (c == '\n') {
            if (!finish()) return false;
            comment = false;
            ++line;
        } else if (comment) {
            continue;
        } else if (c == '#') {
            comment = true;
        } else if (c == ';') {
            if (!finish()) return false;
        } else {
            current += c;
        }
    }
    return finish();
}

}  // namespace boxsim
