#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QPlainTextEdit;

// The search of the find and replace commands over one pane. It keeps the pane's text between
// searches, so repeated find next does not copy a long text each time.
class PaneSearch : public QObject {
    Q_OBJECT
public:
    // reveal brings the pane into sight when it is hidden (another page or view in front).
    PaneSearch(QPlainTextEdit& pane, std::function<void()> reveal, QObject* parent = nullptr);

    // Selects the next match from the pane's selection; false, and the selection stays, if none.
    bool FindInPane(const QString& what, unsigned options);

    // The pane's whole text as the search sees it.
    const QString& text();

    // Selects [start, end) with the caret at end, in sight and with the keyboard focus.
    void land(qsizetype start, qsizetype end);

private:
    QPlainTextEdit& pane_;
    std::function<void()> reveal_;
    QString text_;
    bool stale_ = true;
};
