#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Runs the desktop program offscreen with its start-up diagnostics on.
class ProgramRun {
public:
    explicit ProgramRun(const QString& program = QCoreApplication::applicationDirPath() +
                                                 "/ravo-tkl-rgb",
                        const QStringList& arguments = {},
                        QProcessEnvironment env = QProcessEnvironment::systemEnvironment()) {
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_LOGGING_RULES", "ravo.startup.info=true");
        m_process.setProcessEnvironment(env);
        // Diagnostics go to standard error; one channel lets waitForReadyRead see them.
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(program, arguments);
    }
    ~ProgramRun() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Waits (bounded) until the program's diagnostics contain `text`.
    bool WaitForOutput(const QByteArray& text, int timeoutMs = 20000) {
        QDeadlineTimer deadline(timeoutMs);
        while (!m_output.contains(text)) {
            if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning) {
                m_output += m_process.readAllStandardOutput();
                return m_output.contains(text);
            }
            m_process.waitForReadyRead(
                static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)));
            m_output += m_process.readAllStandardOutput();
        }
        return true;
    }
    // Asks the program to end the way a session ends it; its exit code, -1 when it did not end.
    int Terminate() {
        m_process.terminate();
        return Finish();
    }
    int Finish(int timeoutMs = 20000) {
        if (!m_process.waitForFinished(timeoutMs) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        m_output += m_process.readAllStandardOutput();
        return m_process.exitCode();
    }
    const QByteArray& Output() const { return m_output; }

private:
    QProcess m_process;
    QByteArray m_output;
};

bool CopyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + "/" + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(file, target))
            return false;
    }
    return true;
}

TEST(StartupTest, SecondStartBringsTheFirstToTheFrontAndLeavesWithZero) {
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "tests run on a private bus";
    ProgramRun first;
    ASSERT_TRUE(first.WaitForOutput("main window ready")) << first.Output().toStdString();
    EXPECT_TRUE(QDBusConnection::sessionBus().interface()->isServiceRegistered("org.ravo.TklRgb"));

    ProgramRun second;
    EXPECT_EQ(second.Finish(), 0);
    EXPECT_TRUE(second.Output().contains("already running")) << second.Output().toStdString();
    EXPECT_FALSE(second.Output().contains("main window shown"));

    EXPECT_TRUE(first.WaitForOutput("coming to the front")) << first.Output().toStdString();
    EXPECT_EQ(first.Terminate(), 0);
    EXPECT_TRUE(first.Output().contains("torn down"));
    EXPECT_FALSE(QDBusConnection::sessionBus().interface()->isServiceRegistered("org.ravo.TklRgb"));
}

TEST(StartupTest, StartsWithoutTheFontFolderAndIgnoresArguments) {
    // A copy of the program with its skin but no fonts.
    QTemporaryDir dir;
    const QString bin = QCoreApplication::applicationDirPath();
    ASSERT_TRUE(QFile::copy(bin + "/ravo-tkl-rgb", dir.filePath("ravo-tkl-rgb")));
    QFile::setPermissions(dir.filePath("ravo-tkl-rgb"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(CopyTree(bin + "/skin", dir.filePath("skin")));
    ASSERT_FALSE(QFileInfo::exists(dir.filePath("Font")));

    // Qt's own options would pick a platform that cannot start here; they must be ignored too.
    ProgramRun run(dir.filePath("ravo-tkl-rgb"), {"-platform", "xcb", "--unknown", "file.json"});
    ASSERT_TRUE(run.WaitForOutput("main window ready")) << run.Output().toStdString();
    EXPECT_FALSE(run.Output().contains("font Font/"));
    EXPECT_EQ(run.Terminate(), 0);
}

TEST(StartupTest, WithoutADisplayItSaysSoAndDoesNotCrash) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QCoreApplication::applicationDirPath() + "/ravo-tkl-rgb", {});
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("no display found"));
}

}  // namespace
