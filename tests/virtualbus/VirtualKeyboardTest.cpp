// ctest-labels: asan
// The keyboard's firmware model on its own: its memory, its answers and its faults, driven by
// hand-made reports through a recording stand-in for the bus.
#include "virtualbus/VirtualKeyboard.h"

#include "tests/support/TempXdgDirs.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

namespace ravo::virt {
namespace {

using Report = std::array<uint8_t, 64>;

// Two collections as the keyboard's interface 1 shows them: commands first, events second.
class RecordingDevice : public VirtualDevice {
public:
    RecordingDevice() {
        m_specs[0].collectionNumber = 4;
        m_specs[1].collectionNumber = 3;
    }
    size_t InterfaceCount() const override { return 2; }
    std::string Path(size_t index) const override { return "virtual#" + std::to_string(index); }
    const VirtualInterfaceSpec& Spec(size_t index) const override { return m_specs[index]; }
    void QueueInput(size_t index, std::span<const uint8_t> report) override {
        input.push_back({index, std::vector<uint8_t>(report.begin(), report.end())});
    }
    void SetFault(size_t, InterfaceFault) override {}
    InterfaceFault Fault(size_t) const override { return InterfaceFault::None; }
    bool IsPlugged(size_t) const override { return true; }
    size_t OpenCount(size_t) const override { return 1; }

    std::vector<std::pair<size_t, std::vector<uint8_t>>> input;

private:
    VirtualInterfaceSpec m_specs[2];
};

Report Request(uint8_t code, uint8_t length = 0, uint16_t offset = 0,
               std::vector<uint8_t> payload = {}) {
    Report r{};
    r[0] = 4;
    r[3] = code;
    r[4] = length;
    r[5] = static_cast<uint8_t>(offset & 0xFF);
    r[6] = static_cast<uint8_t>(offset >> 8);
    std::copy(payload.begin(), payload.end(), r.begin() + 8);
    uint32_t sum = 0;
    for (size_t i = 3; i < 64; ++i)
        sum += r[i];
    r[1] = static_cast<uint8_t>(sum & 0xFF);
    r[2] = static_cast<uint8_t>(sum >> 8);
    return r;
}

class VirtualKeyboardTest : public ::testing::Test {
protected:
    std::shared_ptr<RecordingDevice> device = std::make_shared<RecordingDevice>();

