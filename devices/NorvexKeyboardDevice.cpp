#include "devices/NorvexKeyboardDevice.h"

#include "app/toolkit/ControlOps.h"
#include "app/toolkit/ResourceManager.h"
#include "app/toolkit/UiThread.h"
#include "app/toolkit/WindowUI.h"
#include "device/KeyboardCommands.h"
#include "device/KeyboardSequences.h"
#include "devices/KeyTableComposer.h"
#include "devices/KeyboardFrame.h"
#include "devices/KeyboardLighting.h"
#include "devices/KeyboardSyncCode.h"
#include "devices/MacroAssignments.h"
#include "devices/MacroSource.h"
#include "devices/PowerDisplay.h"
#include "panels/DeviceKeyButtonUI.h"
#include "panels/KeyCodeTable.h"
#include "profile/DataFolders.h"
#include "profile/JsonFiles.h"

#include <QLoggingCategory>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace ravo {

Q_DECLARE_LOGGING_CATEGORY(lcDevices)

namespace {

constexpr int kOptionCount = 4;
constexpr uint32_t kCodeProfilesChanged = 0x402;
constexpr int kFnKey = 110;
constexpr int kCustomLightsMode = 20;
constexpr int kRippleMode = 24;
constexpr auto kFailedFramePause = std::chrono::milliseconds(200);

KeyCode ToKeyCode(const KeyCodeBytes& c) {
    return {c.type, c.p1, c.p2};
}

KeyCodeBytes ToBytes(const KeyCode& c) {
    return {c.type, c.param1, c.param2};
}

QString JsonText(const Json::Value& v) {
    return v.isString() ? QString::fromStdString(v.asString()) : QString();
}

const Json::Value& Element(const Json::Value& v, int index) {
    static const Json::Value kNull;
    if (!v.isArray() || index < 0 || static_cast<Json::ArrayIndex>(index) >= v.size()) {
        return kNull;
    }
    return v[static_cast<Json::ArrayIndex>(index)];
}

const Json::Value& Member(const Json::Value& v, const char* name) {
    static const Json::Value kNull;
    if (!v.isObject() || !v.isMember(name)) {
        return kNull;
    }
    return v[name];
}

}  // namespace

CNorvexKeyboardDevice::CNorvexKeyboardDevice(QWidget* parent)
    : CNorvexUSBDevice(parent), m_lighting(std::make_unique<KeyboardLighting>(*this)) {
    m_deviceKind = 1;
    m_profile.SetDefaultPath(DefaultProfilePathFor("keyboard"));
}

CNorvexKeyboardDevice::~CNorvexKeyboardDevice() {
    StopWorkerThreads();
    if (CWindowUI* window = ui::OwnerWindow(this)) {
        window->RemoveNotifier(this);
    }
}

int CNorvexKeyboardDevice::BuildPage() {
    if (CWindowUI* window = ui::OwnerWindow(this)) {
        window->AddNotifier(this);
    }
    return BuildDevicePage();
}

int CNorvexKeyboardDevice::BuildDevicePage() {
    if (m_pageLayout.IsEmpty()) {
        return CNorvexUSBDevice::BuildPage();
    }
    QWidget* container = ui::FindControl(this, "keyboard_device_key_light");
    if (container == nullptr) {
        return 0;
    }
    for (QObject* child : container->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        CControlUI* c = ui::AsControl(w);
        if (c != nullptr && c->GetClass() == CDeviceKeyButtonUI::kClassName) {
            BindButton(w, true);
        }
    }
    if (m_keyLightContainer == nullptr) {
        m_keyLightContainer = container;
    }
    // The profile, lighting, macro and key panels bind themselves here once the page has them.
    m_profilePanel = ui::FindControl(this, "DeviceProfileItem");
    m_lightPanel = ui::FindControl(this, "LightControlItem");
    m_macroPanel = ui::FindControl(this, "MacroControlItem");
    m_keyPanel = ui::FindControl(this, "KeySetControlItem");
    if (m_lightPanel != nullptr) {
        ReloadNameLists();
    }
    if (m_keyPanel != nullptr) {
        ui::SetVisible(m_keyPanel, false);
    }
    return 1;
}

