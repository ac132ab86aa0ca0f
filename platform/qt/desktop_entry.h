// Reading the desktop's choice of application for a file type, as freedesktop.org desktop
// entries describe it.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Asks, without waiting, for the desktop id ("org.gnome.gedit.desktop") of the default
// application for `mimeType`, as xdg-mime reports it: `onAnswer` runs once, later, on this
// thread's event loop, with the id, or an empty string when xdg-mime is missing, slow or has
// no answer.
void QueryDefaultDesktopId(const QString& mimeType, std::function<void(const QString&)> onAnswer);

// Full path of the desktop entry `desktopId` in the applications folders of the XDG data
// folders; empty when there is none or the id is not a plain file name.
QString FindDesktopEntry(const QString& desktopId);

// The Exec value of the entry's [Desktop Entry] group with its string escapes undone; empty
// when the file or the key is missing.
QString ReadDesktopExec(const QString& desktopFilePath);

// Program and arguments that open `file` with the application `desktopId`, as its entry's Exec
// says (see ExpandDesktopExec); empty when the entry, or its Exec, is missing.
QStringList DesktopCommand(const QString& desktopId, const QString& file);

// Program and arguments of `exec` with `file` as one whole argument where the entry takes
// files (%f %F %u %U), or appended as the last argument when it takes none. Other field
// codes are dropped. Empty when `exec` is empty or has an unclosed quote.
QStringList ExpandDesktopExec(const QString& exec, const QString& file);
