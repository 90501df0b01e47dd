#include "LinkTargets.h"

#include "online/lookup/LookupAddresses.h"

#include "platform/Configuration.h"
#include "platform/ProgramFolder.h"

namespace links {

QString helpPage() {
    return InstallFolder() + QLatin1String("Readme.htm");
}

QString makerWebSite() {
    return config::makerWebSite();
}

QString materialListPage() {
    return config::downloadSite() + QLatin1String("/soft/html/list190-1.html");
}

QString materialSearchPage(const QString& word) {
    return config::downloadSite() + QLatin1String("/search.asp?word=") +
           lookup::escapeDelimiters(word, lookup::WordPlace::Query);
}

QString supportMailLink() {
    return QLatin1String("mailto:") +
           config::value(QStringLiteral("contact/support_mail"), QStringLiteral("support@verbaloom.com"));
}

QString recommendMailLink() {
    return QStringLiteral(
               "mailto:?subject=推荐一款英语阅读软件[蓝岸英语阅读器]&Body=你好！给你推荐一款很好用的英语"
               "阅读软件[蓝岸英语阅读器]，下载地址：") +
           makerWebSite();
}

QString recommendationText() {
    return QStringLiteral("你好！给你推荐一款英语阅读软件[蓝岸英语阅读器]，下载地址：") + makerWebSite();
}

QString contactNumber() {
    const QString configured = config::value(QStringLiteral("contact/qq"), QStringLiteral("800012345"));
    QString digits;
    for (const QChar c : configured)
        if (c >= u'0' && c <= u'9')
            digits += c;
    return digits;
}

} // namespace links
