#include "RecordedVoice.h"

#include "MediaPlayerBar.h"

#include "platform/Dialogs.h"
#include "platform/Messages.h"

#include <QFileInfo>
#include <QLineEdit>

namespace {

constexpr int kAllFilesFilter = 1;

FileDialogRequest audioRequest() {
    FileDialogRequest request;
    request.filter = kAudioFilter;
    request.defaultSuffix = QStringLiteral("mp3");
    return request;
}

bool blank(const QLineEdit& field) {
    return field.text().trimmed().isEmpty();
}

} // namespace

RecordedVoice::RecordedVoice(RecordedVoiceView view, DownloadHook download, QObject* parent)
    : QObject(parent), view_(view), download_(std::move(download)) {}

void RecordedVoice::PlayRecording() {
    // The file test and the player get the text as it stands; only the emptiness test trims.
    const QString local = view_.localFile.text();
    if (!blank(view_.localFile) && QFileInfo(local).isFile())
        view_.player.setURL(local);
    else if (!blank(view_.address))
        view_.player.setURL(view_.address.text());
}

void RecordedVoice::SpeedButton1Click() {
    FileDialogRequest request = audioRequest();
    request.filterIndex = kAllFilesFilter;
    request.mustExist = false;
    const std::optional<QString> path = dialogs::provider().openFile(&view_.window, request);
    if (!path)
        return;
    view_.localFile.setText(QFileInfo(*path).absoluteFilePath());
    view_.player.setURL(view_.localFile.text());
}

void RecordedVoice::SpeedButton2Click() {
    if (blank(view_.address)) {
        ShowMessage(kNoRecording, &view_.window);
        return;
    }
    FileDialogRequest request = audioRequest();
    request.overwritePrompt = true;
    const std::optional<QString> path = dialogs::provider().saveFile(&view_.window, request);
    if (!path || !download_ || !download_(view_.address.text(), *path))
        return;
    ShowMessage(kRecordingSaved, &view_.window);
    view_.localFile.setText(*path);
    view_.player.setURL(view_.localFile.text());
}

void RecordedVoice::StopPlayback() {
    view_.player.close();
    view_.player.setURL(QString());
}
