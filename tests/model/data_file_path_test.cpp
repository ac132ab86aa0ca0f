// Where the data file lives: the data folder under the user's application-data folder, created
// and made current, and the same path every time.
#include "model/data_file_path.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

// Sets or unsets an environment variable for one scope.
class EnvironmentOverride {
public:
    EnvironmentOverride(const char* name, std::optional<QString> value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = QString::fromLocal8Bit(old);
        Apply(value);
    }
    ~EnvironmentOverride() { Apply(m_old); }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    void Apply(const std::optional<QString>& value) {
        if (value)
            setenv(m_name, value->toLocal8Bit().constData(), 1);
        else
            unsetenv(m_name);
    }
    const char* m_name;
    std::optional<QString> m_old;
};

QString Canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

TEST(DataFilePath, LivesInTheDataHomeWhoseFolderIsCreatedAndMadeCurrent) {
    QTemporaryDir root;
    const QString dataHome = root.filePath(QStringLiteral("not/yet/there"));
    EnvironmentOverride data("XDG_DATA_HOME", dataHome);

    QString first;
    GetDataFilePath(first);
    EXPECT_EQ(first, dataHome + QStringLiteral("/Tintwatch/Tintwatchv7.1.dat"));
    EXPECT_TRUE(QFileInfo(dataHome + QStringLiteral("/Tintwatch")).isDir());
    EXPECT_EQ(Canonical(QDir::currentPath()), Canonical(dataHome + QStringLiteral("/Tintwatch")));

    QString second = QStringLiteral("whatever was there");
    GetDataFilePath(second);
    EXPECT_EQ(second, first);
}

TEST(DataFilePath, DoubledSeparatorsAreFolded) {
    QTemporaryDir root;
    EnvironmentOverride data("XDG_DATA_HOME", root.path() + QStringLiteral("/"));
    QString path;
    GetDataFilePath(path);
    EXPECT_EQ(path, root.path() + QStringLiteral("/Tintwatch/Tintwatchv7.1.dat"));
}

TEST(DataFilePath, WithoutAnAbsoluteDataHomeTheHomesLocalShareIsUsed) {
    QTemporaryDir home;
    EnvironmentOverride homeVariable("HOME", home.path());
    const QString expected =
        home.path() + QStringLiteral("/.local/share/Tintwatch/Tintwatchv7.1.dat");
    for (const std::optional<QString>& dataHome :
         {std::optional<QString>(), std::optional<QString>(QString()),
          std::optional<QString>(QStringLiteral("relative/data"))}) {
        EnvironmentOverride data("XDG_DATA_HOME", dataHome);
        QString path;
        GetDataFilePath(path);
        EXPECT_EQ(path, expected);
        EXPECT_TRUE(QFileInfo(QFileInfo(expected).path()).isDir());
    }
}

} // namespace
