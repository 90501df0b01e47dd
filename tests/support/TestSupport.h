#pragma once

#include "platform/Dialogs.h"

#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <variant>

// A private program folder and XDG folders for one test executable; removed afterwards.
class TestEnvironment {
public:
    TestEnvironment();
    QString programFolder() const; // with a trailing separator
    QString path(const QString& name) const { return programFolder() + name; }
    QString root() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// Scripted answers for the dialog seam, consumed in order. A question without a scripted
// answer is cancelled; every message shown is recorded.
class ScriptedDialogs final : public DialogProvider {
public:
    static std::shared_ptr<ScriptedDialogs> install();
    ~ScriptedDialogs() override;

    void answerFile(const QString& path) { files.push_back(path); }
    void answerText(const QString& text) { texts.push_back(text); }
    void answerFont(const QFont& font) { fonts.push_back(font); }
    void answerColor(const QColor& color) { colors.push_back(color); }
    void cancelNext() { files.push_back(std::nullopt); }

    QStringList messages;
    QList<FileDialogRequest> fileRequests;
    QStringList inputTitles;
    std::function<void()> onMessage; // runs inside message(), e.g. to check state

    void message(QWidget*, const QString& title, const QString& text) override;
    std::optional<QString> openFile(QWidget*, const FileDialogRequest& request) override;
    std::optional<QString> saveFile(QWidget*, const FileDialogRequest& request) override;
    std::optional<QString> inputText(QWidget*, const QString& title, const QString& label,
                                     const QString& value) override;
    std::optional<QFont> font(QWidget*, const QFont& initial, const QColor& initialColor,
                              QColor* chosenColor) override;
    std::optional<QColor> color(QWidget*, const QColor& initial) override;

private:
    std::deque<std::optional<QString>> files;
    std::deque<QString> texts;
    std::deque<QFont> fonts;
    std::deque<QColor> colors;
};