// --- Reading the keyboard ---------------------------------------------------------------

void CNorvexKeyboardDevice::ReadKeyTables() {
    if (!m_link.IsOpen()) {
        return;
    }
    std::array<uint8_t, 34> info{};
    KeyTableImage table{};
    KeyTableImage leds{};
    const int32_t r = keyboard::ReadEverything(m_link, info, table, leds);
    if (r != kCommandOk) {
        // A refused key count or a failed read keeps the maps of the last good read.
        qCWarning(lcDevices) << "reading the key tables failed:" << r;
        return;
    }
    m_deviceInfo = info;
    m_keyTableImage = table;
    m_ledMapImage = leds;
    BuildKeyMaps();
}

void CNorvexKeyboardDevice::BuildKeyMaps() {
    m_keyMap.Build(m_keyTableImage, m_ledMapImage, m_deviceInfo[keyboard::kDeviceInfoKeyCount]);
    m_keyPositionMap = m_keyMap.PositionMap();
    m_ledMap = m_keyMap.LedMap();
}

int CNorvexKeyboardDevice::ReadLightRecord() {
    KeyboardLightCopy previous;
    {
        std::lock_guard lock(m_lightLock);
        m_previousLightBlock = {m_deviceProfileNumber, m_lightCopy};
        previous = m_lightCopy;
    }
    LightRecord record{};
    uint8_t profile = 0;
    bool read = false;
    if (m_link.IsOpen()) {
        read = keyboard::ReadLightRecord(m_link, record, &profile) == kCommandOk;
    }
    KeyboardLightCopy copy;
    {
        std::lock_guard lock(m_lightLock);
        if (read) {
            m_deviceProfileNumber = profile;
            m_lightRecord = record;
        }
        NormaliseReadRecord(m_lightRecord, m_deviceProfileNumber, m_modeValues);
        m_lightCopy = LightCopyFromRecord(m_lightRecord);
        copy = m_lightCopy;
        record = m_lightRecord;
        profile = m_deviceProfileNumber;
    }
    ApplyLightCopy(copy, m_lightSettings);
    SyncLighting(copy.mode != previous.mode || copy.mode == kCustomLightsMode);
    ApplyRecordFlags(record, m_system);
    m_profile.SetSystemStages(m_system);
    LightSettings settings;
    std::memcpy(&settings, m_lightSettings.data(), sizeof(settings));
    m_profile.SetLightInfo(settings);
    SaveProfile();
    return profile;
}

uint8_t CNorvexKeyboardDevice::DeviceProfileNumber() const {
    std::lock_guard lock(m_lightLock);
    return m_deviceProfileNumber;
}

LightRecord CNorvexKeyboardDevice::LightRecordBlock() const {
    std::lock_guard lock(m_lightLock);
    return m_lightRecord;
}

KeyboardLightCopy CNorvexKeyboardDevice::LightCopy() const {
    std::lock_guard lock(m_lightLock);
    return m_lightCopy;
}

void CNorvexKeyboardDevice::HandleSyncCode(uint32_t code) {
    if (!m_link.IsOpen()) {
        return;
    }
    const SyncCodeEffect effect = InterpretSyncCode(code);
    if (!effect.applies) {
        return;
    }
    {
        std::lock_guard lock(m_lightLock);
        m_deviceProfileNumber = effect.profile;
        if (effect.hasNibble) {
            m_lightRecord[light_record::kProfileNibble] = effect.nibble;
        }
    }
    ui::RunOnObjectThread(this, [this] { RefreshPage(); });
}

// --- Attach and resync ----------------------------------------------------------------------

void CNorvexKeyboardDevice::OnAttached() {
    ReadKeyTables();
    ReloadProfile();
    ReadLightRecord();
    RefreshPage();
    StartLightThread();
}

void CNorvexKeyboardDevice::OnResync() {
    ReadLightRecord();
    if (m_lastListenerCode.load() == kCodeProfilesChanged) {
        ReloadProfile();
    }
    RefreshPage();
}

int CNorvexKeyboardDevice::IsReceiverLinkOnline() {
    return keyboard::IsReceiverOnline(m_link) ? 1 : 0;
}

