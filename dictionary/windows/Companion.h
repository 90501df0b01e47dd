#pragma once

#include <QDialog>

namespace glossa {

// A window of the dictionary besides the main one: not modal, fixed size, close button only, created
// once and hidden instead of destroyed, centred on the main window whenever it is shown.
class Companion : public QDialog {
    Q_OBJECT
public:
    Companion(const QString& caption, QSize clientSize, QWidget* mainWindow);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace glossa