    std::shared_ptr<VirtualKeyboard> Make(
        VirtualKeyboard::Link link, VirtualKeyboardState state = VirtualKeyboardState::Defaults()) {
        auto keyboard =
            std::make_shared<VirtualKeyboard>(link, std::make_shared<VirtualKeyboardMemory>(state));
        keyboard->OnAttached(device);
        return keyboard;
    }
    // Sends one report and returns the answers it produced on the command collection.
    std::vector<std::vector<uint8_t>> Send(VirtualKeyboard& keyboard, const Report& report,
                                           bool* accepted = nullptr) {
        device->input.clear();
        const bool ok = keyboard.OnOutputReport(*device, 0, report);
        if (accepted != nullptr)
            *accepted = ok;
        std::vector<std::vector<uint8_t>> answers;
        for (auto& [index, bytes] : device->input) {
            EXPECT_EQ(index, 0u);
            answers.push_back(bytes);
        }
        return answers;
    }
};

TEST_F(VirtualKeyboardTest, FactoryBoardHasEveryKeyOnceInItsOwnMatrixOrder) {
    const VirtualKeyboardState s = VirtualKeyboardState::Defaults();
    EXPECT_EQ(s.KeyCount(), 126);
    EXPECT_EQ(s.MacroCapacity(), 4096u);
    EXPECT_EQ(s.ActiveRecord(), 0);

    const std::vector<int> keys = {
        0,  1,  2,  3,  4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14, 15, 21, 22,
        23, 24, 25, 26, 27,  28,  29,  30,  31,  32,  33,  34,  35,  36,  37, 42, 43, 44,
        45, 46, 47, 48, 49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  63, 64, 65, 66,
        67, 68, 69, 70, 71,  72,  73,  74,  75,  84,  85,  86,  87,  88,  89, 90, 91, 92,
        93, 94, 95, 96, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115};
    ASSERT_EQ(keys.size(), 87u);
    std::set<int> positions;
    std::set<int> leds;
    int samePlace = 0;
    for (int key : keys) {
        const auto code = FactoryKeyCode(key);
        const int p = s.PositionOfCode(code[0], code[1], code[2]);
        ASSERT_GE(p, 0) << "key " << key;
        positions.insert(p);
        leds.insert(s.ledMap[p]);
        samePlace += (p == key);
    }
    EXPECT_EQ(positions.size(), 87u);
    EXPECT_EQ(leds.size(), 87u);
    EXPECT_EQ(*leds.rbegin(), 86);
    // The matrix is not the program's numbering, so a wrong mapping shows.
    EXPECT_LT(samePlace, 5);
    // Spot checks of the factory codes: Esc, F1, W, Fn, left shift.
    EXPECT_EQ(FactoryKeyCode(0), (std::array<uint8_t, 3>{0x20, 0x00, 0x29}));
    EXPECT_EQ(FactoryKeyCode(1), (std::array<uint8_t, 3>{0x20, 0x00, 0x3A}));
    EXPECT_EQ(FactoryKeyCode(44), (std::array<uint8_t, 3>{0x20, 0x00, 0x1A}));
    EXPECT_EQ(FactoryKeyCode(110), (std::array<uint8_t, 3>{0xA0, 0x01, 0x00}));
    EXPECT_EQ(FactoryKeyCode(84), (std::array<uint8_t, 3>{0x20, 0x02, 0x00}));
    EXPECT_EQ(FactoryKeyCode(124), (std::array<uint8_t, 3>{0xD0, 0xA2, 0x05}));
}

TEST_F(VirtualKeyboardTest, AnswersEchoTheCommandAndCarryAValidChecksum) {
    auto keyboard = Make(VirtualKeyboard::Link::Cable);
    const Report begin = Request(0x01);
    EXPECT_EQ(begin[0], 4);
    EXPECT_EQ(begin[1], 1);
    EXPECT_EQ(begin[2], 0);
    EXPECT_EQ(begin[3], 1);
    const auto answers = Send(*keyboard, begin);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0][3], 0x01);
    EXPECT_EQ(answers[0][7], VirtualKeyboard::kStatusOk);

    Report bad = Request(0x03, 34);
    bad[1] ^= 0x10;
    const auto rejected = Send(*keyboard, bad);
    ASSERT_EQ(rejected.size(), 1u);
    EXPECT_EQ(rejected[0][3], 0x03);
    EXPECT_EQ(rejected[0][7], VirtualKeyboard::kStatusRejected);
}

struct RangeCase {
    const char* name;
    uint8_t code;
    uint8_t length;
    uint16_t offset;
    bool accepted;
};

class VirtualKeyboardRangeTest : public VirtualKeyboardTest,
                                 public ::testing::WithParamInterface<RangeCase> {};

TEST_P(VirtualKeyboardRangeTest, RefusesRangesPastItsMemory) {
    auto keyboard = Make(VirtualKeyboard::Link::Cable);
    const RangeCase& c = GetParam();
    const auto answers = Send(*keyboard, Request(c.code, c.length, c.offset));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0][7] == VirtualKeyboard::kStatusOk, c.accepted) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Ranges, VirtualKeyboardRangeTest,
                         ::testing::Values(RangeCase{"info whole", 0x03, 34, 0, true},
                                           RangeCase{"info past end", 0x03, 10, 30, false},
                                           RangeCase{"last record", 0x05, 26, 375, true},
                                           RangeCase{"past last record", 0x05, 26, 376, false},
                                           RangeCase{"payload too long", 0x05, 57, 0, false},
                                           RangeCase{"key table end", 0x07, 56, 456, true},
                                           RangeCase{"key table page 1", 0x09, 8, 512, false},
                                           RangeCase{"macro end", 0x15, 56, 4096 - 56, true},
                                           RangeCase{"macro past memory", 0x15, 56, 4096 - 55,
                                                     false},
                                           RangeCase{"power", 0x1A, 6, 0, true},
                                           RangeCase{"power past end", 0x1A, 7, 0, false},
                                           RangeCase{"mouse block", 0x17, 8, 0, false}),
                         [](const ::testing::TestParamInfo<RangeCase>& param) {
                             std::string name = param.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST_F(VirtualKeyboardTest, WritesLandInMemoryAndReadsReturnThem) {
    auto keyboard = Make(VirtualKeyboard::Link::Cable);
    Send(*keyboard, Request(0x06, 3, 25 * 2 + 1, {0x07, 0x02, 0x01}));
    const auto answers = Send(*keyboard, Request(0x05, 4, 25 * 2, {}));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0][8 + 1], 0x07);
    EXPECT_EQ(answers[0][8 + 2], 0x02);
    EXPECT_EQ(answers[0][8 + 3], 0x01);
    EXPECT_EQ(keyboard->Memory().Snapshot().lightMemory[51], 0x07);
}

