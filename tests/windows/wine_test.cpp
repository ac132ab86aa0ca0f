// The Windows build under Wine, on the tests' X display: its hot keys through a probe program,
// and the program itself end to end. TW_WINDOWS_DIR names the build's unpacked zip.
#include "support/processes.h"
#include "support/records.h"
#include "support/waiting.h"
#include "support/x11_session.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

// The Windows name of a file of the Linux side (Wine's drive Z: is the root).
QString WindowsPath(const QString& path) {
    return QStringLiteral("Z:") + QDir::toNativeSeparators(path).replace(u'/', u'\\');
}

QString BuildFile(const QString& name) {
    return qEnvironmentVariable("TW_WINDOWS_DIR") + u'/' + name;
}

const QString kProbe = BuildFile(QStringLiteral("tw_win_probe.exe"));

class Wine {
public:
    Wine() {
        m_environment.insert(QStringLiteral("WINEPREFIX"), m_prefix.path());
        m_environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        // No offers to download Mono or Gecko, which a prefix of its own would make.
        m_environment.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
        m_ready = Run({QStringLiteral("wineboot"), QStringLiteral("-i")}, 180000).first == 0;
    }
    // Ends every program of the prefix, and its server, before the prefix goes.
    ~Wine() {
        QProcess server;
        server.setProcessEnvironment(m_environment);
        server.start(QStringLiteral("wineserver"), {QStringLiteral("-k")});
        server.waitForFinished(30000);
    }
    bool IsReady() const { return m_ready; }

    // `wine` with `arguments`: a Windows program and its own arguments.
    std::unique_ptr<QProcess> Start(const QStringList& arguments) const {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(m_environment);
        process->start(QStringLiteral("wine"), arguments);
        return process;
    }
    // Runs it to its end: its exit code and standard output.
    std::pair<int, QByteArray> Run(const QStringList& arguments, int timeoutMs = 60000) const {
        const auto process = Start(arguments);
        if (!process->waitForFinished(timeoutMs))
            return {-1, {}};
        return {process->exitCode(), process->readAllStandardOutput()};
    }
    // The user's %LOCALAPPDATA% in the prefix.
    QString LocalAppData() const {
        const QDir users(m_prefix.path() + QStringLiteral("/drive_c/users"));
        for (const QString& user : users.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (user != QLatin1String("Public"))
                return users.filePath(user) + QStringLiteral("/AppData/Local");
        return {};
    }
    // Files named *.twrec open with the probe, which writes each opened path to a new file of
    // `folder`. Wine finds associations under HKEY_CLASSES_ROOT only, not the user's own classes.
    bool AssociateRecorder(const QString& folder) const {
        const QString command =
            QStringLiteral("\"%1\" record \"%2\" \"%3\"")
                .arg(WindowsPath(kProbe), WindowsPath(folder), QStringLiteral("%1"));
        const auto set = [this](const QString& key, const QString& value) {
            return Run({QStringLiteral("reg"), QStringLiteral("add"),
                        QStringLiteral("HKCR\\") + key, QStringLiteral("/ve"), QStringLiteral("/d"),
                        value, QStringLiteral("/f")})
                       .first == 0;
        };
        return set(QStringLiteral(".twrec"), QStringLiteral("twrec.file")) &&
               set(QStringLiteral("twrec.file\\shell\\open\\command"), command);
    }

private:
    QTemporaryDir m_prefix;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    bool m_ready = false;
};

std::unique_ptr<Wine> g_wine;

class WineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { g_wine = std::make_unique<Wine>(); }
    static void TearDownTestSuite() { g_wine.reset(); }
    void SetUp() override {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("TW_WINDOWS_DIR")) << "no Windows build named";
        ASSERT_TRUE(g_wine->IsReady()) << "wineboot failed";
    }
};

} // namespace

