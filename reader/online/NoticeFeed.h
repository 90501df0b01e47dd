#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QLabel;
class QTimer;
class QWidget;

// The controls of the main window the feed works on.
struct NoticeView {
    QWidget& Panelad;  // the notice strip; a click opens the shown notice
    QLabel& stripText; // the text inside the strip
    QTimer& Timer1;    // the feed poll
};

// The information feed: fetched once per run as soon as the machine is online; its notices
// rotate in the strip, and a newer version announced there is staged for the next start.
class NoticeFeed : public QObject {
    Q_OBJECT
public:
    NoticeFeed(NoticeView view, QObject* parent = nullptr);

    QTimer* Timer2 = nullptr;
    int NoticeCount = 0;
    QStringList MywebLabelnamelist;
    QStringList MywebLabelurllist;
    int NoticeIndex = 0;

    std::function<bool()> isOnline; // IsOnline unless a test replaces it

    void Timer1Timer();
    void Timer2Timer();
    void PaneladClick();

    static QString stagedInstallerPath();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    NoticeView view_;
};
