// Wiring of the external programs and links.
#include "TfmMain.h"

#include "ReaderWindows.h"

#include <QAction>

void TfmMain::wireLinks() {
    connect(N39, &QAction::triggered, this, [this] {
        if (windows_)
            windows_->showRecorderModal();
    });
}