TEST_F(VirtualKeyboardTest, ReceiverOffLineAnswersAaButTheCableNeverDoes) {
    auto receiver = Make(VirtualKeyboard::Link::Receiver);
    receiver->SetOnline(false);
    auto answers = Send(*receiver, Request(0x05, 1, 0));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0][3], 0xAA);
    answers = Send(*receiver, Request(0xAA));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0][3], 0xAA);
    EXPECT_NE(answers[0][8], 0xFF);
    receiver->SetOnline(true);
    answers = Send(*receiver, Request(0xAA));
    EXPECT_EQ(answers[0][8], 0xFF);

    auto cable = Make(VirtualKeyboard::Link::Cable);
    cable->SetOnline(false);
    answers = Send(*cable, Request(0x01));
    EXPECT_EQ(answers[0][3], 0x01);
}

TEST_F(VirtualKeyboardTest, FaultsOnRequest) {
    auto keyboard = Make(VirtualKeyboard::Link::Cable);
    Send(*keyboard, Request(0x01));

    keyboard->StaleAnswersBeforeNext(2);
    auto answers = Send(*keyboard, Request(0x03, 34));
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_NE(answers[0][3], 0x03);
    EXPECT_NE(answers[1][3], 0x03);
    EXPECT_EQ(answers[2][3], 0x03);
    EXPECT_EQ(Send(*keyboard, Request(0x03, 34)).size(), 1u);  // one-shot

    keyboard->DropAnswers(1);
    EXPECT_TRUE(Send(*keyboard, Request(0x01)).empty());
    EXPECT_EQ(Send(*keyboard, Request(0x01)).size(), 1u);

    // 0xFE on the second macro chunk: the first is stored, the second is not.
    keyboard->FailChunk(0x15, 1, 0xFE);
    answers = Send(*keyboard, Request(0x15, 2, 0, {0x11, 0x22}));
    EXPECT_EQ(answers[0][7], 0x00);
    answers = Send(*keyboard, Request(0x15, 2, 2, {0x33, 0x44}));
    EXPECT_EQ(answers[0][7], 0xFE);
    const auto s = keyboard->Memory().Snapshot();
    EXPECT_EQ(s.macroMemory[0], 0x11);
    EXPECT_EQ(s.macroMemory[2], 0x00);

    int vanished = 0;
    keyboard->VanishAtChunk(0x06, 0, [&] { ++vanished; });
    bool accepted = true;
    EXPECT_TRUE(Send(*keyboard, Request(0x06, 1, 1, {9}), &accepted).empty());
    EXPECT_FALSE(accepted);
    EXPECT_EQ(vanished, 1);
    Send(*keyboard, Request(0x01), &accepted);
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(keyboard->Announce(0x401));
    keyboard->ClearFaults();
    EXPECT_EQ(Send(*keyboard, Request(0x01), &accepted).size(), 1u);
    EXPECT_TRUE(accepted);
}

