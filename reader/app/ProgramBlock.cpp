#include "ProgramBlock.h"

#include "ReaderWindows.h"
#include "StartupProbe.h"
#include "TfmMain.h"

#include "platform/ErrorGuard.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>

namespace {

const QString kTitle = QStringLiteral("蓝岸英语阅读器");

// 宋体 and the other Windows faces the windows ask for, mapped onto installed CJK fonts.
void substituteChineseFonts() {
    const QStringList song = {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                              QStringLiteral("WenQuanYi Micro Hei")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), song);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), song);
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("Noto Sans CJK SC")});
}

} // namespace

QString PrepareStagedInstallerPath() {
    const QString updateFolder = ProgramFolder() + QStringLiteral("update/");
    QDir().mkpath(updateFolder); // a failure shows later as a failed staging download
    return updateFolder + QStringLiteral("VerbaloomSetup.exe");
}

bool UpdatePending(const QString& stagedInstaller) {
    return settings::ReadUpdateFlag() == 1 && QFileInfo(stagedInstaller).isFile();
}

int RunProgramBlock(int argc, char** argv) {
    Q_INIT_RESOURCE(app);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // Program folder and staged installer need the application object only for the
    // executable's path; the reader's windows are not created in the update branch.
    GuardedApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Lectern"));
    app.setOrganizationName(QStringLiteral("Verbaloom"));
    app.setApplicationDisplayName(kTitle);

    const QString stagedInstaller = PrepareStagedInstallerPath();
    if (UpdatePending(stagedInstaller)) {
        ShowMessage(QStringLiteral("发现新版本，请按照提示更新，谢谢！"));
        shell::startProgram(stagedInstaller);
        return 0;
    }

    substituteChineseFonts();
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(13);
    QApplication::setFont(font);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lectern/lectern.svg")));

    ReaderWindows windows(arguments);
    InstallStartupProbe(windows.main());
    windows.main().showMaximized();
    return app.exec();
}
