#include "TestSupport.h"

#include <QDir>

TestEnvironment::TestEnvironment() {
    const QString base = dir_.path();
    for (const char* name : {"program", "config", "data", "cache", "runtime"})
        QDir(base).mkpath(QString::fromLatin1(name));
    qputenv("VERBALOOM_PROGRAM_FOLDER", (base + QLatin1String("/program")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (base + QLatin1String("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (base + QLatin1String("/data")).toUtf8());
    qputenv("XDG_CACHE_HOME", (base + QLatin1String("/cache")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (base + QLatin1String("/runtime")).toUtf8());
    QFile::setPermissions(base + QLatin1String("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QString TestEnvironment::programFolder() const {
    return dir_.path() + QLatin1String("/program/");
}

std::shared_ptr<ScriptedDialogs> ScriptedDialogs::install() {
    auto scripted = std::make_shared<ScriptedDialogs>();
    dialogs::install(scripted);
    return scripted;
}

ScriptedDialogs::~ScriptedDialogs() = default;

void ScriptedDialogs::message(QWidget*, const QString&, const QString& text) {
    messages << text;
    if (onMessage)
        onMessage();
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const FileDialogRequest& request) {
    fileRequests << request;
    if (files.empty())
        return std::nullopt;
    auto answer = files.front();
    files.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget* parent, const FileDialogRequest& request) {
    return openFile(parent, request);
}

std::optional<QString> ScriptedDialogs::inputText(QWidget*, const QString& title, const QString&,
                                                  const QString&) {
    inputTitles << title;
    if (texts.empty())
        return std::nullopt;
    QString answer = texts.front();
    texts.pop_front();
    return answer;
}

std::optional<QFont> ScriptedDialogs::font(QWidget*, const QFont&, const QColor& initialColor,
                                           QColor* chosenColor) {
    if (fonts.empty())
        return std::nullopt;
    QFont answer = fonts.front();
    fonts.pop_front();
    if (chosenColor)
        *chosenColor = initialColor;
    return answer;
}

std::optional<QColor> ScriptedDialogs::color(QWidget*, const QColor&) {
    if (colors.empty())
        return std::nullopt;
    QColor answer = colors.front();
    colors.pop_front();
    return answer;
}
