#include "desktop_entry.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {

// xdg-mime is a shell script that may consult the desktop's own tools; never hang on it.
constexpr int kQueryTimeoutMs = 3000;

QString UnescapeString(QStringView value) {
    QString result;
    result.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            result += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case 's':
            result += QLatin1Char(' ');
            break;
        case 'n':
            result += QLatin1Char('\n');
            break;
        case 't':
            result += QLatin1Char('\t');
            break;
        case 'r':
            result += QLatin1Char('\r');
            break;
        case '\\':
            result += QLatin1Char('\\');
            break;
        default: // kept for the Exec quoting rules, which have escapes of their own
            result += c;
            result += next;
        }
    }
    return result;
}

} // namespace

namespace {

void StartQuery(QProcess& query, const QString& mimeType) {
    query.setStandardInputFile(QProcess::nullDevice());
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), mimeType});
}

QString AnswerOf(QProcess& query) {
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    const QString output = QString::fromLocal8Bit(query.readAllStandardOutput());
    return output.section(QLatin1Char('\n'), 0, 0).trimmed();
}

} // namespace

void QueryDefaultDesktopId(const QString& mimeType, std::function<void(const QString&)> onAnswer) {
    // Lives until it has answered once: finished (killed when slow), or failed to start.
    auto* query = new QProcess(QCoreApplication::instance());
    QObject::connect(query, &QProcess::finished, query, [query, onAnswer] {
        onAnswer(AnswerOf(*query));
        query->deleteLater();
    });
    QObject::connect(query, &QProcess::errorOccurred, query,
                     [query, onAnswer](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         onAnswer(QString());
                         query->deleteLater();
                     });
    QTimer::singleShot(kQueryTimeoutMs, query, [query] { query->kill(); });
    StartQuery(*query, mimeType);
}

QString FindDesktopEntry(const QString& desktopId) {
    if (desktopId.isEmpty() || desktopId.contains(QLatin1Char('/')) ||
        !desktopId.endsWith(QLatin1String(".desktop")))
        return {};
    return QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
}

QStringList DesktopCommand(const QString& desktopId, const QString& file) {
    const QString entry = FindDesktopEntry(desktopId);
    return entry.isEmpty() ? QStringList() : ExpandDesktopExec(ReadDesktopExec(entry), file);
}

QString ReadDesktopExec(const QString& desktopFilePath) {
    QFile file(desktopFilePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup || !line.startsWith(QLatin1String("Exec")))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || QStringView(line).mid(4, equals - 4).trimmed().size() != 0)
            continue; // another key that starts with "Exec"
        return UnescapeString(QStringView(line).mid(equals + 1).trimmed());
    }
    return {};
}

QStringList ExpandDesktopExec(const QString& exec, const QString& file) {
    QStringList words;
    QString word;
    bool inWord = false;
    bool inQuotes = false;
    bool fileUsed = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (inQuotes) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size())
                word += exec[++i];
            else if (c == QLatin1Char('"'))
                inQuotes = false;
            else
                word += c;
            continue;
        }
        if (c == QLatin1Char('"')) {
            inQuotes = true;
            inWord = true;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inWord)
                words += word;
            word.clear();
            inWord = false;
        } else if (c == QLatin1Char('%') && i + 1 < exec.size()) {
            const char code = exec[++i].toLatin1();
            if (code == '%') {
                word += c;
                inWord = true;
            } else if (code == 'f' || code == 'F' || code == 'u' || code == 'U') {
                // Inserted whole and never scanned again, whatever the path contains.
                word += file;
                inWord = true;
                fileUsed = true;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inQuotes)
        return {};
    if (inWord)
        words += word;
    if (words.isEmpty())
        return {};
    if (!fileUsed)
        words += file;
    return words;
}
