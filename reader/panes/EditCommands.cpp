#include "EditCommands.h"

#include "platform/Dialogs.h"
#include "platform/ErrorGuard.h"
#include "platform/Messages.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

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
    const auto answer = dialogs::provider().inputText(&window_, QStringLiteral("转到以下行"),
                                                      QStringLiteral("行号："), QString());
    if (!answer)
        return;
    bool ok = false;
    const int line = answer->trimmed().toInt(&ok);
    if (!ok)
        throw UserError(QStringLiteral("'%1' is not a valid integer value").arg(*answer));
    // Display lines: wrapped lines count as the user sees them.
    int remaining = line - 1;
    for (QTextBlock block = left_.document()->begin(); block.isValid() && line >= 1; block = block.next()) {
        const int lines = block.layout() && block.layout()->lineCount() > 0 ? block.layout()->lineCount() : 1;
        if (remaining < lines) {
            QTextCursor cursor(block);
            if (block.layout() && block.layout()->lineCount() > remaining)
                cursor.setPosition(block.position() + block.layout()->lineAt(remaining).textStart());
            left_.setTextCursor(cursor);
            left_.ensureCursorVisible();
            left_.setFocus();
            return;
        }
        remaining -= lines;
    }
    ShowMessage(QStringLiteral("行号超出范围！"), &window_);
}
