#include "NoticeFeed.h"

#include "Download.h"
#include "FeedFile.h"

#include "platform/Configuration.h"
#include "platform/ErrorGuard.h"
#include "platform/KeyedFile.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"

#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

NoticeFeed::NoticeFeed(NoticeView view, QObject* parent) : QObject(parent), isOnline(IsOnline), view_(view) {
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(5000);
    connect(Timer2, &QTimer::timeout, this, guard::slot([this] { Timer2Timer(); }));
    view_.Panelad.installEventFilter(this);
    view_.Panelad.setCursor(Qt::PointingHandCursor);
}

QString NoticeFeed::stagedInstallerPath() {
    return ProgramFolder() + QStringLiteral("update/VerbaloomSetup.exe");
}

void NoticeFeed::Timer1Timer() {
    if (!isOnline())
        return;
    view_.Timer1.stop();
    const QString path = ProgramFolder() + QStringLiteral("info.dat");
    if (!DownloadFile(config::makerServer() + QStringLiteral("/softinfo/info.htm"), path,
                      {download::kListLimit}))
        return;
    if (!QFile::exists(path))
        return;
    const KeyedFile feed(path);

    const FeedNotices notices = ReadNotices(feed);
    NoticeCount = notices.count;
    MywebLabelnamelist = notices.names;
    MywebLabelurllist = notices.urls;
    if (notices.interval > 0) {
        Timer2->setInterval(notices.interval);
        Timer2->start();
    }

    const UpdateOffer offer =
        ReadUpdateOffer(feed, config::makerServer() + QStringLiteral("/softinfo/VerbaloomSetup.exe"));
    if (VersionNumber(offer.version) > kOwnVersion) {
        const QString staged = stagedInstallerPath();
        if (QFile::exists(staged))
            QFile::remove(staged);
        // The download renames its file into place only once complete, so the start-up never
        // finds a partial installer even though the flag is set before the download ends.
        StartDownload(offer.url, staged, {download::kInstallerLimit});
        settings::WriteUpdateFlag(1);
    }
}

void NoticeFeed::Timer2Timer() {
    if (NoticeCount <= 0) {
        Timer2->stop();
        return;
    }
    if (NoticeIndex >= NoticeCount)
        NoticeIndex = 0;
    view_.stripText.setText(MywebLabelnamelist.value(NoticeIndex));
    ++NoticeIndex;
}

void NoticeFeed::PaneladClick() {
    if (NoticeCount <= 0)
        return;
    const QString shown = view_.stripText.text();
    for (qsizetype i = 0; i < MywebLabelnamelist.size(); ++i) {
        if (MywebLabelnamelist.at(i).compare(shown, Qt::CaseInsensitive) == 0) {
            shell::open(MywebLabelurllist.value(i));
            return;
        }
    }
}

bool NoticeFeed::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &view_.Panelad && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        guard::run([this] { PaneladClick(); });
    return QObject::eventFilter(watched, event);
}
