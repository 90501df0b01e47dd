#include "Messages.h"

#include "Dialogs.h"

#include <QApplication>

void ShowMessage(const QString& text, QWidget* parent) {
    dialogs::provider().message(parent, QApplication::applicationDisplayName(), text);
}