TEST_F(VirtualKeyboardTest, AnnouncesKeyboardSideChangesOnTheConsumerCollection) {
    auto keyboard = Make(VirtualKeyboard::Link::Cable);
    ASSERT_TRUE(keyboard->SwitchProfile(3));
    ASSERT_EQ(device->input.size(), 1u);
    EXPECT_EQ(device->input[0].first, 1u);
    EXPECT_EQ(device->input[0].second, (std::vector<uint8_t>{3, 0x03, 0x10}));
    EXPECT_EQ(keyboard->Memory().Snapshot().ActiveRecord(), 3);
    EXPECT_FALSE(keyboard->SwitchProfile(16));

    device->input.clear();
    ASSERT_TRUE(keyboard->ChangeOnKeyboard([](VirtualKeyboardState& s) { s.Record(3)[2] = 1; }));
    ASSERT_EQ(device->input.size(), 1u);
    EXPECT_EQ(device->input[0].second, (std::vector<uint8_t>{3, 0x01, 0x04}));
    device->input.clear();
    ASSERT_TRUE(keyboard->Announce(0x1123));
    EXPECT_EQ(device->input[0].second, (std::vector<uint8_t>{3, 0x23, 0x11}));
}

TEST_F(VirtualKeyboardTest, StateRoundTripsAndRefusesMalformedText) {
    VirtualKeyboardState s = VirtualKeyboardState::Defaults();
    s.macroMemory[4095] = 0x5A;
    s.Record(4)[1] = 9;
    VirtualKeyboardState back = VirtualKeyboardState::Defaults();
    ASSERT_TRUE(back.Parse(s.Serialize()));
    EXPECT_EQ(back.macroMemory, s.macroMemory);
    EXPECT_EQ(back.lightMemory, s.lightMemory);

    const QByteArray good = s.Serialize();
    QByteArray truncated = good;
    truncated.replace("\"info\": \"01", "\"info\": \"");
    QByteArray notHex = good;
    notHex.replace("\"info\": \"01", "\"info\": \"zz");
    for (const QByteArray& bad : {QByteArray(), QByteArray("{"), QByteArray("[]"), truncated,
                                  notHex, QByteArray("{\"format\": 1}")}) {
        VirtualKeyboardState target = VirtualKeyboardState::Defaults();
        target.info[0] = 0x77;
        EXPECT_FALSE(target.Parse(bad)) << bad.left(40).toStdString();
        EXPECT_EQ(target.info[0], 0x77);
    }
}

TEST_F(VirtualKeyboardTest, StateFileKeepsWhatTheKeyboardApplied) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("sub/state.json");
    {
        auto memory = VirtualKeyboardMemory::FromStateFile(path);
        auto keyboard = std::make_shared<VirtualKeyboard>(VirtualKeyboard::Link::Cable, memory);
        keyboard->OnAttached(device);
        Send(*keyboard, Request(0x01));
        Send(*keyboard, Request(0x06, 2, 1, {0x04, 0x03}));
        EXPECT_FALSE(QFile::exists(path));  // not applied before the end of the sequence
        Send(*keyboard, Request(0x02));
        EXPECT_TRUE(QFile::exists(path));
        // Outside a sequence a change is kept at once; the live frame is not kept at all.
        Send(*keyboard, Request(0x12, 3, 0, {1, 2, 3}));
    }
    auto reread = VirtualKeyboardMemory::FromStateFile(path);
    const auto s = reread->Snapshot();
    EXPECT_EQ(s.lightMemory[1], 0x04);
    EXPECT_EQ(s.lightMemory[2], 0x03);
    EXPECT_EQ(s.liveFrame[0], 0);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"format\": 1, \"info\": \"00\"}");
    file.close();
    EXPECT_EQ(VirtualKeyboardMemory::FromStateFile(path)->Snapshot().lightMemory,
              VirtualKeyboardState::Defaults().lightMemory);
}

TEST_F(VirtualKeyboardTest, StateFileFollowsTheEnvironment) {
    test::TempXdgDirs xdg;
    EXPECT_EQ(VirtualKeyboardMemory::DefaultStateFilePath(),
              xdg.stateHome() + "/RAVO TKL RGB/virtual-keyboard.json");
    qputenv("RAVO_TKL_VIRTUAL_STATE", "/tmp/x/state.json");
    EXPECT_EQ(VirtualKeyboardMemory::DefaultStateFilePath(), QString("/tmp/x/state.json"));
    qunsetenv("RAVO_TKL_VIRTUAL_STATE");
}

}  // namespace
}  // namespace ravo::virt
