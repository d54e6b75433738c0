// Feeds arbitrary bytes to the profile files: as a profile file, a default profile file, a
// light list and a light step file, and straight into the device section of every kind of
// profile data, then calls every getter and setter and saves. Nothing may crash, throw, leak
// or read out of bounds, and whatever is saved must read back as it was.
#include "profile/JsonFiles.h"
#include "profile/KeyboardProfiledata.h"
#include "profile/MouseProfiledata.h"
#include "profile/Va6533Profiledata.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

QString g_folder;

QString PathOf(const char* name) {
    return g_folder + QLatin1Char('/') + QLatin1String(name);
}

void WriteBytes(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
}

// jsoncpp's == tells signed from unsigned integers, so compare what a file would hold.
void CheckRoundTrip(const Json::Value& value) {
    const std::string text = ravo::StyledJsonText(value);
    if (ravo::StyledJsonText(ravo::ParseJsonText(text)) != text)
        std::abort();
}

// Gives the fuzzer the section directly, past the shape check of LoadSection.
template <typename Base>
class Exposed : public Base {
public:
    void SetSection(const Json::Value& section) { this->m_section = section; }
};

void ExerciseBasic(ravo::CBasicProfiledata& data) {
    const ravo::LightSettings light = data.GetLightInfo();
    const ravo::AudioLightSettings audio = data.GetAudioLightInfo();
    data.GetLightList();
    data.GetLightSteps();
    data.SetLightInfo(ravo::LightSettings{});  // mode 0: the step file the fuzzer wrote
    data.GetLightSteps();
    std::vector<ravo::KeyListEntry> keys = data.GetKeyList();
    data.GetSecondKeyList();
    data.SetLightInfo(light);
    data.SetAudioLightInfo(audio);
    keys.resize(keys.size() + 1);  // one more than the file had
    data.SetKeyList(keys);
    data.SetSecondKeyList(keys);
}

void ExerciseKeyboard(ravo::CKeyboardProfiledata& data) {
    ExerciseBasic(data);
    data.SetSystemStages(data.GetSystemStages());
    const int32_t group = data.GetCustomGroupIndex();
    data.SetCustomColours(data.GetCustomColours(group, 170), group);
    data.SetCustomGroupIndex(group);
}

void ExerciseMouse(ravo::CMouseProfiledata& data) {
    ExerciseBasic(data);
    data.SetDpiStages(data.GetDpiStages());
    data.SetActiveStage(data.GetActiveStage());
    data.SetMouseSystemWords(data.GetMouseSystemWords());
    data.GetCorrectList();
}

void ExerciseHeadset(ravo::CVa6533Profiledata& data) {
    ExerciseBasic(data);
    const ravo::HeadsetAudioSettings settings = data.GetSystemSetStages();
    data.SetSystemSetStages(settings);
    for (int32_t type = -1; type <= 14; ++type)
        data.SetEqValues(type, data.GetEqValues(type));
    data.SetEqValues(settings.eqType, data.GetEqValues(settings.eqType));
    data.SetCustomEqNames(data.GetCustomEqNames());
    for (int32_t k = -1; k < 4; ++k)
        data.SetCustomEqValues(k, data.GetCustomEqValues(k));
    data.SetCustomEqValues(settings.customEqSelectIndex,
                           data.GetCustomEqValues(settings.customEqSelectIndex));
}

template <typename Data, typename Exercise>
void ThroughFiles(Exercise exercise) {
    Data data;
    data.SetDefaultPath(PathOf("default.Json"));
    data.SetProfilePath(PathOf("profile.Json"));
    data.SetLightListPath(PathOf("veldo_light.config"));
    data.LoadLightList(PathOf("veldo_light.config"));
    data.LoadSection(PathOf("profile.Json"));
    data.LoadSecondSection(PathOf("default.Json"));
    exercise(data);
    const Json::Value section = data.CurrentSection();
    CheckRoundTrip(section);
    if (data.SaveProfile()) {
        Data reread;
        reread.SetDefaultPath(PathOf("none.Json"));
        if (ravo::StyledJsonText(reread.LoadSection(PathOf("profile.Json"))) !=
            ravo::StyledJsonText(section))
            std::abort();
    }
}

template <typename Data, typename Exercise>
void Directly(const Json::Value& value, Exercise exercise) {
    Exposed<Data> data;
    data.SetLightListPath(PathOf("steps.config"));
    data.LoadLightList(PathOf("steps.config"));
    data.SetSection(value);
    exercise(data);
    CheckRoundTrip(data.CurrentSection());
}

}  // namespace

// Short allocation stacks and a small quarantine: the values allocate a lot. A crash found
// this way can be rerun with the full defaults through ASAN_OPTIONS.
extern "C" const char* __asan_default_options() {
    return "malloc_context_size=5:quarantine_size_mb=32";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLoggingCategory::setFilterRules(QStringLiteral("ravo.profile.*=false"));
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    g_folder =
        base + QStringLiteral("/ravo-profile-fuzz-%1").arg(QCoreApplication::applicationPid());
    QDir().mkpath(g_folder);
    std::atexit([] { QDir(g_folder).removeRecursively(); });
    // A light list naming the step file the fuzzer writes for mode 0.
    Json::Value list;
    list["LightInfo"][0][0]["Guid"] = "steps";
    if (!ravo::WriteJsonFile(list, PathOf("steps.config")))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Json::Value parsed = ravo::ParseJsonText(text);
    CheckRoundTrip(parsed);

    for (const char* name : {"profile.Json", "default.Json", "veldo_light.config", "steps.light"})
        WriteBytes(PathOf(name), data, size);
    if (ravo::LoadJsonFile(PathOf("profile.Json")) != parsed)
        std::abort();

    // One kind of device per input keeps each run short; the input's length picks it.
    const size_t kind = size % 3;
    if (kind == 0)
        ThroughFiles<ravo::CKeyboardProfiledata>([](auto& d) { ExerciseKeyboard(d); });
    else if (kind == 1)
        ThroughFiles<ravo::CMouseProfiledata>([](auto& d) { ExerciseMouse(d); });
    else
        ThroughFiles<ravo::CVa6533Profiledata>([](auto& d) { ExerciseHeadset(d); });

    // The parsed value as a section, and as a whole file's first device section.
    Json::Value element;
    if (parsed.isObject()) {
        static constexpr char kDevice[] = "Device";
        const Json::Value* devices = parsed.find(kDevice, kDevice + 6);
        if (devices && devices->isArray() && devices->size() > 0)
            element = (*devices)[0];
    }
    for (const Json::Value* value : {&parsed, static_cast<const Json::Value*>(&element)}) {
        if (kind == 0)
            Directly<ravo::CKeyboardProfiledata>(*value, [](auto& d) { ExerciseKeyboard(d); });
        else if (kind == 1)
            Directly<ravo::CMouseProfiledata>(*value, [](auto& d) { ExerciseMouse(d); });
        else
            Directly<ravo::CVa6533Profiledata>(*value, [](auto& d) { ExerciseHeadset(d); });
    }
    return 0;
}
