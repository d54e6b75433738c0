#include "profile/BasicProfiledata.h"

#include "profile/JsonAccess.h"
#include "profile/JsonFiles.h"
#include "profile/JsonShape.h"
#include "profile/ProfileLog.h"
#include "profile/TextRoutines.h"

#include <QFile>
#include <QFileInfo>

namespace ravo {

using json::Assign;
using json::Element;
using json::Member;
using json::ReadByteMember;
using json::ReadFlagMember;
using json::ReadIntegerMember;

namespace {

Json::Value Int(int64_t value) {
    return Json::Value(static_cast<Json::Int>(value));
}

// A profile file that is about to be replaced because it could not be used is kept beside it,
// so that a damaged file does not silently take the user's settings with it.
void KeepUnusableFile(const QString& path) {
    const QString copy = path + QStringLiteral(".unreadable");
    QFile::remove(copy);
    if (!QFile::copy(path, copy))
        qCWarning(lcProfile) << "cannot keep a copy of" << path;
}

// A light step file name taken from the light list must not lead out of its folder.
bool IsPlainFileName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0));
}

}  // namespace

void CBasicProfiledata::SetProfilePath(const QString& path) {
    if (!path.isEmpty())
        m_profilePath = path;
}

void CBasicProfiledata::SetDefaultPath(const QString& path) {
    if (!path.isEmpty())
        m_defaultPath = path;
}

bool CBasicProfiledata::SectionShapeOk(const Json::Value& section) const {
    if (section.isNull())
        return true;
    if (!section.isObject())
        return false;
    auto member = [&section](const char* name) -> const Json::Value& {
        static const Json::Value absent;
        const Json::Value* found = json::Find(section, name);
        return found ? *found : absent;
    };
    return json::IsRecord(member("LightInfo"),
                          {"SelectItem", "Light", "Speed", "Fx", "MultiColor", "Red", "Green",
                           "Blue", "ZZCCLedMode", "CustomGroup", "OldLedmode"}) &&
           json::IsRecord(member("AudioLightInfo"),
                          {"AudioMode", "BkColorR", "BkColorG", "BkColorB", "FgColorR", "FgColorG",
                           "FgColorB", "7ColorFlags", "ColorTypeFlags"}) &&
           json::IsRecordList(member("LightList"),
                              {"LEDREGMode", "LEDBrightness", "LEDSpeed", "LEDDirection",
                               "LEDMultiColor", "red", "green", "blue"}) &&
           json::IsRecordList(member("KeyList"), {"Assignment", "DefaultAssignment"});
}

bool CBasicProfiledata::DocumentUsable(const Json::Value& doc) const {
    if (!doc.isObject())
        return false;
    const Json::Value* devices = json::Find(doc, "Device");
    if (!devices || devices->isNull())
        return true;
    if (!devices->isArray())
        return false;
    return SectionShapeOk(ElementOf(doc));
}

Json::Value CBasicProfiledata::ElementOf(const Json::Value& doc) const {
    const Json::Value* devices = json::Find(doc, "Device");
    if (!devices || !devices->isArray() || m_deviceIndex < 0 ||
        static_cast<uint32_t>(m_deviceIndex) >= devices->size())
        return Json::Value();
    return (*devices)[static_cast<Json::ArrayIndex>(m_deviceIndex)];
}

