#include "DocumentCommands.h"

#include "platform/AnsiCodec.h"
#include "platform/Configuration.h"
#include "platform/Dialogs.h"
#include "platform/ErrorGuard.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>

namespace {

const QString kDocumentFilter = QStringLiteral("VBD文件|*.vbd|所有文件|*.*");
const QString kTextFilter = QStringLiteral("文本文件(*.TXT)|*.TXT|所有文件(*.*)|*.*");
const QString kBase = QStringLiteral("蓝岸英语阅读器 2012 Build 0320");

QString folderOf(const QString& path) {
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

} // namespace

QString StripExtension(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : fileName;
}

QString BuildTextExport(const ReadingDocument& d, const QString& downloadPage) {
    const QString separator(65, QLatin1Char('='));
    const QString footer = QStringLiteral("本文件由[蓝岸英语阅读器]生成，下载地址：") + downloadPage;
    const QString joined = d.left + QLatin1Char('\n') + separator + QLatin1Char('\n') + footer +
                           QLatin1Char('\n') + separator + QLatin1Char('\n') + d.right + QLatin1Char('\n') +
                           d.notes;
    QStringList lines = ansi::fromCrLf(joined).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast(); // a closing line break makes no extra empty line
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

DocumentCommands::DocumentCommands(DocumentView view, DocumentHooks hooks, QObject* parent)
    : QObject(parent), view_(std::move(view)), hooks_(std::move(hooks)) {}

ReadingDocument DocumentCommands::current() const {
    return {view_.left.toPlainText(), view_.right.toPlainText(), view_.notes.toPlainText(),
            view_.audioUrl.text(), view_.audioFile.text()};
}

void DocumentCommands::show(const ReadingDocument& d) {
    view_.left.setPlainText(d.left);
    view_.right.setPlainText(d.right);
    view_.notes.setPlainText(d.notes);
    view_.audioUrl.setText(d.audioUrl);
    view_.audioFile.setText(d.audioFile);
}

void DocumentCommands::StopReading() {
    if (hooks_.stopReading)
        hooks_.stopReading();
}

void DocumentCommands::setReadMode(bool human) {
    view_.readButton.setText(human ? kReadHuman : kReadTts);
    QPalette palette = view_.readButton.palette();
    palette.setColor(QPalette::ButtonText, human ? QColor(255, 0, 0) : QColor(0, 0, 0));
    view_.readButton.setPalette(palette);
    view_.readButton.setStyleSheet(human ? QStringLiteral("color: rgb(255, 0, 0);")
                                         : QStringLiteral("color: rgb(0, 0, 0);"));
}

void DocumentCommands::UpdateReadButton() {
    const QString file = view_.audioFile.text();
    const bool localFile = !file.trimmed().isEmpty() && QFileInfo::exists(file);
    const bool address = !view_.audioUrl.text().trimmed().isEmpty();
    setReadMode(localFile || address);
}

void DocumentCommands::OpenDocument(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    StopReading();
    show(ReadDocumentFile(path));
    CurrentFileName = path;
    const QString name = QFileInfo(path).fileName();
    view_.setTitle(kBase + QStringLiteral("   ") + name);
    dialogFolder = folderOf(path);
    if (hooks_.addToHistory)
        hooks_.addToHistory(name, path);
    UpdateReadButton();
}

void DocumentCommands::OpenCurrentArticle(const QString& title, const QString& address) {
    const QString path = ProgramFolder() + QStringLiteral("curwz.vbd");
    if (!QFileInfo(path).isFile())
        return;
    StopReading();
    show(ReadDocumentFile(path));
    // An article is no file of the user's: Save must ask for a name instead of writing the
    // article over the document opened before.
    CurrentFileName.clear();
    view_.setTitle(kBase + QStringLiteral("   ") + title);
    if (hooks_.addToHistory)
        hooks_.addToHistory(title, address);
    UpdateReadButton();
}

// SaveDialog1, shared by save and save as.
FileDialogRequest DocumentCommands::saveRequest() const {
    FileDialogRequest request;
    request.filter = kDocumentFilter;
    request.initialDir = dialogFolder;
    request.defaultSuffix = QStringLiteral("vbd");
    request.overwritePrompt = true;
    return request;
}

void DocumentCommands::N13Click() {
    show(ReadingDocument{});
    StopReading();
    setReadMode(false);
    CurrentFileName.clear();
    view_.setTitle(kBase + QStringLiteral("  "));
}

void DocumentCommands::N14Click() {
    FileDialogRequest request;
    request.filter = kDocumentFilter;
    request.initialDir = dialogFolder;
    if (const auto path = dialogs::provider().openFile(&view_.window, request))
        OpenDocument(*path);
}

void DocumentCommands::N15Click() {
    if (!CurrentFileName.isEmpty()) {
        WriteDocumentFile(CurrentFileName, current());
        return;
    }
    const auto path = dialogs::provider().saveFile(&view_.window, saveRequest());
    if (!path)
        return;
    WriteDocumentFile(*path, current());
    CurrentFileName = *path;
    view_.setTitle(kBase + QStringLiteral("   ") + QFileInfo(*path).fileName());
    dialogFolder = folderOf(*path);
}

void DocumentCommands::N17Click() {
    if (const auto path = dialogs::provider().saveFile(&view_.window, saveRequest()))
        WriteDocumentFile(*path, current());
}

void DocumentCommands::XT2Click() {
    FileDialogRequest request;
    request.filter = kTextFilter;
    request.initialDir = folderOf(CurrentFileName);
    request.fileName =
        CurrentFileName.isEmpty() ? QString() : StripExtension(QFileInfo(CurrentFileName).fileName());
    request.defaultSuffix = QStringLiteral("txt");
    request.overwritePrompt = true;
    const auto path = dialogs::provider().saveFile(&view_.window, request);
    if (!path)
        return;
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly))
        throw UserError(QStringLiteral("无法创建文件“%1”：%2").arg(*path, file.errorString()));
    file.write(ansi::encode(BuildTextExport(current(), config::downloadPage())));
    if (!file.commit())
        throw UserError(QStringLiteral("写入文件“%1”出错：%2").arg(*path, file.errorString()));
}
