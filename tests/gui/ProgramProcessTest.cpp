// The real program as a process on the offscreen platform, with its own settings,
// runtime and data folders: a second start ends at once, and SIGTERM stores what
// File > Exit stores.

#include "support/TempDir.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

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

} // namespace
} // namespace quantrel::gui