Json::Value CBasicProfiledata::LoadSectionInto(const QString& path, Json::Value& section) {
    m_lastError.clear();
    std::string bytes;
    QString readError;
    const FileReadResult read = ReadFileBytes(path, bytes, &readError);
    Json::Value doc = read == FileReadResult::Ok ? ParseJsonText(bytes) : Json::Value();
    const bool usable = DocumentUsable(doc);
    if (!usable)
        doc = Json::Value();
    section = ElementOf(doc);
    if (!section.isNull())
        return section;

    Json::Value defaults = LoadJsonFile(m_defaultPath);
    if (DocumentUsable(defaults))
        section = ElementOf(defaults);
    Json::Value* element = Element(Member(&doc, "Device"), m_deviceIndex);
    if (!element) {
        m_lastError = QStringLiteral("device index %1 is out of range").arg(m_deviceIndex);
        return section;
    }
    *element = section;
    if (read == FileReadResult::Failed) {
        // Never replace a file that exists but could not be read: it may be fine tomorrow.
        m_lastError = readError;
        qCWarning(lcProfile) << "not rewriting" << path << readError;
        return section;
    }
    if (read == FileReadResult::Ok && !bytes.empty() && !usable)
        KeepUnusableFile(path);
    if (!WriteJsonFile(doc, path, &m_lastError))
        qCWarning(lcProfile) << m_lastError;
    return section;
}

Json::Value CBasicProfiledata::LoadSection(const QString& path) {
    return LoadSectionInto(path, m_section);
}

Json::Value CBasicProfiledata::LoadSecondSection(const QString& path) {
    return LoadSectionInto(path, m_secondSection);
}

Json::Value CBasicProfiledata::LoadLightList(const QString& path) {
    m_lightList = LoadJsonFile(path);
    return m_lightList;
}

bool CBasicProfiledata::SaveProfile() {
    return SaveSectionTo(Json::Value(m_section), m_profilePath);
}

bool CBasicProfiledata::SaveSectionTo(const Json::Value& section, const QString& path) {
    m_lastError.clear();
    std::string bytes;
    const FileReadResult read = ReadFileBytes(path, bytes, &m_lastError);
    if (read == FileReadResult::Failed) {
        qCWarning(lcProfile) << "not saving over" << path << m_lastError;
        return false;
    }
    m_lastError.clear();
    Json::Value doc = read == FileReadResult::Ok ? ParseJsonText(bytes) : Json::Value();
    const Json::Value* devices = json::Find(doc, "Device");
    const bool usable = doc.isObject() && (!devices || devices->isNull() || devices->isArray());
    if (!usable) {
        if (read == FileReadResult::Ok && !bytes.empty())
            KeepUnusableFile(path);
        doc = Json::Value();
    }
    Json::Value* element = Element(Member(&doc, "Device"), m_deviceIndex);
    if (!element) {
        m_lastError = QStringLiteral("device index %1 is out of range").arg(m_deviceIndex);
        return false;
    }
    *element = section;
    return WriteJsonFile(doc, path, &m_lastError);
}

bool CBasicProfiledata::SaveSecondSectionTo(const QString& path) {
    return SaveSectionTo(Json::Value(m_secondSection), path);
}

bool CBasicProfiledata::WriteWholeFile(const Json::Value& value, const QString& path) {
    m_lastError.clear();
    return WriteJsonFile(value, path, &m_lastError);
}

LightSettings CBasicProfiledata::GetLightInfo() {
    Json::Value* info = m_section.isNull() ? nullptr : Member(&m_section, "LightInfo");
    if (!info || !info->isObject()) {
        m_lightSettings = m_fallbackLightSettings;
        return m_lightSettings;
    }
    LightSettings s;
    s.mode = ReadByteMember(info, "SelectItem");
    s.brightness = ReadByteMember(info, "Light");
    s.speed = ReadByteMember(info, "Speed");
    s.direction = ReadByteMember(info, "Fx");
    s.multiColor = ReadFlagMember(info, "MultiColor") ? 1 : 0;
    s.red = ReadByteMember(info, "Red");
    s.green = ReadByteMember(info, "Green");
    s.blue = ReadByteMember(info, "Blue");
    s.zzccLedMode = ReadByteMember(info, "ZZCCLedMode");
    s.customGroup = ReadByteMember(info, "CustomGroup");
    s.oldLedMode = ReadByteMember(info, "OldLedmode");
    m_lightSettings = s;
    return s;
}

