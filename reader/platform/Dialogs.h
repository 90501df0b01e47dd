#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QWidget;

// Every modal question of the programs goes through this seam, so tests can answer it.
struct FileDialogRequest {
    QString title;
    QString filter; // "description|pattern|description|pattern"
    QString initialDir;
    QString fileName;
    QString defaultSuffix;
    bool overwritePrompt = false;
    int filterIndex = 0;   // the filter selected at first, counting from 0
    bool mustExist = true; // open dialogs: only an existing file is accepted
};

class DialogProvider {
public:
    virtual ~DialogProvider() = default;
    virtual void message(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual std::optional<QString> openFile(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& label,
                                             const QString& value) = 0;
    virtual std::optional<QFont> font(QWidget* parent, const QFont& initial, const QColor& initialColor,
                                      QColor* chosenColor) = 0;
    virtual std::optional<QColor> color(QWidget* parent, const QColor& initial) = 0;
};

namespace dialogs {

// The provider in use; the real Qt dialogs unless a test installed its own.
DialogProvider& provider();
// Installs a provider (tests); an empty pointer restores the real dialogs.
void install(std::shared_ptr<DialogProvider> replacement);

// "VBD文件|*.vbd|所有文件|*.*" -> "VBD文件 (*.vbd);;所有文件 (*.*)"
QString toQtFilter(const QString& barFilter);

} // namespace dialogs
