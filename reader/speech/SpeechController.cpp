#include "SpeechController.h"

#include "SpeechExport.h"
#include "platform/AnsiCodec.h"
#include "platform/Dialogs.h"
#include "platform/Messages.h"
#include "platform/speech/SpeechEngine.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QTextCursor>

namespace {
// An export shorter than this shows no progress dialog.
constexpr int kProgressDelayMilliseconds = 500;
} // namespace

QString SpeechText(const QPlainTextEdit& left) {
    return ansi::toCrLf(left.toPlainText());
}

QString SpeechSelection(const QPlainTextEdit& left) {
    QString text = left.textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    qsizetype begin = 0, end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return ansi::toCrLf(text.mid(begin, end - begin));
}

SpeechController::SpeechController(SpeechView view, SpeechEngine& engine, QObject* parent)
    : QObject(parent), view_(view), engine_(engine) {}

void SpeechController::InitVoices() {
    FillVoiceList();
    ApplyVoice();
}

void SpeechController::FillVoiceList() {
    const QStringList names = engine_.voices();
    const QSignalBlocker blocker(view_.voices);
    view_.voices.clear();
    view_.voices.addItems(names);
    if (view_.voices.count() > 0)
        view_.voices.setCurrentIndex(0);
}

void SpeechController::ApplyVoice() {
    if (view_.voices.count() == 0)
        return;
    engine_.setVoice(view_.voices.currentIndex());
}

void SpeechController::suitempcmbEnginesChange() {
    ApplyVoice();
}

void SpeechController::N20Click() {
    engine_.speak(SpeechText(view_.left), SpeechEngine::Async | SpeechEngine::PurgeBeforeSpeak);
}

void SpeechController::N11Click() {
    engine_.speak(SpeechSelection(view_.left), SpeechEngine::Async | SpeechEngine::PurgeBeforeSpeak);
}

void SpeechController::N27Click() {
    togglePause(view_.menuPause.isChecked());
}
void SpeechController::ToolButton5Click() {
    togglePause(view_.toolPause.isChecked());
}
void SpeechController::N7Click() {
    togglePause(view_.contextPause.isChecked());
}

void SpeechController::togglePause(bool paused) {
    // The toggles stay equal even when the engine refuses.
    setToggles(paused);
    if (paused)
        engine_.pause();
    else
        engine_.resume();
}

void SpeechController::setToggles(bool paused) {
    view_.menuPause.setChecked(paused);
    view_.toolPause.setChecked(paused);
    view_.contextPause.setChecked(paused);
}

void SpeechController::N28Click() {
    if (view_.menuPause.isChecked()) {
        setToggles(false);
        engine_.resume();
    }
    engine_.speak(QString(), SpeechEngine::PurgeBeforeSpeak);
}

void SpeechController::N81Click() {
    if (const int rate = engine_.rate(); rate < SpeechEngine::kMaxRate)
        engine_.setRate(rate + 1);
}

void SpeechController::N82Click() {
    if (const int rate = engine_.rate(); rate > SpeechEngine::kMinRate)
        engine_.setRate(rate - 1);
}

void SpeechController::N83Click() {
    if (const int volume = engine_.volume(); volume < SpeechEngine::kMaxVolume)
        engine_.setVolume(volume + 1);
}

void SpeechController::N84Click() {
    if (const int volume = engine_.volume(); volume > SpeechEngine::kMinVolume)
        engine_.setVolume(volume - 1);
}

void SpeechController::PopupMenu1Popup() {
    const bool selected = view_.left.textCursor().hasSelection();
    view_.readSelectionItem.setVisible(selected);
    view_.readContextItem.setText(selected ? QStringLiteral("朗读全部") : QStringLiteral("朗读"));
}

void SpeechController::N57Click() {
    if (exporting_)
        return;
    FileDialogRequest request;
    request.filter = QStringLiteral("Wave files(*.wav)|*.wav");
    request.defaultSuffix = QStringLiteral("wav");
    request.overwritePrompt = false;
    const std::optional<QString> chosen = dialogs::provider().saveFile(&view_.window, request);
    if (!chosen || chosen->isEmpty())
        return;
    const QString path = QFileInfo(*chosen).absoluteFilePath();

    exporting_ = true;
    const auto done = qScopeGuard([this] { exporting_ = false; });
    // Releasing the connection would reset the voice, rate and volume; the reader keeps them,
    // and the pause the toggles show.
    const int voice = engine_.voice();
    const int rate = engine_.rate();
    const int volume = engine_.volume();
    const auto carryOver = [&] {
        engine_.release();
        if (voice >= 0)
            engine_.setVoice(voice);
        engine_.setRate(rate);
        engine_.setVolume(volume);
        if (view_.menuPause.isChecked())
            engine_.pause();
    };

    QProgressDialog progress(QStringLiteral("正在导出为语音文件……"), QStringLiteral("取消"), 0, 1000,
                             &view_.window);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kProgressDelayMilliseconds);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    const auto step = [&](double fraction) {
        progress.setValue(static_cast<int>(fraction * 1000));
        // Until the modal dialog shows, no user input may reach the reader's other commands.
        QCoreApplication::processEvents(progress.isVisible() ? QEventLoop::AllEvents
                                                             : QEventLoop::ExcludeUserInputEvents);
        return !progress.wasCanceled();
    };
    bool finished = false;
    try {
        finished = ExportSpeech(engine_, SpeechText(view_.left), path, step);
    } catch (...) {
        progress.close();
        carryOver();
        throw;
    }
    progress.close();
    if (finished)
        ShowMessage(kExportDone + path, &view_.window);
    carryOver();
}
