#include "EditCommands.h"

#include "platform/Dialogs.h"
#include "platform/ErrorGuard.h"
#include "platform/Messages.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>

namespace {

// The lines the user sees in a block; laying the block out first if it never was.
int displayLines(const QPlainTextEdit& pane, const QTextBlock& block) {
    pane.document()->documentLayout()->blockBoundingRect(block);
    return std::max(block.layout() ? block.layout()->lineCount() : 0, 1);
}

} // namespace

int DisplayLineCount(const QPlainTextEdit& pane) {
    int count = 0;
    for (QTextBlock block = pane.document()->begin(); block.isValid(); block = block.next()) {
        if (block == pane.document()->lastBlock() && block.length() == 1)
            break; // an empty last line is not counted
        count += displayLines(pane, block);
    }
    return count;
}

int DisplayLineOf(const QPlainTextEdit& pane, int position) {
    const QTextBlock target = pane.document()->findBlock(position);
    int line = 0;
    for (QTextBlock block = pane.document()->begin(); block.isValid() && block != target;
         block = block.next())
        line += displayLines(pane, block);
    if (target.isValid() && displayLines(pane, target) > 1)
        line += target.layout()->lineForTextPosition(position - target.position()).lineNumber();
    return line;
}

int DisplayLineStart(const QPlainTextEdit& pane, int line) {
    int remaining = line;
    for (QTextBlock block = pane.document()->begin(); block.isValid(); block = block.next()) {
        const int lines = displayLines(pane, block);
        if (remaining < lines)
            return block.position() + (lines > 1 ? block.layout()->lineAt(remaining).textStart() : 0);
        remaining -= lines;
    }
    return pane.document()->characterCount() - 1; // past the last line: the end of the text
}

EditCommands::EditCommands(QWidget& window, QPlainTextEdit& left, QObject* parent)
    : QObject(parent), window_(window), left_(left) {
    // Any edit after an undo makes the next undo a plain undo again.
    connect(left_.document(), &QTextDocument::contentsChange, this, [this] {
        if (!left_.document()->isRedoAvailable())
            undoneLast_ = false;
    });
}

void EditCommands::N25Click() {
    // A single-level undo: undo once, and the next undo takes that undo back.
    if (undoneLast_ && left_.document()->isRedoAvailable()) {
        left_.redo();
        undoneLast_ = false;
    } else {
        left_.undo();
        undoneLast_ = true;
    }
}

void EditCommands::N43Click() {
    left_.cut();
}

void EditCommands::N44Click() {
    left_.copy();
}

void EditCommands::N45Click() {
    left_.paste();
}

void EditCommands::N46Click() {
    left_.textCursor().removeSelectedText();
}

void EditCommands::N52Click() {
    left_.selectAll();
}

void EditCommands::N9Click() {
    const QString current = QString::number(DisplayLineOf(left_, left_.textCursor().selectionEnd()));
    // Cancelling answers the filled-in number, which moves the caret to the start of its line.
    const QString answer =
        dialogs::provider()
            .inputText(&window_, QStringLiteral("转到以下行"), QStringLiteral("行号："), current)
            .value_or(current);
    bool ok = false;
    const int line = answer.trimmed().toInt(&ok);
    if (!ok)
        throw UserError(QStringLiteral("'%1' is not a valid integer value").arg(answer));
    QTextCursor cursor(left_.document());
    if (line < 0 || line > DisplayLineCount(left_)) {
        ShowMessage(QStringLiteral("行号超出范围！"), &window_);
        left_.setTextCursor(cursor);
        return;
    }
    cursor.setPosition(DisplayLineStart(left_, line));
    left_.setTextCursor(cursor);
    left_.ensureCursorVisible();
}
