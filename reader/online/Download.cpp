#include "Download.h"

#include "platform/Configuration.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QPointer>
#include <QSaveFile>
#include <QUrl>

namespace {

// One download: its own client, its reply and the temporary file that becomes the target.
class Transfer : public QObject {
public:
    Transfer(const QString& url, const QString& path, download::Limits limits)
        : QObject(QCoreApplication::instance()), file_(path), limits_(limits) {
        const QUrl address(url, QUrl::TolerantMode);
        if (!address.isValid() || address.isRelative() || !file_.open(QIODevice::WriteOnly)) {
            // Report on the next turn of the loop, as every other outcome is.
            QMetaObject::invokeMethod(
                this, [this] { finish(false); }, Qt::QueuedConnection);
            return;
        }
        QNetworkRequest request(address);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setTransferTimeout(int(limits_.stallTimeout.count()));
        reply_ = manager_.get(request);
        connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
            const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && length.toLongLong() > limits_.maxBytes)
                fail();
        });
        connect(reply_, &QNetworkReply::readyRead, this, [this] { take(); });
        connect(reply_, &QNetworkReply::finished, this, [this] { complete(); });
    }

    bool finished() const { return finished_; }
    bool succeeded() const { return succeeded_; }
    std::function<void()> onFinished;

private:
    void take() {
        const QByteArray chunk = reply_->readAll();
        received_ += chunk.size();
        if (received_ > limits_.maxBytes || file_.write(chunk) != chunk.size())
            fail();
    }

    void fail() {
        failed_ = true;
        reply_->abort(); // emits finished
    }

    void complete() {
        if (finished_)
            return;
        if (!failed_ && reply_->error() == QNetworkReply::NoError)
            take();
        const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        const bool whole = !failed_ && reply_->error() == QNetworkReply::NoError &&
                           (status == 0 || (status >= 200 && status < 300)) &&
                           (!length.isValid() || length.toLongLong() == received_);
        reply_->deleteLater();
        finish(whole && file_.commit());
    }

    void finish(bool ok) {
        if (!ok)
            file_.cancelWriting();
        finished_ = true;
        succeeded_ = ok;
        if (onFinished)
            onFinished();
    }

    QNetworkAccessManager manager_;
    QSaveFile file_;
    download::Limits limits_;
    QNetworkReply* reply_ = nullptr;
    qint64 received_ = 0;
    bool failed_ = false;
    bool finished_ = false;
    bool succeeded_ = false;
};

bool makerServerIsLocal() {
    const QString host = QUrl(config::makerServer()).host();
    return host == QLatin1String("localhost") || QHostAddress(host).isLoopback();
}

bool anyInterfaceUp() {
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning) &&
            !flags.testFlag(QNetworkInterface::IsLoopBack) && !i.addressEntries().isEmpty())
            return true;
    }
    return false;
}

} // namespace

bool DownloadFile(const QString& url, const QString& path, download::Limits limits) {
    Transfer transfer(url, path, limits);
    // Not QEventLoop::exec(): a quit request ends every running exec() at once, and the
    // download and its caller must still finish before the program ends.
    QEventLoop loop;
    while (!transfer.finished())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    return transfer.succeeded();
}

void StartDownload(const QString& url, const QString& path, download::Limits limits) {
    auto* transfer = new Transfer(url, path, limits); // owned by the application until it ends
    transfer->onFinished = [transfer] { transfer->deleteLater(); };
}

bool IsOnline() {
    if (makerServerIsLocal())
        return true;
    // Loaded once: a system without a backend would otherwise be probed every poll.
    static const bool backend =
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    if (backend && QNetworkInformation::instance()) {
        const auto reachability = QNetworkInformation::instance()->reachability();
        if (reachability != QNetworkInformation::Reachability::Unknown)
            return reachability != QNetworkInformation::Reachability::Disconnected;
    }
    return anyInterfaceUp();
}
