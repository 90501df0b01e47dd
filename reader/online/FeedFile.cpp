#include "FeedFile.h"

#include "platform/ErrorGuard.h"
#include "platform/KeyedFile.h"

#include <algorithm>

FeedNotices ReadNotices(const KeyedFile& feed) {
    const QString info = QStringLiteral("info");
    FeedNotices notices;
    notices.count = feed.readInteger(info, QStringLiteral("count"), 0);
    // A notice whose keys are all missing is an empty one; more of them than the section has
    // lines can only come from a broken count.
    notices.count = int(std::min<qsizetype>(notices.count, feed.keyCount(info)));
    notices.interval = feed.readInteger(info, QStringLiteral("time"), 5000);
    if (notices.interval > 0)
        notices.interval = std::max(notices.interval, kMinimumNoticeInterval);
    for (int i = 1; i <= notices.count; ++i) {
        const QString n = QString::number(i);
        notices.names << feed.readString(info, QStringLiteral("name") + n);
        notices.urls << feed.readString(info, QStringLiteral("url") + n);
    }
    return notices;
}

UpdateOffer ReadUpdateOffer(const KeyedFile& feed, const QString& installerUrl) {
    const QString update = QStringLiteral("update");
    return {feed.readString(update, QStringLiteral("ver"), QString::number(kOwnVersion)),
            feed.readString(update, QStringLiteral("url"), installerUrl)};
}

int VersionNumber(const QString& version) {
    bool ok = false;
    const int number = version.trimmed().toInt(&ok);
    if (!ok)
        throw UserError(QStringLiteral("'%1' is not a valid integer value").arg(version));
    return number;
}
