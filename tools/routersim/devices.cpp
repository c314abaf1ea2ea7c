// The in-memory device list (see devices.h).
#include "devices.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "json.h"
#include "text.h"

namespace routersim {
namespace {

std::string withoutSpaces(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

// "line:column" of a byte offset, both counted from 1.
std::string position(const std::string& text, ptrdiff_t offset) {
    size_t end = std::min(static_cast<size_t>(std::max<ptrdiff_t>(offset, 0)), text.size());
    size_t line = 1, column = 1;
    for (size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return std::to_string(line) + ":" + std::to_string(column);
}

bool isDeviceOrGroup(pugi::xml_node node) {
    return node.type() == pugi::node_element &&
           (std::strcmp(node.name(), "device") == 0 || std::strcmp(node.name(), "group") == 0);
}

unsigned bitmask(pugi::xml_node node) {
    return node.attribute("functionbitmask").as_uint();
}

bool isPresent(pugi::xml_node node) {
    return node.child("present").text().as_int() == 1;
}

pugi::xml_node childMade(pugi::xml_node node, const std::string& name) {
    pugi::xml_node child = node.child(name.c_str());
    return child ? child : node.append_child(name.c_str());
}

// Puts attribute `name` first in the start tag; `fallback` is its value
// when it is missing.
void moveFirst(pugi::xml_node node, const char* name, const char* fallback) {
    pugi::xml_attribute attribute = node.attribute(name);
    std::string value = attribute ? attribute.value() : fallback;
    if (attribute) node.remove_attribute(attribute);
    node.prepend_attribute(name).set_value(value.c_str());
}

void setSwitchState(pugi::xml_node node, int state) {
    childMade(childMade(node, "switch"), "state").text().set(state);
    // Newer routers mirror the switch in a generic on/off block.
    if (pugi::xml_node onOff = node.child("simpleonoff")) childMade(onOff, "state").text().set(state);
}

bool isName(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-' && c != '.')
            return false;
    return true;
}

// Checks a value path; an attribute ("@name") may only be the last part.
bool isValuePath(const std::string& path) {
    std::stringstream parts(path);
    std::string part;
    bool attribute = false;
    int count = 0;
    while (std::getline(parts, part, '/')) {
        if (attribute) return false;
        if (!part.empty() && part[0] == '@') {
            attribute = true;
            part.erase(0, 1);
        }
        if (!isName(part)) return false;
        ++count;
    }
    return count > 0 && path.back() != '/';
}

void addLeaves(pugi::xml_node node, const std::string& prefix, JsonObject& values) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) continue;
        std::string path = prefix + child.name();
        if (child.find_child([](pugi::xml_node n) { return n.type() == pugi::node_element; }))
            addLeaves(child, path + "/", values);
        else
            values.add(path, child.child_value());
    }
}

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override {
        text.append(static_cast<const char*>(data), size);
    }
};

}  // namespace

bool Devices::load(const std::string& text, const std::string& source, std::string& error) {
    pugi::xml_document document;
    pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (!parsed) {
        error = source + ":" + position(text, parsed.offset) + ": " + parsed.description();
        return false;
    }
    pugi::xml_node root = document.document_element();
    if (!root || std::strcmp(root.name(), "devicelist") != 0) {
        error = source + ":" + position(text, root ? root.offset_debug() : 0) +
                ": the root element must be <devicelist>";
        return false;
    }
    std::set<std::string> identifiers;
    for (pugi::xml_node node : root.children()) {
        if (node.type() != pugi::node_element) continue;
        std::string where = source + ":" + position(text, node.offset_debug()) + ": ";
        if (!isDeviceOrGroup(node)) {
            error = where + "unexpected element <" + node.name() + ">, expected <device> or <group>";
            return false;
        }
        std::string identifier = withoutSpaces(node.attribute("identifier").value());
        if (identifier.empty()) {
            error = where + "<" + node.name() + "> without an identifier";
            return false;
        }
        if (!identifiers.insert(identifier).second) {
            error = where + "identifier \"" + node.attribute("identifier").value() + "\" used twice";
            return false;
        }
    }

    moveFirst(root, "version", "1");
    for (pugi::xml_node node : root.children()) {
        if (!isDeviceOrGroup(node)) continue;
        moveFirst(node, "identifier", "");
        if (std::strcmp(node.name(), "group") == 0 && !legacyGroupTags_)
            moveFirst(node, "synchronized", "1");
    }

    std::lock_guard<std::mutex> lock(mutex_);
    document_.reset(document);
    return true;
}

