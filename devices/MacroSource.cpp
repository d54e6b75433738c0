#include "devices/MacroSource.h"

#include "profile/JsonFiles.h"

#include <QDir>

#include <algorithm>
#include <cstdlib>

namespace ravo {
namespace {

bool PlainFileName(const QString& name) {
    return !name.isEmpty() && !name.contains('/') && !name.contains('\\') && name != "." &&
           name != "..";
}

uint32_t DelayOf(const Json::Value& v) {
    long long delay = 0;
    if (v.isString()) {
        const std::string s = v.asString();
        char* end = nullptr;
        delay = std::strtoll(s.c_str(), &end, 10);
        if (end == s.c_str()) {
            delay = 0;
        }
    } else if (v.isInt64()) {
        delay = v.asInt64();
    } else if (v.isUInt64()) {
        delay = 0xFFFF;
    }
    return static_cast<uint32_t>(std::clamp<long long>(delay, 0, 0xFFFF));
}

int IntOf(const Json::Value& v) {
    if (v.isInt()) {
        return v.asInt();
    }
    if (v.isUInt()) {
        return static_cast<int>(v.asUInt() & 0x7FFFFFFF);
    }
    return 0;
}

}  // namespace

MacroEventBytes EncodeMacroEventForDevice(const Json::Value& event) {
    if (!event.isObject()) {
        return {0, 0, 0, 0};
    }
    const uint32_t delay = DelayOf(event["Delay"]);
    const bool down = event["Action"].isString() && event["Action"].asString() == "down";
    const uint8_t type = static_cast<uint8_t>((IntOf(event["Type"]) & 0xFF) | (down ? 0x80 : 0));
    return {static_cast<uint8_t>(delay & 0xFF), static_cast<uint8_t>((delay >> 8) & 0xFF), type,
            static_cast<uint8_t>(IntOf(event["Button"]) & 0xFF)};
}

bool MacroSource::Load() {
    m_names.clear();
    m_guids.clear();
    const Json::Value doc = LoadJsonFile(m_folder + "macro.config");
    if (!doc.isObject()) {
        return false;
    }
    const Json::Value& list = doc["MacroInfo"];
    if (!list.isArray()) {
        return true;
    }
    for (const Json::Value& m : list) {
        const Json::Value name = m.isObject() ? m["MacroName"] : Json::Value();
        const Json::Value guid = m.isObject() ? m["Guid"] : Json::Value();
        m_names.push_back(name.isString() ? QString::fromStdString(name.asString()) : QString());
        m_guids.push_back(guid.isString() ? QString::fromStdString(guid.asString()) : QString());
    }
    return true;
}

bool MacroSource::LoadEvents(const std::vector<int>& indices,
                             std::vector<std::vector<MacroEventBytes>>& macros) const {
    macros.clear();
    for (int index : indices) {
        if (index < 0 || index >= Count() || !PlainFileName(m_guids[index])) {
            macros.clear();
            return false;
        }
        std::vector<MacroEventBytes> events;
        const Json::Value doc = LoadJsonFile(m_folder + m_guids[index] + ".mac");
        if (doc.isObject() && doc["Events"].isArray()) {
            for (const Json::Value& e : doc["Events"]) {
                events.push_back(EncodeMacroEventForDevice(e));
            }
        }
        macros.push_back(std::move(events));
    }
    return true;
}

}  // namespace ravo
