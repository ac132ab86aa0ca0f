// Starting other programs. Nothing here ever goes through a shell interpreter.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
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

class ILauncher {
public:
    virtual ~ILauncher() = default;
    // Opens `file` with a shell verb compared without regard to case: open, edit, print,
    // explore. An unknown verb starts nothing. Never waits: edit starts the editor once the
    // desktop has named it, on the event loop. Returns whether something started or is
    // being started.
    virtual bool ShellExecute(const QString& verb, const QString& file) = 0;
    // Starts `program` with `arguments`, detached, never waited for, leaving no zombie and no
    // inherited descriptor. Returns false when it could not be started.
    virtual bool LaunchDetached(const QString& program, const QStringList& arguments) = 0;
    // Hands an address to the desktop's own opener. Returns false when that failed.
    virtual bool OpenUrl(const QString& url) = 0;
};
