// The per-user settings store, in sections of named values.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class IProfile {
public:
    virtual ~IProfile() = default;
    // Each getter gives `defaultValue` (or nullopt) when the value is absent or unreadable.
    virtual int GetProfileInt(const QString& section, const QString& entry, int defaultValue) = 0;
    virtual QString GetProfileString(const QString& section, const QString& entry,
                                     const QString& defaultValue) = 0;
    virtual std::optional<QByteArray> GetProfileBinary(const QString& section,
                                                       const QString& entry) = 0;
    // Writers report failure by returning false; callers may ignore it.
    virtual bool WriteProfileInt(const QString& section, const QString& entry, int value) = 0;
    virtual bool WriteProfileString(const QString& section, const QString& entry,
                                    const QString& value) = 0;
    virtual bool WriteProfileBinary(const QString& section, const QString& entry,
                                    const QByteArray& value) = 0;
};
