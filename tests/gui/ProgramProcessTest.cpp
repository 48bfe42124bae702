// The real program as a process on the offscreen platform, with its own settings,
// runtime and data folders: a second start ends at once, SIGTERM stores what
// File > Exit stores, and a kill at any moment leaves every file whole.

#include "calculator/KeyCommand.h"
#include "engine/QuantrelEval5.h"
#include "rtf/RtfDocument.h"
#include "support/TempDir.h"
#include "window/Calculator.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace quantrel::gui {
namespace {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* program = std::getenv("QUANTREL_APP");
        ASSERT_NE(program, nullptr) << "QUANTREL_APP names the program under test";
        m_program = QString::fromLocal8Bit(program);
        // The data folder is named in the store, so nothing lands beside the program.
        std::filesystem::create_directories(m_dir.Path() / "config" / "quantrel");
        std::filesystem::create_directories(m_dir.Path() / "data");
        std::filesystem::create_directories(m_dir.Path() / "run");
        std::filesystem::permissions(m_dir.Path() / "run", std::filesystem::perms::owner_all);
        std::ofstream(m_dir.File("config/quantrel/quantrel.ini"))
            << "[Dir]\nSaveDest=" << m_dir.File("data") << "\n[Mem]\nMemNum=7\n";
    }

    std::unique_ptr<QProcess> start() const {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(m_dir.File("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(m_dir.File("run")));
        process->setProcessEnvironment(env);
        process->start(m_program, {});
        return process;
    }
    /// Waits until the first copy holds its lock, that is, has started up.
    bool waitForLock() const {
        for (int i = 0; i < 500; ++i) {
            if (QFile::exists(QString::fromStdString(m_dir.File("run/quantrel.lock"))) &&
                QFile::exists(QString::fromStdString(m_dir.File("run/quantrel.socket"))))
                return true;
            QTest::qWait(10);
        }
        return false;
    }
    QString data(const char* name) const {
        return QString::fromStdString(m_dir.File(std::string("data/") + name));
    }

    test::TempDir m_dir;
    QString m_program;
};

TEST_F(ProgramTest, ASecondStartEndsAtOnceAndSigtermStoresEverything) {
    const std::unique_ptr<QProcess> first = start();
    ASSERT_TRUE(first->waitForStarted(5000));
    ASSERT_TRUE(waitForLock());

    const std::unique_ptr<QProcess> second = start();
    ASSERT_TRUE(second->waitForFinished(5000)) << "a second copy ends by itself";
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_FALSE(QFile::exists(data("Equ1.dat"))) << "nothing is stored by the second copy";
    EXPECT_EQ(first->state(), QProcess::Running);

    ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
    ASSERT_TRUE(first->waitForFinished(5000));
    EXPECT_EQ(first->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first->exitCode(), 0);
    for (const char* name : {"Equ1.dat", "Equ5.dat"})
        EXPECT_TRUE(QFile::exists(data(name))) << name;
    QSettings stored(QString::fromStdString(m_dir.File("config/quantrel/quantrel.ini")),
                     QSettings::IniFormat);
    EXPECT_EQ(stored.value(QStringLiteral("Mem/MemNum")).toString(), "7");
    EXPECT_TRUE(stored.contains(QStringLiteral("Conv/Width"))) << "every value is written";
}

/// Sends `number` to the program while it runs; never to pid 0, the whole group.
void signal(const QProcess& program, int number) {
    const qint64 pid = program.processId();
    if (program.state() == QProcess::Running && pid > 0)
        ::kill(static_cast<pid_t>(pid), number);
}

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Whether a stored file is whole: it loads as what it is, and nothing is cut off.
::testing::AssertionResult isWhole(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    const std::string bytes = readAll(path);
    if (name == "tape.dat") {
        const std::size_t end = bytes.find_last_not_of("\r\n");
        if (!rtf::IsRtf(bytes) || end == std::string::npos || bytes[end] != '}')
            return ::testing::AssertionFailure() << "tape.dat is cut off";
        const std::size_t lines = rtf::PlainLines(rtf::ReadRtf(bytes)).size();
        if (lines < 999)
            return ::testing::AssertionFailure() << "tape.dat holds " << lines << " lines";
        return ::testing::AssertionSuccess();
    }
    if (name == "quantrel.ini") {
        QSettings stored(QString::fromStdString(path.string()), QSettings::IniFormat);
        if (stored.status() != QSettings::NoError ||
            !stored.contains(QStringLiteral("Mem/MemNum")) ||
            !stored.contains(QStringLiteral("Conv/Width")) ||
            !stored.contains(QStringLiteral("Tape/Keep")))
            return ::testing::AssertionFailure() << "the settings are incomplete";
        return ::testing::AssertionSuccess();
    }
    TQuantrelEval engine;
    if (!engine.LoadFromFile(path.string()) || engine.EquationIdx() < 400)
        return ::testing::AssertionFailure() << name << " does not load whole";
    return ::testing::AssertionSuccess();
}

TEST_F(ProgramTest, AKillAtAnyMomentLeavesEveryFileOldOrNewAndWhole) {
    const std::filesystem::path ini = m_dir.Path() / "config" / "quantrel" / "quantrel.ini";
    std::ofstream(ini) << "[Dir]\nSaveDest=" << m_dir.File("data")
                       << "\n[Mem]\nMemNum=7\n[Tape]\nKeep=1\nKeepcount=999\n";
    {
        // A day's state: five calculations of 450 numbers and a tape of 999 lines.
        TCalculator window(
            {data(""), NumberLocale::CommaPoint(), QString::fromStdString(ini.string())});
        CalculatorLogic& logic = window.Logic();
        for (int calculation = 0; calculation < 5; ++calculation) {
            for (int number = 0; number < 450; ++number) {
                logic.RunKey(*ParseKeyName(std::to_string(number % 9 + 1)));
                logic.RunKey(*ParseKeyName(number + 1 < 450 ? "+" : "="));
            }
        }
        window.StoreAll();
    }
    const std::vector<std::filesystem::path> files = {ini,
                                                      m_dir.Path() / "data" / "tape.dat",
                                                      m_dir.Path() / "data" / "Equ1.dat",
                                                      m_dir.Path() / "data" / "Equ2.dat",
                                                      m_dir.Path() / "data" / "Equ3.dat",
                                                      m_dir.Path() / "data" / "Equ4.dat",
                                                      m_dir.Path() / "data" / "Equ5.dat"};
    std::map<std::filesystem::path, std::string> before;
    for (const auto& file : files) {
        ASSERT_TRUE(isWhole(file)) << file;
        before[file] = readAll(file);
    }

    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> delay(0, 30);
    int stored = 0;
    for (int run = 0; run < 50; ++run) {
        SCOPED_TRACE(run);
        // The last run's lock is stale; without it, its return tells that this run
        // is up. Its owner is dead, so removing it is what the next start does anyway.
        std::filesystem::remove(m_dir.Path() / "run" / "quantrel.lock");
        std::filesystem::remove(m_dir.Path() / "run" / "quantrel.socket");
        const std::unique_ptr<QProcess> program = start();
        ASSERT_TRUE(program->waitForStarted(5000));
        // A third of the kills land anywhere in the start-up, a third in the store
        // routine that SIGTERM starts, and a third let that routine finish, so that
        // the files move on however slow the machine is.
        const int phase = run % 3;
        if (phase == 0)
            QTest::qWait(delay(random) * 10);
        else
            ASSERT_TRUE(waitForLock());
        QTest::qWait(delay(random));
        signal(*program, SIGTERM);
        if (phase == 2)
            program->waitForFinished(5000);
        else
            QTest::qWait(delay(random));
        signal(*program, SIGKILL);
        if (program->state() != QProcess::NotRunning) {
            ASSERT_TRUE(program->waitForFinished(5000));
        }
        for (const auto& file : files) {
            const std::string now = readAll(file);
            if (now == before[file])
                continue;
            EXPECT_TRUE(isWhole(file)) << file;
            before[file] = now;
            ++stored;
        }
    }
    EXPECT_GT(stored, 0) << "some runs got as far as storing";
}

} // namespace
} // namespace quantrel::gui
