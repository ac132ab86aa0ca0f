// Starting other programs. Nothing here ever goes through a shell interpreter.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <utility>

// The verbs a file can be opened with.
enum class ShellVerb { Open, Edit, Print, Explore };

// The verb `verb` names, compared without regard to case; none for a verb nobody knows.
inline std::optional<ShellVerb> ParseShellVerb(const QString& verb) {
    static constexpr std::array<std::pair<const char*, ShellVerb>, 4> kVerbs{{
        {"open", ShellVerb::Open},
        {"edit", ShellVerb::Edit},
        {"print", ShellVerb::Print},
        {"explore", ShellVerb::Explore},
    }};
    for (const auto& [name, known] : kVerbs)
        if (verb.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return known;
    return std::nullopt;
}

// How a launch ended, told on the UI thread once the call that began it has returned: empty
// when the program started, else why it did not, in the system's words.
using LaunchDone = std::function<void(const QString& failure)>;

// None of these waits for a program to start; `done`, when not empty, hears of it later.
class ILauncher {
public:
    virtual ~ILauncher() = default;
    // Opens `file` with a shell verb compared without regard to case: open, edit, print,
    // explore. An unknown verb or an empty file begins nothing, and `done` never runs.
    virtual void ShellExecute(const QString& verb, const QString& file, LaunchDone done) = 0;
    // Starts `program` with `arguments`, detached, leaving no zombie and no inherited
    // descriptor.
    virtual void LaunchDetached(const QString& program, const QStringList& arguments,
                                LaunchDone done) = 0;
    // Hands an address to the desktop's own opener.
    virtual void OpenUrl(const QString& url, LaunchDone done) = 0;
    // The program is ending at once: starts now, on this thread, what is not begun yet.
    virtual void StartPending() {}
};
