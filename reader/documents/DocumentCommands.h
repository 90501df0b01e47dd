#pragma once

#include "ReadingDocument.h"

#include "platform/Dialogs.h"

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The controls the document commands work on.
struct DocumentView {
    QWidget& window;
    QPlainTextEdit& left;  // MemMain
    QPlainTextEdit& right; // Memo2
    QPlainTextEdit& notes; // Memo3
    QLineEdit& audioUrl;   // Edit1
    QLineEdit& audioFile;  // Edit2
    QPushButton& readButton;
    std::function<void(const QString&)> setTitle;
};

// Hooks into later subsystems; an empty hook does nothing.
struct DocumentHooks {
    std::function<void()> stopReading;
    std::function<void(const QString& name, const QString& address)> addToHistory;
};

inline const QString kReadTts = QStringLiteral("朗读 => TTS语音");
inline const QString kReadHuman = QStringLiteral("朗读 => 真人语音");

QString StripExtension(const QString& fileName);
// The plain-text export of a document, lines joined with CR LF, ending in one.
QString BuildTextExport(const ReadingDocument& document, const QString& downloadPage);

class DocumentCommands : public QObject {
    Q_OBJECT
public:
    DocumentCommands(DocumentView view, DocumentHooks hooks, QObject* parent = nullptr);

    QString CurrentFileName;
    QString dialogFolder; // OpenDialog1 and SaveDialog1 start here

    ReadingDocument current() const;
    void show(const ReadingDocument& document);

    void OpenDocument(const QString& path);
    void OpenCurrentArticle(const QString& title, const QString& address);
    void UpdateReadButton();
    void StopReading();

    void N13Click(); // new
    void N14Click(); // open
    void N15Click(); // save
    void N17Click(); // save as
    void XT2Click(); // export as text

private:
    void setReadMode(bool human);
    FileDialogRequest saveRequest() const;

    DocumentView view_;
    DocumentHooks hooks_;
};