void CNorvexKeyboardDevice::PollStatus() {
    if (!m_link.IsOpen() || m_statusPollSuspended != 0) {
        return;
    }
    std::array<uint8_t, 6> status{};
    if (keyboard::ReadPowerStatus(m_link, status) != kCommandOk) {
        return;
    }
    if (auto* display = dynamic_cast<IPowerDisplay*>(m_powerDisplay.data())) {
        display->SetPowerStatus(status.data(), static_cast<int>(status.size()));
    }
}

// --- Profile ----------------------------------------------------------------------------------

void CNorvexKeyboardDevice::SetProfilePaths() {
    const QString folder = UserFolder().GetData();
    m_profile.SetProfilePath(folder + m_profileName.GetData() + ".Json");
    m_profile.SetLightListPath(folder + m_configName.GetData() + ".config");
}

CDuiString CNorvexKeyboardDevice::GetProfilePath() {
    return m_profile.GetProfilePath();
}

void CNorvexKeyboardDevice::SaveProfile() {
    if (!m_profile.SaveProfile()) {
        qCWarning(lcDevices) << "saving the profile failed:" << m_profile.LastError();
    }
}

void CNorvexKeyboardDevice::SetLightSetIndex(int index) {
    CNorvexUSBDevice::SetLightSetIndex(index);
    m_profile.SetDeviceIndex(0);
}

void CNorvexKeyboardDevice::SetLightSettings(uint32_t word0, uint32_t word1, uint32_t word2,
                                             uint16_t word3) {
    CNorvexUSBDevice::SetLightSettings(word0, word1, word2, word3);
    m_profile.SetLightInfo(word0, word1, word2, word3);
    // The steps read colour and direction from the settings; the mode changes with ApplyProfile.
    m_lighting->Update(false);
}

void CNorvexKeyboardDevice::SetAudioLightSettings(uint32_t word0, uint32_t word1, uint32_t word2) {
    CNorvexUSBDevice::SetAudioLightSettings(word0, word1, word2);
    m_profile.SetAudioLightInfo(word0, word1, word2);
}

int CNorvexKeyboardDevice::ReloadProfile() {
    SetProfilePaths();
    m_profile.LoadSection(m_profile.GetProfilePath());
    m_assignments = m_profile.GetKeyList();
    ApplyProfile();
    m_system = m_profile.GetSystemStages();
    return 1;
}

void CNorvexKeyboardDevice::RestoreDefaultProfile() {
    m_profile.LoadSection(DefaultProfilePath().GetData());
    m_assignments = m_profile.GetKeyList();
    ApplyProfile();
    m_system = m_profile.GetSystemStages();
    SaveProfile();
    RefreshPage();
}

int CNorvexKeyboardDevice::ApplyProfile() {
    const LightSettings settings = m_profile.GetLightInfo();
    std::memcpy(m_lightSettings.data(), &settings, sizeof(settings));
    m_audioLightSettings = AudioLightSettingsToWords(m_profile.GetAudioLightInfo());

    KeyboardLightCopy previous;
    {
        std::lock_guard lock(m_lightLock);
        previous = m_lightCopy;
        m_lightCopy.mode = settings.mode;
        m_lightCopy.brightness = settings.brightness;
        m_lightCopy.speed = settings.speed;
        m_lightCopy.multiColour = settings.multiColor;
        m_lightCopy.red = settings.red;
        m_lightCopy.green = settings.green;
        m_lightCopy.blue = settings.blue;
    }
    const bool modeStart = settings.mode != previous.mode || settings.mode == kCustomLightsMode;
    {
        // The light thread walks one override per light: keep exactly light-count entries.
        std::vector<LightListEntry> overrides = m_profile.GetLightList();
        overrides.resize(static_cast<size_t>(m_lightCount));
        std::lock_guard lock(m_perLightLock);
        m_lightOverrides = std::move(overrides);
    }
    {
        std::lock_guard lock(m_lightLock);
        if (settings.mode == kRippleMode) {
            m_hues.fill(0);
        }
        m_phase = 0;
    }
    m_profile.LoadLightList(m_profile.GetLightListPath());
    {
        std::vector<LightStep> steps = m_profile.GetLightSteps();
        std::lock_guard lock(m_sequenceLock);
        m_lightSequence = std::move(steps);
        m_sequenceLength = static_cast<int>(m_lightSequence.size());
        m_sequenceCursor = 0;
    }
    SyncLighting(modeStart);
    m_lighting->ReloadLists();
    return 1;
}

