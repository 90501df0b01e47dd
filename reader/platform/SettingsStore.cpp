#include "SettingsStore.h"

#include "ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString kSection = QStringLiteral("Verbaloom/");

bool writable(const QString& file) {
    const QFileInfo info(file);
    if (info.exists())
        return info.isWritable();
    return QFileInfo(info.absolutePath()).isWritable() || QDir().mkpath(info.absolutePath());
}

// A damaged file is never rewritten: that would drop the values we could not parse.
bool usable(const QSettings& s) {
    return s.status() == QSettings::NoError;
}

} // namespace

namespace settings {

QString userSettingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Verbaloom/Lectern.ini");
}

QString machineSettingsFile() {
    return InstallFolder() + QStringLiteral("machine.ini");
}

bool FirstRunDone() {
    QSettings s(userSettingsFile(), QSettings::IniFormat);
    return s.contains(kSection + QStringLiteral("first"));
}

void MarkFirstRunDone() {
    if (!writable(userSettingsFile()))
        return;
    QSettings s(userSettingsFile(), QSettings::IniFormat);
    if (usable(s))
        s.setValue(kSection + QStringLiteral("first"), QString());
}

QString LoadExternalDictionaryPath() {
    QSettings s(userSettingsFile(), QSettings::IniFormat);
    return s.value(kSection + QStringLiteral("mydict")).toString();
}

void SaveExternalDictionaryPath(const QString& path) {
    if (!writable(userSettingsFile()))
        return;
    QSettings s(userSettingsFile(), QSettings::IniFormat);
    if (usable(s))
        s.setValue(kSection + QStringLiteral("mydict"), path);
}

int ReadUpdateFlag() {
    const QSettings s(machineSettingsFile(), QSettings::IniFormat);
    bool ok = false;
    const int value = s.value(kSection + QStringLiteral("update")).toString().trimmed().toInt(&ok);
    return ok ? value : 0; // absent or not a number: nothing pending
}

void WriteUpdateFlag(int value) {
    if (!writable(machineSettingsFile()))
        return;
    QSettings s(machineSettingsFile(), QSettings::IniFormat);
    if (usable(s))
        s.setValue(kSection + QStringLiteral("update"), value);
}

} // namespace settings