void CBasicProfiledata::SetLightInfo(const LightSettings& s) {
    m_lightSettings = s;
    Json::Value info(Json::objectValue);
    info["SelectItem"] = Int(s.mode);
    info["Light"] = Int(s.brightness);
    info["Speed"] = Int(s.speed);
    info["MultiColor"] = Int(s.multiColor);
    info["Red"] = Int(s.red);
    info["Green"] = Int(s.green);
    info["Blue"] = Int(s.blue);
    info["Fx"] = Int(s.direction);
    info["ZZCCLedMode"] = Int(s.zzccLedMode);
    info["CustomGroup"] = Int(s.customGroup);
    info["OldLedmode"] = Int(s.oldLedMode);
    Assign(&m_section, "LightInfo", info);
}

void CBasicProfiledata::SetLightInfo(uint32_t word0, uint32_t word1, uint32_t word2,
                                     uint16_t word3) {
    SetLightInfo(LightSettingsFromWords(LightWords{word0, word1, word2, word3}));
}

AudioLightSettings CBasicProfiledata::GetAudioLightInfo() {
    Json::Value* info = m_section.isNull() ? nullptr : Member(&m_section, "AudioLightInfo");
    AudioLightSettings a;
    if (info && info->isObject()) {
        a.audioMode = ReadByteMember(info, "AudioMode");
        a.bkRed = ReadByteMember(info, "BkColorR");
        a.bkGreen = ReadByteMember(info, "BkColorG");
        a.bkBlue = ReadByteMember(info, "BkColorB");
        a.fgRed = ReadByteMember(info, "FgColorR");
        a.fgGreen = ReadByteMember(info, "FgColorG");
        a.fgBlue = ReadByteMember(info, "FgColorB");
        a.sevenColor = ReadFlagMember(info, "7ColorFlags") ? 1 : 0;
        a.colorType = ReadFlagMember(info, "ColorTypeFlags") ? 1 : 0;
    }
    m_audioLightSettings = a;
    return a;
}

void CBasicProfiledata::SetAudioLightInfo(const AudioLightSettings& a) {
    m_audioLightSettings = a;
    Json::Value info(Json::objectValue);
    info["AudioMode"] = Int(a.audioMode);
    info["BkColorR"] = Int(a.bkRed);
    info["BkColorG"] = Int(a.bkGreen);
    info["BkColorB"] = Int(a.bkBlue);
    info["FgColorR"] = Int(a.fgRed);
    info["FgColorG"] = Int(a.fgGreen);
    info["FgColorB"] = Int(a.fgBlue);
    info["7ColorFlags"] = Int(a.sevenColor);
    info["ColorTypeFlags"] = Int(a.colorType);
    Assign(&m_section, "AudioLightInfo", info);
}

void CBasicProfiledata::SetAudioLightInfo(uint32_t word0, uint32_t word1, uint32_t byte8) {
    SetAudioLightInfo(AudioLightSettingsFromWords(AudioLightWords{word0, word1, byte8}));
}

std::vector<LightListEntry> CBasicProfiledata::GetLightList() {
    m_lightOverrides.clear();
    Json::Value* list = m_section.isNull() ? nullptr : Member(&m_section, "LightList");
    const uint32_t count = json::ArraySize(list);
    m_lightOverrides.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        Json::Value* element = &(*list)[i];
        if (!element->isObject())
            continue;
        LightListEntry& e = m_lightOverrides[i];
        e.present = 1;
        e.mode = ReadByteMember(element, "LEDREGMode");
        e.brightness = ReadByteMember(element, "LEDBrightness");
        e.speed = ReadByteMember(element, "LEDSpeed");
        e.direction = ReadFlagMember(element, "LEDDirection") ? 1 : 0;
        e.multiColor = ReadFlagMember(element, "LEDMultiColor") ? 1 : 0;
        e.red = ReadByteMember(element, "red");
        e.green = ReadByteMember(element, "green");
        e.blue = ReadByteMember(element, "blue");
    }
    return m_lightOverrides;
}