void CNorvexKeyboardDevice::SyncLighting(bool modeStart) {
    if (modeStart) {
        std::lock_guard lock(m_lightLock);
        m_phase = 0;
        m_hues.fill(0);
        m_levels.fill(0);
    }
    m_lighting->Update(modeStart);
}

bool CNorvexKeyboardDevice::OpenListener(const std::string& path, int kind) {
    return m_lighting->Listeners().OpenListener(path, kind);
}

void CNorvexKeyboardDevice::CloseListener(int kind) {
    m_lighting->Listeners().CloseListener(kind);
}

bool CNorvexKeyboardDevice::ReopenListener(const std::string& path, int kind) {
    return m_lighting->Listeners().ReopenListener(path, kind);
}

void CNorvexKeyboardDevice::StartLightThread() {
    m_lighting->StartLightThread();
}

void CNorvexKeyboardDevice::StopWorkerThreads() {
    m_lighting->StopWorkerThreads();
}

void CNorvexKeyboardDevice::ReloadNameLists() {
    MacroSource macros(UserFolder().GetData());
    macros.Load();
    m_macroNames.assign(macros.Names().begin(), macros.Names().end());

    m_defaultLightNames.clear();
    m_defaultLightVisible.clear();
    m_modeValues.clear();
    m_areaLightNames.clear();
    const Json::Value names =
        LoadJsonFile(QString(DefaultDataFolder().GetData()) + "default_light.json");
    for (const Json::Value& e : Element(Member(names, "DefaultLightName"), m_lightSetIndex)) {
        m_defaultLightNames.push_back(JsonText(Member(e, "LightName")));
        const Json::Value& visible = Member(e, "visible");
        m_defaultLightVisible.push_back(
            visible.isBool() ? visible.asBool() : (visible.isNumeric() && visible.asDouble() != 0));
        const Json::Value& value = Member(e, "value");
        m_modeValues.push_back(value.isInt() ? value.asInt() : 0);
    }
    for (const Json::Value& e : Element(Member(names, "AreaLightName"), m_lightSetIndex)) {
        m_areaLightNames.push_back(JsonText(Member(e, "LightName")));
    }

    m_userLightNames.clear();
    const Json::Value lights = LoadJsonFile(QString(UserFolder().GetData()) + "veldo_light.config");
    for (const Json::Value& e : Element(Member(lights, "LightInfo"), m_lightSetIndex)) {
        m_userLightNames.push_back(JsonText(Member(e, "LightName")));
    }
}

// --- Keys and macros -------------------------------------------------------------------------

std::vector<KeyAssignmentPair> CNorvexKeyboardDevice::PairsOf(
    const std::vector<KeyListEntry>& list) {
    std::vector<KeyAssignmentPair> pairs;
    pairs.reserve(list.size());
    for (const KeyListEntry& e : list) {
        pairs.push_back({ToBytes(e.current.code), ToBytes(e.defaults.code)});
    }
    return pairs;
}

std::vector<int> CNorvexKeyboardDevice::CollectAssignedMacros() {
    MacroSource macros(UserFolder().GetData());
    macros.Load();
    return ravo::CollectAssignedMacros(PairsOf(m_assignments), m_keyMap, macros.Count());
}

