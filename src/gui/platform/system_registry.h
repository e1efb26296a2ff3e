// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

namespace haltrix::gui {

// The root keys the program reads below.
enum class RegistryRoot { LocalMachine };

// "HKEY_LOCAL_MACHINE".
QString registryRootName(RegistryRoot root);

// A value read from the registry; `found` is false when the key or the
// value does not exist or cannot be read, and the text is then empty.
struct RegistryValue {
    bool found = false;
    QString text;
};

// Read-only access to the operating system's registry.
class SystemRegistry {
public:
    virtual ~SystemRegistry() = default;
    virtual RegistryValue readValue(RegistryRoot root, const QString& keyPath,
                                    const QString& valueName) = 0;
};

// Systems without a registry keep the same entries in an INI file: the root
// key is the section, followed by the key path ("\" separated) and the value
// name, e.g. [HKEY_LOCAL_MACHINE] SOFTWARE\Microsoft\Shared Tools\MSINFO\PATH.
class IniRegistry : public SystemRegistry {
public:
    explicit IniRegistry(QString fileName);

    RegistryValue readValue(RegistryRoot root, const QString& keyPath,
                            const QString& valueName) override;
    // Adds or replaces a value (used to set the file up).
    void writeValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                    const QString& text);

    const QString& fileName() const { return m_fileName; }

    // Machine-wide: <system configuration folder>/Haltrix/registry.ini.
    static QString defaultFileName();

private:
    QString m_fileName;
};

// The registry of this system: the native one on Windows, else the INI file
// at IniRegistry::defaultFileName().
std::unique_ptr<SystemRegistry> makeSystemRegistry();

} // namespace haltrix::gui
