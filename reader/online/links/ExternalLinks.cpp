#include "ExternalLinks.h"

#include "LinkTargets.h"
#include "online/lookup/LookupAddresses.h"

#include "platform/Dialogs.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>

ExternalLinks::ExternalLinks(View view, std::function<void()> showRecorderModal, QObject* parent)
    : QObject(parent), view_(view), showRecorderModal_(std::move(showRecorderModal)) {}

std::optional<QString> ExternalLinks::chooseDictionary() {
    FileDialogRequest request;
    request.title = QStringLiteral("请选择词典路径");
    // Programs carry no extension here; the dictionary of the suite is the likely pick.
    request.filter = QStringLiteral("词典程序|*");
    const QString glossa = InstallFolder() + QLatin1String("Glossa");
    if (QFileInfo(glossa).isExecutable())
        request.fileName = glossa;
    const std::optional<QString> chosen = dialogs::provider().openFile(&view_.window, request);
    if (!chosen)
        return std::nullopt;
    const QFileInfo info(*chosen);
    if (!info.isFile() || !info.isExecutable()) {
        ShowMessage(QStringLiteral("所选文件不是可以运行的程序，请重新选择词典程序。"), &view_.window);
        return std::nullopt;
    }
    return chosen;
}

void ExternalLinks::N61Click() {
    if (!view_.ExternalDictionaryPath.isEmpty()) {
        shell::open(view_.ExternalDictionaryPath);
        return;
    }
    const std::optional<QString> chosen = chooseDictionary();
    if (!chosen)
        return;
    view_.ExternalDictionaryPath = *chosen;
    shell::open(view_.ExternalDictionaryPath);
    settings::SaveExternalDictionaryPath(view_.ExternalDictionaryPath);
}

void ExternalLinks::N63Click() {
    const std::optional<QString> chosen = chooseDictionary();
    if (!chosen)
        return;
    view_.ExternalDictionaryPath = *chosen;
    settings::SaveExternalDictionaryPath(view_.ExternalDictionaryPath);
}

void ExternalLinks::N39Click() {
    if (showRecorderModal_)
        showRecorderModal_();
}

void ExternalLinks::N29Click() {
    shell::open(links::helpPage());
}

void ExternalLinks::N30Click() {
    shell::open(links::makerWebSite());
}

void ExternalLinks::Label3Click() {
    shell::open(links::makerWebSite());
}

void ExternalLinks::Label7Click() {
    shell::open(links::materialListPage());
}

void ExternalLinks::N31Click() {
    shell::open(links::supportMailLink());
}

void ExternalLinks::QQ1Click() {
    const QString number = links::contactNumber();
    QGuiApplication::clipboard()->setText(number);
    ShowMessage(QStringLiteral("QQ号码 ") + number + QStringLiteral(" 已复制！"), &view_.window);
}

void ExternalLinks::QQ2Click() {
    QGuiApplication::clipboard()->setText(links::recommendationText());
    ShowMessage(QStringLiteral("内容已复制，介绍给你的朋友请按Ctrl+V发到QQ或MSN好友里！贴在论坛里面也可以。"),
                &view_.window);
}

void ExternalLinks::N1Click() {
    shell::open(links::recommendMailLink());
}

void ExternalLinks::BtnSearchClick() {
    const QString word = lookup::trimmedWord(view_.Edit3.text());
    if (!word.isEmpty())
        shell::open(links::materialSearchPage(word));
}
