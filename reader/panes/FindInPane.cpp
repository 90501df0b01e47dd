#include "FindInPane.h"

#include "ScanText.h"

#include <QPlainTextEdit>
#include <QTextCursor>

PaneSearch::PaneSearch(QPlainTextEdit& pane, std::function<void()> reveal, QObject* parent)
    : QObject(parent), pane_(pane), reveal_(std::move(reveal)) {
    connect(pane_.document(), &QTextDocument::contentsChange, this, [this] {
        stale_ = true;
        text_.clear();
    });
}

const QString& PaneSearch::text() {
    if (stale_) {
        text_ = pane_.toPlainText();
        stale_ = false;
    }
    return text_;
}

bool PaneSearch::FindInPane(const QString& what, unsigned options) {
    if (what.isEmpty())
        return false;
    const QTextCursor cursor = pane_.textCursor();
    const qsizetype start = cursor.selectionStart();
    const auto match = ScanText(text(), start, cursor.selectionEnd() - start, what, options);
    if (!match)
        return false;
    land(*match, *match + what.size());
    return true;
}

void PaneSearch::land(qsizetype start, qsizetype end) {
    // A hidden pane cannot show its match: bring it into sight first instead of failing.
    if (!pane_.isVisibleTo(pane_.window()) && reveal_)
        reveal_();
    QTextCursor cursor = pane_.textCursor();
    cursor.setPosition(int(start));
    cursor.setPosition(int(end), QTextCursor::KeepAnchor);
    pane_.setTextCursor(cursor);
    pane_.ensureCursorVisible();
    pane_.setFocus();
}
