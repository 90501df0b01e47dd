#include "FindCommands.h"

#include "FindDialog.h"
#include "FindInPane.h"
#include "ReplaceDialog.h"
#include "ScanText.h"

#include "platform/ErrorGuard.h"
#include "platform/Messages.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace {

void replaceSelection(QTextCursor& cursor, const QString& with) {
    if (with.isEmpty())
        cursor.removeSelectedText();
    else
        cursor.insertText(with);
}

} // namespace

FindCommands::FindCommands(QWidget& window, QPlainTextEdit& left, std::function<void()> revealLeft,
                           QObject* parent)
    : QObject(parent), window_(window), left_(left) {
    search_ = new PaneSearch(left_, std::move(revealLeft), this);
    FindDialog1 = new FindDialog(&window_);
    ReplaceDialog1 = new ReplaceDialog(&window_);
    connect(FindDialog1, &FindDialog::find, this, guard::slot([this] { FindDialog1Find(); }));
    connect(ReplaceDialog1, &ReplaceDialog::find, this, guard::slot([this] { ReplaceDialog1Find(); }));
    connect(ReplaceDialog1, &ReplaceDialog::replace, this, guard::slot([this] { ReplaceDialog1Replace(); }));
}

void FindCommands::N48Click() {
    FindDialog1->showInFront();
}

void FindCommands::N49Click() {
    if (FindDialog1->findText().isEmpty())
        N48Click();
    else
        FindDialog1Find();
}

void FindCommands::N50Click() {
    ReplaceDialog1->showInFront();
}

void FindCommands::FindDialog1Find() {
    find(FindDialog1->findText(), FindDialog1->options());
}

void FindCommands::ReplaceDialog1Find() {
    find(ReplaceDialog1->findText(), ReplaceDialog1->options());
}

void FindCommands::ReplaceDialog1Replace() {
    const QString what = ReplaceDialog1->findText();
    const QString with = ReplaceDialog1->replaceText();
    const unsigned options = ReplaceDialog1->options();
    // Without a search text every empty selection would "match" and take the replacement.
    if (what.isEmpty())
        return;
    if (options & FindOption::ReplaceAll) {
        replaceAll(what, with, options);
        return;
    }
    if (selectionMatches(what)) {
        QTextCursor cursor = left_.textCursor();
        replaceSelection(cursor, with);
        left_.setTextCursor(cursor);
    }
    if (!search_->FindInPane(what, options) && (options & FindOption::ReplaceOne))
        notFound(what);
}

void FindCommands::find(const QString& what, unsigned options) {
    if (!search_->FindInPane(what, options))
        notFound(what);
}

// The result of replacing match after match, each search starting after the text just inserted,
// built once and put into the pane as one edit, so it is fast and one undo step.
void FindCommands::replaceAll(const QString& what, const QString& with, unsigned options) {
    QTextCursor cursor = left_.textCursor();
    qsizetype from = cursor.selectionStart();
    qsizetype length = cursor.selectionEnd() - from;
    QString source = search_->text();

    cursor.beginEditBlock();
    if (selectionMatches(what)) {
        replaceSelection(cursor, with);
        source.replace(from, length, with);
        from += with.size();
        length = 0;
    }
    qsizetype first = -1;
    qsizetype copied = 0;
    QString result;
    for (auto match = ScanText(source, from, length, what, options); match;
         match = ScanText(source, copied, 0, what, options)) {
        if (first < 0)
            copied = first = *match;
        result += QStringView(source).mid(copied, *match - copied);
        result += with;
        copied = *match + what.size();
    }
    if (first >= 0) {
        cursor.setPosition(int(first));
        cursor.setPosition(int(copied), QTextCursor::KeepAnchor);
        replaceSelection(cursor, result);
    }
    cursor.endEditBlock();
    if (first >= 0)
        search_->land(cursor.position(), cursor.position());
    else
        left_.setTextCursor(cursor);
}

bool FindCommands::selectionMatches(const QString& what) const {
    QString selected = left_.textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return selected.compare(what, Qt::CaseInsensitive) == 0;
}

void FindCommands::notFound(const QString& what) {
    ShowMessage(QStringLiteral("找不到\"%1\"").arg(what), &window_);
}
