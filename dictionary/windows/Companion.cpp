#include "Companion.h"

#include <QShowEvent>

namespace glossa {

Companion::Companion(const QString& caption, QSize clientSize, QWidget* mainWindow) : QDialog(mainWindow) {
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setFixedSize(clientSize);
}

void Companion::showEvent(QShowEvent* event) {
    if (!event->spontaneous() && parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace glossa
