// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system_registry.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace haltrix::gui {

namespace {

QString settingsKey(RegistryRoot root, const QString& keyPath, const QString& valueName) {
    QString path = keyPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return registryRootName(root) + QLatin1Char('/') + path + QLatin1Char('/') + valueName;
}

QString textOfValue(const QVariant& value) {
    // An unquoted INI value with commas reads back as a list.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

} // namespace

QString registryRootName(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::LocalMachine:
        break;
    }
    return QStringLiteral("HKEY_LOCAL_MACHINE");
}

IniRegistry::IniRegistry(QString fileName) : m_fileName(std::move(fileName)) {}

RegistryValue IniRegistry::readValue(RegistryRoot root, const QString& keyPath,
                                     const QString& valueName) {
    QSettings settings(m_fileName, QSettings::IniFormat);
    const QString key = settingsKey(root, keyPath, valueName);
    if (settings.status() != QSettings::NoError || !settings.contains(key))
        return {};
    return {true, textOfValue(settings.value(key))};
}

void IniRegistry::writeValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                             const QString& text) {
    QSettings settings(m_fileName, QSettings::IniFormat);
    settings.setValue(settingsKey(root, keyPath, valueName), text);
    settings.sync();
}

QString IniRegistry::defaultFileName() {
    return QSettings(QSettings::IniFormat, QSettings::SystemScope, QStringLiteral("Haltrix"),
                     QStringLiteral("registry"))
        .fileName();
}

#ifdef Q_OS_WIN
namespace {

class NativeRegistry : public SystemRegistry {
public:
    RegistryValue readValue(RegistryRoot root, const QString& keyPath,
                            const QString& valueName) override {
        QSettings key(registryRootName(root) + QLatin1Char('\\') + keyPath,
                      QSettings::NativeFormat);
        if (!key.contains(valueName))
            return {};
        return {true, textOfValue(key.value(valueName))};
    }
};

} // namespace

std::unique_ptr<SystemRegistry> makeSystemRegistry() {
    return std::make_unique<NativeRegistry>();
}
#else
std::unique_ptr<SystemRegistry> makeSystemRegistry() {
    return std::make_unique<IniRegistry>(IniRegistry::defaultFileName());
}
#endif

} // namespace haltrix::gui
