// In-memory stand-ins for the platform services, recording what the code under test asked
// of them and answering as each test sets them up.
#pragma once

#include "platform/file_chooser.h"
#include "platform/folders.h"
#include "platform/hot_keys.h"
#include "platform/launcher.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "platform/timer_host.h"
#include "platform/tone.h"
#include "res/resource_ids.h"

#include <QMap>
#include <QStringList>
#include <QVariant>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <vector>

class FakeScreen : public IScreen {
public:
    COLORREF GetPixel(int x, int y) override {
        ++reads;
        const auto it = pixels.find({x, y});
        return it != pixels.end() ? it->second : background;
    }
    std::optional<QPoint> GetCursorPos() override { return cursor; }
    void SetCursorPos(QPoint position) override {
        warps.push_back(position);
        cursor = position;
    }
    QSize VirtualScreenSize() override { return size; }
    void GetPixels(std::span<const QPoint> points, std::span<COLORREF> out) override {
        batches.emplace_back(points.begin(), points.end());
        IScreen::GetPixels(points, out);
    }
    PointerMechanisms Mechanisms() override { return mechanisms; }
    std::vector<MonitorStill> Stills() override { return stills; }
    std::vector<QString> UnsharedMonitors() override { return unshared; }

    std::map<std::pair<int, int>, COLORREF> pixels;
    std::vector<std::vector<QPoint>> batches; // the points of each read of many at once
    COLORREF background = 0;
    std::optional<QPoint> cursor = QPoint(0, 0);
    std::vector<QPoint> warps;
    QSize size{1920, 1080};
    int reads = 0;
    PointerMechanisms mechanisms; // X11's unless a test says otherwise
    std::vector<MonitorStill> stills;
    std::vector<QString> unshared;
};

class FakeTimerHost : public ITimerHost {
public:
    bool SetTimer(std::uintptr_t id, std::uint32_t periodMs) override {
        running[id] = periodMs;
        calls.push_back(QStringLiteral("set %1 %2").arg(id).arg(periodMs));
        return true;
    }
    void KillTimer(std::uintptr_t id) override {
        running.erase(id);
        calls.push_back(QStringLiteral("kill %1").arg(id));
    }
    // The period a running timer was asked for, unclamped, as the caller passed it.
    std::map<std::uintptr_t, std::uint32_t> running;
    QStringList calls;
};

class FakeTone : public ITone {
public:
    void Beep(std::uint32_t frequencyHz, std::uint32_t durationMs, std::stop_token stop) override {
        std::unique_lock lock(m_mutex);
        beeps.emplace_back(frequencyHz, durationMs);
        m_changed.notify_all();
        m_changed.wait(lock, stop, [this] { return !hold; });
    }
    // Waits until `count` tones have started; false after two seconds.
    bool WaitForBeeps(std::size_t count) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(2),
                                  [&] { return beeps.size() >= count; });
    }
    // While held, every Beep waits until it is asked to stop, as a long tone would.
    void Hold(bool held) {
        std::lock_guard lock(m_mutex);
        hold = held;
        m_changed.notify_all();
    }
    std::vector<std::pair<std::uint32_t, std::uint32_t>> Beeps() {
        std::lock_guard lock(m_mutex);
        return beeps;
    }

private:
    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> beeps;
    bool hold = false;
};

class FakeLauncher : public ILauncher {
public:
    void ShellExecute(const QString& verb, const QString& file, LaunchDone done) override {
        calls.push_back(QStringLiteral("shell %1 %2").arg(verb, file));
        if (onShellExecute)
            onShellExecute();
        if (done && ParseShellVerb(verb))
            done(failure);
    }
    void LaunchDetached(const QString& program, const QStringList& arguments,
                        LaunchDone done) override {
        calls.push_back(QStringLiteral("launch %1 %2").arg(program, arguments.join(u' ')));
        if (done)
            done(failure);
    }
    void OpenUrl(const QString& url, LaunchDone done) override {
        calls.push_back(QStringLiteral("url %1").arg(url));
        if (done)
            done(failure);
    }
    QStringList calls;
    QString failure;                      // what every launch reports; empty: it started
    std::function<void()> onShellExecute; // runs as a launch starts
};