int CNorvexKeyboardDevice::WriteKeyTable(int profileNumber, std::vector<KeyListEntry> assignments) {
    if (!m_link.IsOpen()) {
        return 0;
    }
    std::array<uint8_t, 34> info = m_deviceInfo;
    ReadDeviceInfo(m_link, info);
    MacroSource macros(UserFolder().GetData());
    macros.Load();
    std::vector<KeyAssignmentPair> pairs = PairsOf(assignments);
    KeyTableImage image{};
    const int bytes = ComposeKeyTable(m_keyTableImage, info[keyboard::kDeviceInfoKeyCount],
                                      m_keyMap, pairs, macros.Count(), image);
    for (size_t i = 0; i < pairs.size(); ++i) {
        assignments[i].current.code = ToKeyCode(pairs[i].current);
    }
    if (bytes == 0 || !m_link.SetBlockSize(static_cast<uint32_t>(bytes))) {
        qCWarning(lcDevices) << "key table not written: the keyboard reports"
                             << info[keyboard::kDeviceInfoKeyCount] << "keys";
        return 0;
    }
    BeginSettings(m_link);
    WriteKeyTablePage(m_link, image, static_cast<uint32_t>(std::max(profileNumber, 0)));
    EndSettings(m_link, 1);
    return 1;
}

int CNorvexKeyboardDevice::WriteCurrentKeyTable(int profileNumber) {
    return WriteKeyTable(profileNumber, m_assignments);
}

int CNorvexKeyboardDevice::WriteMacros(const std::vector<int>& macroIndices) {
    MacroSource macros(UserFolder().GetData());
    if (!macros.Load() || macroIndices.empty()) {
        return 0;
    }
    std::vector<std::vector<MacroEventBytes>> events;
    if (!macros.LoadEvents(macroIndices, events)) {
        return 0;
    }
    std::vector<size_t> counts;
    for (const auto& m : events) {
        counts.push_back(m.size());
    }
    const size_t total = MacroImageSize(counts);
    const size_t capacity =
        size_t{m_deviceInfo[keyboard::kDeviceInfoMacroUnits]} * keyboard::kMacroUnitBytes;
    if (const int over = MacroOverflow(total, capacity); over > 0) {
        return over;
    }
    std::vector<uint8_t> image;
    if (!BuildMacroImage(events, image)) {
        return -1;
    }
    if (m_link.IsOpen()) {
        BeginSettings(m_link);
        WriteMacroImage(m_link, image);
    }
    EndSettings(m_link, 1);
    return 0;
}

void CNorvexKeyboardDevice::RepairMacroAssignments() {
    ReloadNameLists();
    std::vector<KeyAssignmentPair> pairs = PairsOf(m_assignments);
    const bool changed = ravo::RepairMacroAssignments(pairs, static_cast<int>(m_macroNames.size()));
    if (changed) {
        for (size_t i = 0; i < pairs.size(); ++i) {
            m_assignments[i].current.code = ToKeyCode(pairs[i].current);
        }
        m_profile.SetKeyList(m_assignments);
    }
    ReloadNameLists();
    if (changed) {
        RefreshKeyTexts();
    }
}

void CNorvexKeyboardDevice::SelectKey(int key) {
    CNorvexUSBDevice::SelectKey(key);
    if (m_keyPanel != nullptr) {
        ui::SetVisible(m_keyPanel, true);
    }
}

void CNorvexKeyboardDevice::SetKeyAssignment(uint32_t word0, uint32_t word1, uint32_t word2) {
    if (m_selectedKey < 0 || static_cast<size_t>(m_selectedKey) >= m_assignments.size()) {
        return;
    }
    const uint32_t words[3] = {word0, word1, word2};
    static_assert(sizeof(words) == sizeof(KeyListEntry));
    std::memcpy(&m_assignments[static_cast<size_t>(m_selectedKey)], words, sizeof(words));
    m_profile.SetKeyList(m_assignments);
}

void CNorvexKeyboardDevice::SetAssignments(const std::vector<KeyListEntry>& list) {
    m_assignments = list;
    m_profile.SetKeyList(m_assignments);
}

void CNorvexKeyboardDevice::SetSecondAssignments(const std::vector<KeyListEntry>& list) {
    m_secondAssignments = list;
    m_profile.SetSecondKeyList(m_secondAssignments);
}

// --- Frame output ------------------------------------------------------------------------------

bool CNorvexKeyboardDevice::ModeIsDeviceDriven(int mode) {
    switch (mode) {
        case 7:
        case 8:
        case 9:
        case 16:
        case 17:
        case 18:
        case 20:
            return true;
        default:
            return false;
    }
}

