// Wiring of the online services: history, feed, resources and look-up windows.
#include "TfmMain.h"

#include "ReaderWindows.h"

#include "documents/DocumentCommands.h"
#include "documents/ReadingHistory.h"
#include "online/Download.h"
#include "online/NoticeFeed.h"

#include "platform/ErrorGuard.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTimer>

namespace {

// Turns a left click on a plain widget (a label) into a handler call.
class ClickFilter : public QObject {
public:
    ClickFilter(QWidget* target, std::function<void()> handler)
        : QObject(target), handler_(std::move(handler)) {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            guard::run(handler_);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

} // namespace

void TfmMain::wireOnline() {
    HistoryView view{*this, *cbxhistorywz, *listhistorywzurl,
                     [this](const QString& title) { setTitle(title); }};
    history = new ReadingHistory(
        std::move(view), *documents,
        [](const QString& url, const QString& path) {
            return DownloadFile(url, path, {download::kDocumentLimit});
        },
        this);
    connect(cbxhistorywz, &QComboBox::activated, history,
            guard::slot([h = history] { h->cbxhistorywzChange(); }));
    new ClickFilter(LabelHistory, [h = history] { h->Label5Click(); });

    auto* stripText = new QLabel(Panelad);
    stripText->setObjectName(QStringLiteral("PaneladText"));
    stripText->setAlignment(Qt::AlignCenter);
    stripText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    stripText->setStyleSheet(QStringLiteral("color: blue; font-family: \"宋体\"; font-size: 12px;"));
    Panelad->layout()->addWidget(stripText);
    feed = new NoticeFeed({*Panelad, *stripText, *Timer1}, this);
    connect(Timer1, &QTimer::timeout, feed, guard::slot([f = feed] { f->Timer1Timer(); }));

    const auto N37Click = [this] {
        if (!windows_)
            return;
        QWidget& resources = windows_->resources();
        resources.show();
        resources.raise();
        resources.activateWindow();
    };
    connect(N37, &QAction::triggered, this, guard::slot(N37Click));
    connect(BtnOnline, &QPushButton::clicked, this, guard::slot(N37Click));
}

void TfmMain::loadHistoryStep() {
    history->LoadHistory();
}

void TfmMain::addToHistory(const QString& name, const QString& address) {
    if (history)
        history->AddToHistory(name, address);
}

// A history that cannot be written is reported once by the close guard; the reader still closes.
void TfmMain::saveHistoryOnClose() {
    history->SaveHistory();
}
