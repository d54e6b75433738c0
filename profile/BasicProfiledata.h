#pragma once

#include "profile/ProfileRecords.h"

#include <QString>

#include <json/value.h>

#include <cstdint>
#include <vector>

namespace ravo {

// The profile data of one device: its device section of the profile file as a JSON value, the
// file routines that load and store it, and the records the device object and the panels work
// with. Getters read the section (adding absent members as null, so a later save writes them);
// setters change it in memory; only the save operations write files. Used on the UI thread only.
//
// A file that cannot be parsed, or whose members have unexpected JSON types, is treated as
// unreadable: the section then comes from the default profile file.
class CBasicProfiledata {
public:
    CBasicProfiledata() = default;
    virtual ~CBasicProfiledata() = default;
    CBasicProfiledata(const CBasicProfiledata&) = delete;
    CBasicProfiledata& operator=(const CBasicProfiledata&) = delete;

    // Paths and index.
    void SetProfilePath(const QString& path);  // ignored when empty
    QString GetProfilePath() const { return m_profilePath; }
    void SetDefaultPath(const QString& path);  // ignored when empty
    QString GetDefaultPath() const { return m_defaultPath; }
    void SetLightListPath(const QString& path) { m_lightListPath = path; }
    QString GetLightListPath() const { return m_lightListPath; }
    void SetDeviceIndex(int32_t index) { m_deviceIndex = index; }
    int32_t GetDeviceIndex() const { return m_deviceIndex; }

    // Loads the current section from a profile file. When the file lacks it (or is missing,
    // unreadable or of the wrong shape) the section comes from the default file and the profile
    // file is rewritten with it; LastError() tells when that rewrite failed.
    Json::Value LoadSection(const QString& path);
    // The same for the second section; the current section is not touched.
    Json::Value LoadSecondSection(const QString& path);
    // Loads the light list file ("veldo_light.config"); null when it cannot be read.
    Json::Value LoadLightList(const QString& path);

    // Saves write files and report failure (LastError() says why); a failed save leaves the
    // file as it was.
    [[nodiscard]] virtual bool SaveProfile();
    // Rereads the file and replaces only this device's element of its "Device" array.
    [[nodiscard]] virtual bool SaveSectionTo(const Json::Value& section, const QString& path);
    [[nodiscard]] virtual bool SaveSecondSectionTo(const QString& path);
    [[nodiscard]] virtual bool WriteWholeFile(const Json::Value& value, const QString& path);

    // Why the last load rewrite or save failed; empty after success.
    const QString& LastError() const { return m_lastError; }

    // Copies of the sections as they are in memory.
    Json::Value CurrentSection() const { return m_section; }
    Json::Value SecondSection() const { return m_secondSection; }

    // Records of the current section.
    LightSettings GetLightInfo();
    void SetLightInfo(const LightSettings& settings);
    void SetLightInfo(uint32_t word0, uint32_t word1, uint32_t word2, uint16_t word3);
    AudioLightSettings GetAudioLightInfo();
    void SetAudioLightInfo(const AudioLightSettings& settings);
    void SetAudioLightInfo(uint32_t word0, uint32_t word1, uint32_t byte8);
    std::vector<LightListEntry> GetLightList();
    // The steps of the user light file that the light list names for the current mode. The file
    // is "<Guid>.light" in the light list file's folder; a Guid that is not a plain file name is
    // refused.
    std::vector<LightStep> GetLightSteps();
    std::vector<KeyListEntry> GetKeyList();
    void SetKeyList(const std::vector<KeyListEntry>& list);
    std::vector<KeyListEntry> GetSecondKeyList();
    void SetSecondKeyList(const std::vector<KeyListEntry>& list);

protected:
    // Whether a device section read from a file has the member types this device reads.
    virtual bool SectionShapeOk(const Json::Value& section) const;

    // The section in memory; subclasses read and write their own members here.
    Json::Value m_section;  // the device section of the profile file

private:
    bool DocumentUsable(const Json::Value& doc) const;
    Json::Value LoadSectionInto(const QString& path, Json::Value& section);
    Json::Value ElementOf(const Json::Value& doc) const;
    static std::vector<KeyListEntry> ReadKeyList(Json::Value& section);
    static void WriteKeyList(Json::Value& section, const std::vector<KeyListEntry>& list);

    QString m_profilePath;
    QString m_defaultPath;
    int32_t m_firstListMode = 0;  // mode from which "SelectItem" refers to the light list
    LightSettings m_lightSettings;
    LightSettings m_fallbackLightSettings;  // returned when the section has no "LightInfo"
    AudioLightSettings m_audioLightSettings;
    std::vector<LightListEntry> m_lightOverrides;
    Json::Value m_secondSection;  // a device section of another profile file
    QString m_lightListPath;
    std::vector<LightStep> m_lightSteps;
    Json::Value m_lightList;
    std::vector<KeyListEntry> m_keyList;
    std::vector<KeyListEntry> m_secondKeyList;
    int32_t m_deviceIndex = 0;
    QString m_lastError;
};

}  // namespace ravo