std::vector<LightStep> CBasicProfiledata::GetLightSteps() {
    m_lightSteps.clear();
    if (m_lightList.isNull())
        return m_lightSteps;
    const int64_t position = int64_t(m_lightSettings.mode) - m_firstListMode;
    Json::Value* entry =
        Element(Element(Member(&m_lightList, "LightInfo"), m_deviceIndex), position);
    const QString guid = Utf8ToWide(json::ReadText(Member(entry, "Guid")));
    if (!IsPlainFileName(guid)) {
        if (!guid.isEmpty())
            qCWarning(lcProfile) << "refusing light file name" << guid;
        return m_lightSteps;
    }
    if (m_lightListPath.isEmpty())
        return m_lightSteps;
    const QString stepFile =
        QFileInfo(m_lightListPath).absolutePath() + QLatin1Char('/') + guid + ".light";
    Json::Value doc = LoadJsonFile(stepFile);
    if (!doc.isObject())
        return m_lightSteps;
    Json::Value* list = Member(&doc, "LEDEffectList");
    const uint32_t count = json::ArraySize(list);
    m_lightSteps.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        Json::Value* element = &(*list)[i];
        if (!element->isObject())
            continue;
        LightStep& s = m_lightSteps[i];
        s.mode = ReadByteMember(element, "LEDREGMode");
        s.brightness = ReadByteMember(element, "LEDBrightness");
        s.speed = ReadByteMember(element, "LEDSpeed");
        s.direction = ReadByteMember(element, "LEDDirection");
        s.multiColor = ReadByteMember(element, "LEDMultiColor");
        s.red = ReadByteMember(element, "red");
        s.green = ReadByteMember(element, "green");
        s.blue = ReadByteMember(element, "blue");
        s.time = static_cast<int32_t>(ReadIntegerMember(element, "Time"));
        s.cycle = static_cast<int32_t>(ReadIntegerMember(element, "Cyle"));
    }
    return m_lightSteps;
}

std::vector<KeyListEntry> CBasicProfiledata::ReadKeyList(Json::Value& section) {
    std::vector<KeyListEntry> result;
    Json::Value* list = section.isNull() ? nullptr : Member(&section, "KeyList");
    const uint32_t count = json::ArraySize(list);
    result.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        Json::Value* element = &(*list)[i];
        const auto a = static_cast<uint32_t>(ReadIntegerMember(element, "Assignment"));
        const auto d = static_cast<uint32_t>(ReadIntegerMember(element, "DefaultAssignment"));
        KeyListEntry& e = result[i];
        e.current.keyNumber = static_cast<uint16_t>(i);
        e.current.code = KeyCodeFromInt(a);
        e.defaults.keyNumber = static_cast<uint16_t>(i);
        e.defaults.code = KeyCodeFromInt(d);
    }
    return result;
}

void CBasicProfiledata::WriteKeyList(Json::Value& section, const std::vector<KeyListEntry>& list) {
    Json::Value* keys = Member(&section, "KeyList");
    for (size_t i = 0; i < list.size(); ++i) {
        Json::Value* element = Element(keys, static_cast<int64_t>(i));
        Assign(element, "Assignment", Int(KeyCodeToInt(list[i].current.code)));
    }
}

std::vector<KeyListEntry> CBasicProfiledata::GetKeyList() {
    m_keyList = ReadKeyList(m_section);
    return m_keyList;
}

void CBasicProfiledata::SetKeyList(const std::vector<KeyListEntry>& list) {
    m_keyList = list;
    WriteKeyList(m_section, list);
}

std::vector<KeyListEntry> CBasicProfiledata::GetSecondKeyList() {
    m_secondKeyList = ReadKeyList(m_secondSection);
    return m_secondKeyList;
}

void CBasicProfiledata::SetSecondKeyList(const std::vector<KeyListEntry>& list) {
    m_secondKeyList = list;
    WriteKeyList(m_secondSection, list);
}

}  // namespace ravo