class FakeProfile : public IProfile {
public:
    int GetProfileInt(const QString& section, const QString& entry, int defaultValue) override {
        return values.value(Key(section, entry), defaultValue).toInt();
    }
    QString GetProfileString(const QString& section, const QString& entry,
                             const QString& defaultValue) override {
        return values.value(Key(section, entry), defaultValue).toString();
    }
    std::optional<QByteArray> GetProfileBinary(const QString& section,
                                               const QString& entry) override {
        const QVariant value = values.value(Key(section, entry));
        return value.isValid() ? std::optional(value.toByteArray()) : std::nullopt;
    }
    bool WriteProfileInt(const QString& section, const QString& entry, int value) override {
        values[Key(section, entry)] = value;
        return true;
    }
    bool WriteProfileString(const QString& section, const QString& entry,
                            const QString& value) override {
        values[Key(section, entry)] = value;
        return true;
    }
    bool WriteProfileBinary(const QString& section, const QString& entry,
                            const QByteArray& value) override {
        values[Key(section, entry)] = value;
        return true;
    }
    static QString Key(const QString& section, const QString& entry) {
        return section + QLatin1Char('/') + entry;
    }
    QMap<QString, QVariant> values;
};

class FakeMessageBox : public IMessageBox {
public:
    struct Shown {
        QString text;
        MbButtons buttons;
        MbIcon icon;
    };
    int MessageBox(QWidget*, const QString& text, MbButtons buttons, MbIcon icon) override {
        shown.push_back({text, buttons, icon});
        if (whileOpen)
            whileOpen();
        if (answers.empty())
            return buttons == MbButtons::YesNo ? IDNO : IDOK;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QStringList Texts() const {
        QStringList texts;
        for (const Shown& box : shown)
            texts << box.text;
        return texts;
    }
    std::vector<Shown> shown;
    std::deque<int> answers;         // answered in order; then OK, or No for Yes/No boxes
    std::function<void()> whileOpen; // runs as the box's own event loop would
};

class FakeHotKeys : public IHotKeys {
public:
    // A key or binding held until it goes, which runs `onRelease`.
    struct Registration : IHotKeyRegistration {
        explicit Registration(std::function<void()> onRelease) : release(std::move(onRelease)) {}
        ~Registration() override { release(); }
        std::function<void()> release;
    };

    std::unique_ptr<IHotKeyRegistration>
    RegisterHotKey(std::uint16_t virtualKey,
                   std::function<void(std::uint16_t)> onPressed) override {
        if (takenElsewhere.count(virtualKey) || held.count(virtualKey))
            return nullptr;
        held[virtualKey] = std::move(onPressed);
        return std::make_unique<Registration>([this, virtualKey] { held.erase(virtualKey); });
    }
    // Presses `key` as the desktop would; false when nobody holds it.
    bool Press(std::uint16_t key) {
        const auto it = held.find(key);
        if (it == held.end())
            return false;
        it->second(key);
        return true;
    }
    std::set<std::uint16_t> takenElsewhere;
    std::map<std::uint16_t, std::function<void(std::uint16_t)>> held;
};

class FakeFileChooser : public IFileChooser {
public:
    QString GetOpenFileName(QWidget*, const QString& startFolder, const QString& filter) override {
        asked.push_back(startFolder + QLatin1Char('|') + filter);
        return answer;
    }
    QString answer; // empty: the user cancels
    QStringList asked;
};

class FakeFolders : public IFolders {
public:
    QString DesktopFolder() override { return desktop; }
    QString DefaultEditorPath() override { return editor; }
    QString desktop;
    QString editor = QStringLiteral("/usr/bin/gedit");
};

// Every fake together, handed out as the services bundle.
struct FakePlatform {
    FakeScreen screen;
    std::shared_ptr<FakeTone> tone = std::make_shared<FakeTone>();
    FakeLauncher launcher;
    FakeProfile profile;
    FakeMessageBox messageBox;
    FakeHotKeys hotKeys;
    FakeFileChooser fileChooser;
    FakeFolders folders;

    // The bundle, with a screen or hot keys of the test's own in place of the fakes when given.
    PlatformServices Services(IScreen* ownScreen = nullptr, IHotKeys* ownHotKeys = nullptr) {
        return {ownScreen ? *ownScreen : screen,    tone,        launcher, profile, messageBox,
                ownHotKeys ? *ownHotKeys : hotKeys, fileChooser, folders};
    }
};
