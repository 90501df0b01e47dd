// Wiring of the reader's settings and desktop integration.
#include "TfmMain.h"

#include "platform/DesktopIntegration.h"
#include "platform/ErrorGuard.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QCoreApplication>

void TfmMain::wireSettings() {
    // clicked, not toggled: setting the box from code must not write anything.
    connect(chkAutoRun, &QCheckBox::clicked, this,
            guard::slot([this] { desktop::SetAutoRun(chkAutoRun->isChecked()); }));
}

void TfmMain::firstRunAndAutoRunStep() {
    if (!settings::FirstRunDone()) {
        settings::MarkFirstRunDone();
        desktop::SetAutoRun(true);
    }
    chkAutoRun->setChecked(desktop::IsAutoRunEnabled());
}

void TfmMain::fileAssociationStep() {
    desktop::RegisterFileAssociation(QStringLiteral(".vbd"), QStringLiteral("verbaloom.vbd"),
                                     QStringLiteral("蓝岸英语阅读文件"), QCoreApplication::applicationFilePath(), 0,
                                     true);
}

void TfmMain::externalDictionaryStep() {
    ExternalDictionaryPath = settings::LoadExternalDictionaryPath();
}