TEST_F(WineTest, HotKeyPressArrivesAndAKeyHeldByAnotherProgramIsRefused) {
    const auto hotKeyF8 = [](const char* seconds) {
        return QStringList{kProbe, QStringLiteral("119"), seconds};
    };
    const auto holder = g_wine->Start(hotKeyF8("60"));
    QByteArray said;
    const auto hears = [&](const QByteArray& text) {
        return WaitUntil(
            [&] {
                said += holder->readAllStandardOutput();
                return said.contains(text);
            },
            30000);
    };
    ASSERT_TRUE(hears("registered")) << said.constData();
    const auto [status, answer] = g_wine->Run(hotKeyF8("1"));
    EXPECT_EQ(status, 3);
    EXPECT_EQ(answer.trimmed(), "refused");

    // Wine hands keys to its programs while one of its windows has the keyboard. The window can
    // be found before it is mapped, when focusing it fails: try until it takes.
    const QStringList focus{"search",         "--sync",      "--name",
                            "^tw_win_probe$", "windowfocus", "--sync"};
    ASSERT_TRUE(WaitUntil([&] { return Xdotool(focus).has_value(); }, 30000));
    ASSERT_TRUE(Xdotool({"key", "F8"}));
    EXPECT_TRUE(hears("pressed 119")) << said.constData();
    holder->kill();
    holder->waitForFinished();
}

TEST_F(WineTest, ProgramDetectsCountsLaunchesAndSavesInLocalAppData) {
    ColourWindow watched(kWatchedArea, kWatchedBlue);
    QTemporaryDir folder;
    const QDir launches(folder.filePath(QStringLiteral("launches")));
    ASSERT_TRUE(launches.mkpath(QStringLiteral(".")));
    ASSERT_TRUE(g_wine->AssociateRecorder(launches.path()));
    // The shell must hand the path over whole, blanks included.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("with blanks")));
    const QString target = folder.filePath(QStringLiteral("with blanks/a list.twrec"));
    ASSERT_TRUE(WriteFile(target, "x"));
    CEventInfo event = WatchingEvent(WindowsPath(target));
    // A point off the screen reads as nothing, never as a colour that differs.
    CEventInfo offScreen = event;
    offScreen.m_ptLocation = QPoint(-40, -40);
    const QString dataFile =
        g_wine->LocalAppData() + QStringLiteral("/Tintwatch/Tintwatchv7.1.dat");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(dataFile).path()));
    ASSERT_TRUE(WriteFile(dataFile, DataFileBytes({event, offScreen})));

    const QStringList program{BuildFile(QStringLiteral("tintwatch.exe"))};
    const auto first = g_wine->Start(program);
    Settle(8000);
    EXPECT_TRUE(launches.isEmpty()) << "acted while the point was still blue";
    ASSERT_TRUE(watched.SetColour(QStringLiteral("#e02020")));
    EXPECT_TRUE(WaitUntil(
        [&] {
            const auto saved = EventsOf(ReadFile(dataFile));
            return saved && saved->size() == 2 && (*saved)[0].m_nDetectCount == 3;
        },
        30000));
    // A start under Wine takes seconds; a fourth launch would come within the settling.
    WaitUntil([&] { return launches.entryList(QDir::Files).size() >= 3; }, 30000);
    Settle(2000);
    const auto saved = EventsOf(ReadFile(dataFile));
    ASSERT_TRUE(saved && saved->size() == 2);
    event.m_nDetectCount = 3;
    event.m_bEnabled = 0;
    ExpectSameStoredFields((*saved)[0], event);
    ExpectSameStoredFields((*saved)[1], offScreen);
    // Each launch, with the path whole, blanks included.
    const QStringList launched = launches.entryList(QDir::Files);
    EXPECT_EQ(launched.size(), 3) << launched.join(u' ').toStdString();
    for (const QString& name : launched)
        EXPECT_EQ(ReadFile(launches.filePath(name)), WindowsPath(target).toUtf8());

    // A second start hands over to this one through the instance pipe and ends at once.
    EXPECT_EQ(g_wine->Run(program).first, 0);
    EXPECT_EQ(first->state(), QProcess::Running);
    first->kill();
    first->waitForFinished();
}