bool Devices::loadFile(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = path + ": cannot open: " + std::strerror(errno);
        return false;
    }
    std::stringstream content;
    content << file.rdbuf();
    return load(content.str(), path, error);
}

std::string Devices::listXml() const {
    StringWriter writer;
    std::lock_guard<std::mutex> lock(mutex_);
    document_.save(writer, "",
                   pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags,
                   pugi::encoding_utf8);
    return writer.text + "\n";
}

pugi::xml_node Devices::find(const std::string& ain) const {
    std::string wanted = withoutSpaces(ain);
    if (wanted.empty()) return {};
    for (pugi::xml_node node : document_.document_element().children())
        if (isDeviceOrGroup(node) && withoutSpaces(node.attribute("identifier").value()) == wanted)
            return node;
    return {};
}

void Devices::forEachMember(pugi::xml_node group, unsigned bit,
                            const std::function<void(pugi::xml_node)>& action) const {
    std::set<std::string> ids;
    std::stringstream members(group.child("groupinfo").child_value("members"));
    for (std::string id; std::getline(members, id, ',');) ids.insert(id);
    for (pugi::xml_node node : document_.document_element().children("device"))
        if (ids.count(node.attribute("id").value()) && (bitmask(node) & bit) && isPresent(node))
            action(node);
}

Devices::Result Devices::toggleSwitch(const std::string& ain, int& state) {
    std::lock_guard<std::mutex> lock(mutex_);
    pugi::xml_node node = find(ain);
    if (!node) return Result::UnknownAin;
    if (!(bitmask(node) & kSwitchBit) || !isPresent(node)) return Result::Unsupported;
    // An unknown (empty) state switches on.
    state = node.child("switch").child("state").text().as_int() == 1 ? 0 : 1;
    setSwitchState(node, state);
    forEachMember(node, kSwitchBit, [&](pugi::xml_node member) { setSwitchState(member, state); });
    return Result::Done;
}

Devices::Result Devices::setTarget(const std::string& ain, int target) {
    std::lock_guard<std::mutex> lock(mutex_);
    pugi::xml_node node = find(ain);
    if (!node) return Result::UnknownAin;
    if (!(bitmask(node) & kThermostatBit) || !isPresent(node)) return Result::Unsupported;
    auto set = [&](pugi::xml_node device) { childMade(childMade(device, "hkr"), "tsoll").text().set(target); };
    set(node);
    forEachMember(node, kThermostatBit, set);
    return Result::Done;
}

Devices::Result Devices::setValues(const std::string& ain, const Params& values, std::string& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    pugi::xml_node node = find(ain);
    if (!node) {
        error = "unknown ain \"" + ain + "\"";
        return Result::UnknownAin;
    }
    for (const auto& [path, value] : values.items) {
        if (!isValuePath(path) || path == "@identifier") {
            error = "cannot set \"" + path + "\" (paths look like present, hkr/tsoll, @fwversion)";
            return Result::Unsupported;
        }
    }
    for (const auto& [path, given] : values.items) {
        // The list is UTF-8; other bytes are taken as ISO-8859-1.
        std::string value = isUtf8(given) ? given : latin1ToUtf8(given);
        pugi::xml_node target = node;
        std::stringstream parts(path);
        for (std::string part; std::getline(parts, part, '/');) {
            if (part[0] == '@') {
                pugi::xml_attribute attribute = target.attribute(part.c_str() + 1);
                if (!attribute) attribute = target.append_attribute(part.c_str() + 1);
                attribute.set_value(value.c_str());
                target = {};
                break;
            }
            target = childMade(target, part);
        }
        if (target) target.text().set(value.c_str());
    }
    return Result::Done;
}

std::string Devices::json() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string list = "[";
    for (pugi::xml_node node : document_.document_element().children()) {
        if (!isDeviceOrGroup(node)) continue;
        JsonObject attributes, values;
        for (pugi::xml_attribute attribute : node.attributes())
            attributes.add(attribute.name(), attribute.value());
        addLeaves(node, "", values);
        if (list.size() > 1) list += ',';
        list += JsonObject()
                    .add("kind", node.name())
                    .addRaw("attributes", attributes.str())
                    .addRaw("values", values.str())
                    .str();
    }
    return list + "]";
}

size_t Devices::count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    size_t count = 0;
    for (pugi::xml_node node : document_.document_element().children())
        if (isDeviceOrGroup(node)) ++count;
    return count;
}

}  // namespace routersim
