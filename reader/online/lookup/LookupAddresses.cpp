#include "LookupAddresses.h"

#include "platform/Configuration.h"

namespace lookup {

const std::array<Service, 5>& services() {
    static const std::array<Service, 5> all = {{
        {QStringLiteral("haici"), QStringLiteral("海词"), QStringLiteral("hosts/dict_haici"),
         QStringLiteral("http://dict.cn"), QStringLiteral("/"), WordPlace::Path},
        {QStringLiteral("iciba"), QStringLiteral("爱词霸"), QStringLiteral("hosts/dict_iciba"),
         QStringLiteral("http://www.iciba.com"), QStringLiteral("/"), WordPlace::Path},
        {QStringLiteral("baidu"), QStringLiteral("百度词典"), QStringLiteral("hosts/dict_baidu"),
         QStringLiteral("http://dict.baidu.com"), QStringLiteral("/s?wd="), WordPlace::Query},
        {QStringLiteral("youdao"), QStringLiteral("有道词典"), QStringLiteral("hosts/dict_youdao"),
         QStringLiteral("http://dict.youdao.com"), QStringLiteral("/search?q="), WordPlace::Query},
        {QStringLiteral("bing"), QStringLiteral("必应词典"), QStringLiteral("hosts/dict_bing"),
         QStringLiteral("http://cn.bing.com/dict"), QStringLiteral("/#"), WordPlace::Fragment},
    }};
    return all;
}

QString host(const Service& service) {
    QString h = config::value(service.hostKey, service.defaultHost);
    while (h.endsWith(QLatin1Char('/')))
        h.chop(1);
    return h;
}

namespace {

// A '#' anywhere and a '?' in the path would cut the word short; '&' and '+' would split or
// change a query value; '/' would make a path word into several segments; a '%' of the user's
// would be read as an escape.
bool breaksAddress(QChar c, WordPlace place) {
    switch (c.unicode()) {
    case '%':
    case '#':
    case '&':
    case '+':
        return true;
    case '?':
    case '/':
        return place == WordPlace::Path;
    default:
        return false;
    }
}

} // namespace

QString escapeDelimiters(const QString& word, WordPlace place) {
    QString out;
    out.reserve(word.size());
    for (const QChar c : word) {
        if (breaksAddress(c, place))
            out += QLatin1Char('%') + QString::number(c.unicode(), 16).toUpper();
        else
            out += c;
    }
    return out;
}

QString address(const Service& service, const QString& word) {
    return host(service) + service.prefix + escapeDelimiters(word, service.place);
}

QUrl toEngineUrl(const QString& address) {
    // Tolerant parsing writes what is left (spaces, line breaks, Chinese) as %XX of its UTF-8
    // bytes when the request goes out; our own escapes pass unchanged.
    return QUrl(address, QUrl::TolerantMode);
}

QString trimmedWord(const QString& text) {
    QString word = text;
    word.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    word.replace(QChar::LineSeparator, QLatin1Char('\n'));
    const auto blank = [](QChar c) { return c.unicode() <= 0x20 || c.isSpace(); };
    qsizetype begin = 0;
    qsizetype end = word.size();
    while (begin < end && blank(word[begin]))
        ++begin;
    while (end > begin && blank(word[end - 1]))
        --end;
    return word.mid(begin, end - begin);
}

} // namespace lookup
