// The per-user settings store on QSettings, one group per section.
#pragma once

#include "platform/profile.h"

#include <QSettings>

class SettingsProfile : public IProfile {
public:
    // The application's own organization and application names.
    SettingsProfile();
    SettingsProfile(const QString& organization, const QString& application);

    int GetProfileInt(const QString& section, const QString& entry, int defaultValue) override;
    QString GetProfileString(const QString& section, const QString& entry,
                             const QString& defaultValue) override;
    std::optional<QByteArray> GetProfileBinary(const QString& section,
                                               const QString& entry) override;
    bool WriteProfileInt(const QString& section, const QString& entry, int value) override;
    bool WriteProfileString(const QString& section, const QString& entry,
                            const QString& value) override;
    bool WriteProfileBinary(const QString& section, const QString& entry,
                            const QByteArray& value) override;

private:
    QVariant Read(const QString& section, const QString& entry);
    bool Write(const QString& section, const QString& entry, const QVariant& value);

    QSettings m_settings;
};
