// The router's smart-home devices: a device-list document held in memory,
// served as the router writes it, and changed by commands and by the control
// interface.
//
// The document is the router's own format: a root <devicelist version="1">
// holding <device> and <group> elements with the attributes identifier, id,
// functionbitmask, fwversion, manufacturer, productname and child elements
// such as present, name, switch, simpleonoff, powermeter, temperature, hkr
// (with nextchange), alert, etsiunitinfo, groupinfo.  Values keep the
// router's units: power mW, energy Wh, voltage mV, temperatures in tenths of
// a degree, targets in half degrees (253 off, 254 on), endperiod in seconds
// since 1970 (0 unknown), tchange in half degrees (255 unknown).
//
// On loading, start tags are put in the order the router writes them:
// devices begin with identifier=, groups with synchronized= (added as "1"
// when missing) unless `legacyGroupTags` keeps identifier= first as older
// routers wrote it.  Device identifiers (AINs) are compared with spaces
// ignored.  All members are thread-safe.
#ifndef ROUTERSIM_DEVICES_H
#define ROUTERSIM_DEVICES_H

#include <functional>
#include <mutex>
#include <string>

#include <pugixml.hpp>

#include "webservice.h"

namespace routersim {

// FunctionBitmask bits the commands look at.
constexpr unsigned kThermostatBit = 0x40;
constexpr unsigned kSwitchBit = 0x200;

class Devices {
public:
    explicit Devices(bool legacyGroupTags = false) : legacyGroupTags_(legacyGroupTags) {}

    // Replaces all devices with those of a device-list document.  On failure
    // `error` reads "<source>:<line>:<column>: <what>" and nothing changes.
    bool load(const std::string& text, const std::string& source, std::string& error);
    bool loadFile(const std::string& path, std::string& error);

    // The whole list as the router sends it: one line of UTF-8 XML.
    std::string listXml() const;

    enum class Result { Done, UnknownAin, Unsupported };

    // Switches a present socket (bit 0x200) over; a group passes the new
    // state to its present member sockets.  `state` is the new state, 0 or 1.
    Result toggleSwitch(const std::string& ain, int& state);
    // Sets a present thermostat's (bit 0x40) target, in the router's code;
    // a group passes it to its present member thermostats.
    Result setTarget(const std::string& ain, int target);

    // Sets values by path: "present", "name", "hkr/tsoll",
    // "hkr/nextchange/endperiod", "@fwversion" (an attribute); missing
    // elements are made; values that are not UTF-8 are taken as ISO-8859-1.
    // Unsupported, with `error` set, for a malformed path or the
    // identifier; then nothing changes.
    Result setValues(const std::string& ain, const Params& values, std::string& error);

    // [{"kind":"device","attributes":{…},"values":{"present":"1","hkr/tsoll":"40",…}},…]
    std::string json() const;
    size_t count() const;

private:
    pugi::xml_node find(const std::string& ain) const;
    void forEachMember(pugi::xml_node group, unsigned bit, const std::function<void(pugi::xml_node)>& action) const;

    const bool legacyGroupTags_;
    mutable std::mutex mutex_;
    pugi::xml_document document_;
};

}  // namespace routersim

#endif