void CNorvexKeyboardDevice::OutputFrame() {
    if (m_lightingControl.load() == 0) {
        return;
    }
    const size_t count = CopyLightsAndPreview();
    LiveFrame frame;
    BuildLiveFrame(m_frameLights.data(), count, m_keyMap, frame);
    int mode = 0;
    {
        std::lock_guard lock(m_lightLock);
        mode = m_lightCopy.mode;
    }
    if (m_link.IsReceiverMode() || ModeIsDeviceDriven(mode)) {
        return;
    }
    if (StreamLighting(m_link, frame) != kCommandOk) {
        std::this_thread::sleep_for(kFailedFramePause);
    }
}

// --- Page -----------------------------------------------------------------------------------

void CNorvexKeyboardDevice::SetFunctionPage(int page) {
    CNorvexUSBDevice::SetFunctionPage(page);
    if (CDeviceKeyButtonUI* fn = KeyButton(kFnKey)) {
        if (page == 1) {
            fn->setEnabled(true);
        } else if (page == 2) {
            fn->setEnabled(false);
        }
    }
}

void CNorvexKeyboardDevice::RefreshPage() {
    SetWinLock(system_stage::WinFlag(m_system));
    SetWasd(system_stage::WFlag(m_system));
    SetKey6(system_stage::Key6Flag(m_system));
    SetRepeatRate(system_stage::Repeat(m_system));
    SetRepeatDelayOption(system_stage::RepeatDelay(m_system));
    ClearRepeatInput();
    SetRepeatInputTip();
    SetPollingRateOption(system_stage::PollingRate(m_system));
}

CDuiString CNorvexKeyboardDevice::Translate(const CDuiString& key) {
    if (QWidget* probe = ui::FindControl(this, "text_test")) {
        ui::SetText(probe, QString("%[") + key.GetData() + "]");
        return ui::GetText(probe);
    }
    return CResourceManager::Instance().GetText(key);
}

void CNorvexKeyboardDevice::SelectNumberedOption(const char* prefix, int n) {
    if (n < 0 || n >= kOptionCount) {
        n = 0;
    }
    for (int i = 0; i < kOptionCount; ++i) {
        QWidget* option = ui::FindControl(this, CDuiString::FormatText("%s%d", prefix, i));
        ui::SetSelected(option, i == n, false);
    }
}

int CNorvexKeyboardDevice::SelectedNumberedOption(const char* prefix) const {
    auto* self = const_cast<CNorvexKeyboardDevice*>(this);
    for (int i = 0; i < kOptionCount; ++i) {
        if (ui::IsSelected(ui::FindControl(self, CDuiString::FormatText("%s%d", prefix, i)))) {
            return i;
        }
    }
    return -1;
}

void CNorvexKeyboardDevice::SetPollingRateOption(int n) {
    SelectNumberedOption("polling_rate_option_", n);
}

void CNorvexKeyboardDevice::SetRepeatDelayOption(int n) {
    if (n < 0 || n >= kOptionCount) {
        n = 0;
    }
    SelectNumberedOption("repeat_delay_check_", n);
    const QString text =
        Translate("Repeat_Delay_Time").GetData() + QString::number(n * 250 + 250) + "ms";
    ui::SetText(ui::FindControl(this, "repeat_delay_time_label1"), text);
}

void CNorvexKeyboardDevice::SetWinLock(int flag) {
    ui::SetSelected(ui::FindControl(this, "winlockflag_option"), flag != 0, false);
}

void CNorvexKeyboardDevice::SetWasd(int flag) {
    ui::SetSelected(ui::FindControl(this, "wflag_option"), flag != 0, false);
}

void CNorvexKeyboardDevice::SetKey6(int flag) {
    ui::SetSelected(ui::FindControl(this, "6flag_option"), flag != 0, false);
}

void CNorvexKeyboardDevice::SetRepeatRate(int value) {
    ui::SetValue(ui::FindControl(this, "repeat_rate_slider"), value);
}

void CNorvexKeyboardDevice::ClearRepeatInput() {
    ui::SetText(ui::FindControl(this, "repeat_input_richedit"), "");
}

