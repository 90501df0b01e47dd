#include "windows/Appearance.h"
#include "windows/GlossaWindows.h"
#include "windows/TMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The application name stays the executable's name: the single-instance lock compares it with the
    // name of the process that holds the lock.
    glossa::SetUpAppearance(app);
    glossa::GlossaWindows windows;
    if (windows.main().startRefused())
        return 0;
    windows.main().show();
    return app.exec();
}
