// The keyboard commands of ravo-tkl-cli across processes: the virtual keyboard keeps what one
// run writes in its state file, and the next run reads it.
#include "tests/support/TempXdgDirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace ravo {
namespace {

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

CliRun RunCli(const QStringList& args, const QString& virtualDevices) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("RAVO_TKL_VIRTUAL"), virtualDevices);
    process.setProcessEnvironment(env);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/ravo-tkl-cli"), args);
    CliRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(5000);
        run.err = "ravo-tkl-cli did not finish";
        return run;
    }
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

class KeyboardCliProcessTest : public ::testing::Test {
protected:
    test::TempXdgDirs xdg;  // a fresh state folder, so a fresh state file
    QString StateFile() const { return xdg.stateHome() + "/RAVO TKL RGB/virtual-keyboard.json"; }
};

TEST_F(KeyboardCliProcessTest, LightSetInOneRunIsWhatLightGetReadsInTheNext) {
    ASSERT_FALSE(QFile::exists(StateFile()));
    const CliRun set = RunCli({"light", "set", "--mode", "4", "--brightness", "3"}, "keyboard");
    ASSERT_EQ(set.code, 0) << set.err;
    EXPECT_TRUE(QFile::exists(StateFile()));

    const CliRun get = RunCli({"light", "get"}, "keyboard");
    ASSERT_EQ(get.code, 0) << get.err;
    EXPECT_NE(get.out.find("mode: 4\n"), std::string::npos) << get.out;
    EXPECT_NE(get.out.find("brightness: 3\n"), std::string::npos) << get.out;

    // The same keyboard through its receiver.
    const CliRun receiver = RunCli({"light", "get"}, "keyboard-receiver");
    ASSERT_EQ(receiver.code, 0) << receiver.err;
    EXPECT_NE(receiver.out.find("mode: 4\n"), std::string::npos) << receiver.out;
}

TEST_F(KeyboardCliProcessTest, InfoAndKeysOnAFreshKeyboard) {
    const CliRun info = RunCli({"info"}, "keyboard");
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("key count: 126\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("active on-board profile: 0\n"), std::string::npos);
    const CliRun keys = RunCli({"keys", "get"}, "keyboard");
    ASSERT_EQ(keys.code, 0) << keys.err;
    EXPECT_NE(keys.out.find("0         20 00 29  0\n"), std::string::npos) << keys.out;
}

TEST_F(KeyboardCliProcessTest, DamagedStateFileGivesTheFactoryKeyboard) {
    QDir().mkpath(xdg.stateHome() + "/RAVO TKL RGB");
    QFile file(StateFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"format\": 1, \"info\": \"7e");
    file.close();
    const CliRun get = RunCli({"light", "get"}, "keyboard");
    ASSERT_EQ(get.code, 0) << get.err;
    EXPECT_NE(get.out.find("mode: 1\n"), std::string::npos) << get.out;
    EXPECT_NE(get.out.find("brightness: 4\n"), std::string::npos) << get.out;
}

TEST_F(KeyboardCliProcessTest, BadArgumentsExitWithAUsageError) {
    const CliRun run = RunCli({"light", "set", "--brightness", "9"}, "keyboard");
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("--brightness"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace ravo