void CNorvexKeyboardDevice::SetRepeatInputTip() {
    ui::SetToolTip(ui::FindControl(this, "repeat_input_richedit"), Translate("Repeat_input_text"));
}

int CNorvexKeyboardDevice::GetPollingRateOption() const {
    return SelectedNumberedOption("polling_rate_option_");
}

int CNorvexKeyboardDevice::GetRepeatDelayOption() const {
    return SelectedNumberedOption("repeat_delay_check_");
}

int CNorvexKeyboardDevice::GetWinLock() const {
    return ui::IsSelected(
               ui::FindControl(const_cast<CNorvexKeyboardDevice*>(this), "winlockflag_option"))
               ? 1
               : 0;
}

int CNorvexKeyboardDevice::GetWasd() const {
    return ui::IsSelected(ui::FindControl(const_cast<CNorvexKeyboardDevice*>(this), "wflag_option"))
               ? 1
               : 0;
}

int CNorvexKeyboardDevice::GetKey6() const {
    return ui::IsSelected(ui::FindControl(const_cast<CNorvexKeyboardDevice*>(this), "6flag_option"))
               ? 1
               : 0;
}

int CNorvexKeyboardDevice::GetRepeatRate() const {
    return ui::GetValue(
        ui::FindControl(const_cast<CNorvexKeyboardDevice*>(this), "repeat_rate_slider"));
}

// --- Key captions -----------------------------------------------------------------------------

CDuiString CNorvexKeyboardDevice::AssignmentText(const KeyCode& code) {
    if (code.type == 0x20 && code.param1 == 0 && code.param2 == 0) {
        return Translate("close_text");
    }
    const int row = FindKeyCodeRow(code.type, code.param1, code.param2);
    if (row >= 0) {
        return Translate(KeyCodeTableRow(row).name);
    }
    if (code.type == 0x20) {
        // Modifiers, then the key: "Ctrl+Shift+A".
        CDuiString text;
        for (int m = 0; m < kModifierRowCount; ++m) {
            const KeyCodeRow& mod = KeyCodeTableRow(m);
            if ((code.param1 & mod.p1) != 0) {
                text += Translate(mod.name).GetData() + QStringLiteral("+");
            }
        }
        const int key = FindKeyCodeRow(0x20, 0, code.param2, kModifierRowCount);
        if (key >= 0) {
            return text + Translate(KeyCodeTableRow(key).name);
        }
        if (!text.IsEmpty()) {
            return text.Left(text.GetLength() - 1);
        }
    }
    if (IsMacroCode(ToBytes(code)) && code.param1 < m_macroNames.size()) {
        return m_macroNames[code.param1];
    }
    return CDuiString(u"关闭");
}

void CNorvexKeyboardDevice::RefreshKeyTexts() {
    const std::vector<KeyListEntry> list = m_assignments;
    for (size_t key = 0; key < list.size(); ++key) {
        SetKeyTip(static_cast<int>(key), AssignmentText(list[key].current.code));
    }
}

void CNorvexKeyboardDevice::SetKeyTip(int key, const CDuiString& text) {
    CDeviceKeyButtonUI* button = KeyButton(key);
    if (button == nullptr) {
        return;
    }
    const CDuiString title = AssignmentText(ToKeyCode(KeyboardDefaultCode(key)));
    button->SetRemapped(title.CompareNoCase(text) != 0);
    button->setToolTip(title.GetData() + "\n" + Translate("Key_Set").GetData() + text.GetData());
}

int CNorvexKeyboardDevice::WriteLightRecord(int profileNumber, int indexByte, int, int, int) {
    const LightSettings settings = m_profile.GetLightInfo();
    LightSettingsBytes light{};
    std::memcpy(light.data(), &settings, sizeof(settings));
    const LightRecord record = EncodeLightRecord(light, m_profile.GetSystemStages(),
                                                 static_cast<uint8_t>(indexByte), m_modeValues);
    if (profileNumber >= 0 && profileNumber <= 0xFF) {
        keyboard::WriteLightRecord(m_link, record, static_cast<uint8_t>(profileNumber));
    }
    return 1;
}

}  // namespace ravo
