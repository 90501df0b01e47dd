#include "Messages.h"

#include <QMessageBox>

namespace glossa {

namespace {

void plainMessageBox(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

MessageHandler& handler() {
    static MessageHandler current = plainMessageBox;
    return current;
}

} // namespace

MessageHandler SetMessageHandler(MessageHandler next) {
    MessageHandler previous = std::move(handler());
    handler() = next ? std::move(next) : MessageHandler(plainMessageBox);
    return previous;
}

void ShowMessage(const QString& text, QWidget* parent, const QString& title) {
    handler()(parent, title, text);
}

} // namespace glossa
