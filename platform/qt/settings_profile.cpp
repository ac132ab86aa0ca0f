#include "settings_profile.h"

#include <QCoreApplication>

namespace {

QString KeyOf(const QString& section, const QString& entry) {
    return section + QLatin1Char('/') + entry;
}

} // namespace

SettingsProfile::SettingsProfile()
    : SettingsProfile(QCoreApplication::organizationName(), QCoreApplication::applicationName()) {}

SettingsProfile::SettingsProfile(const QString& organization, const QString& application)
    : m_settings(organization, application) {}

QVariant SettingsProfile::Read(const QString& section, const QString& entry) {
    return m_settings.value(KeyOf(section, entry));
}

bool SettingsProfile::Write(const QString& section, const QString& entry, const QVariant& value) {
    m_settings.setValue(KeyOf(section, entry), value);
    // Written through at once, so a failure is known to the caller and a crash loses nothing.
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}

int SettingsProfile::GetProfileInt(const QString& section, const QString& entry, int defaultValue) {
    const QVariant value = Read(section, entry);
    bool ok = false;
    const int number = value.toInt(&ok);
    return value.isValid() && ok ? number : defaultValue;
}

QString SettingsProfile::GetProfileString(const QString& section, const QString& entry,
                                          const QString& defaultValue) {
    const QVariant value = Read(section, entry);
    return value.canConvert<QString>() ? value.toString() : defaultValue;
}

std::optional<QByteArray> SettingsProfile::GetProfileBinary(const QString& section,
                                                            const QString& entry) {
    const QVariant value = Read(section, entry);
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return value.toByteArray();
}

bool SettingsProfile::WriteProfileInt(const QString& section, const QString& entry, int value) {
    return Write(section, entry, value);
}

bool SettingsProfile::WriteProfileString(const QString& section, const QString& entry,
                                         const QString& value) {
    return Write(section, entry, value);
}

bool SettingsProfile::WriteProfileBinary(const QString& section, const QString& entry,
                                         const QByteArray& value) {
    return Write(section, entry, value);
}
