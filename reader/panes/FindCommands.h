#pragma once

#include <QObject>
#include <QString>

#include <functional>

class FindDialog;
class PaneSearch;
class QPlainTextEdit;
class QWidget;
class ReplaceDialog;

// Find, find next and replace of the menu "编辑", on the left pane, through modeless dialogs
// that live as long as the window.
class FindCommands : public QObject {
    Q_OBJECT
public:
    // revealLeft brings the left pane into sight when a match lands in it while it is hidden.
    FindCommands(QWidget& window, QPlainTextEdit& left, std::function<void()> revealLeft,
                 QObject* parent = nullptr);

    void N48Click(); // open the find dialog
    void N49Click(); // find next
    void N50Click(); // open the replace dialog

    void FindDialog1Find();
    void ReplaceDialog1Find();
    void ReplaceDialog1Replace();

    FindDialog* FindDialog1 = nullptr;
    ReplaceDialog* ReplaceDialog1 = nullptr;

private:
    void find(const QString& what, unsigned options);
    void replaceAll(const QString& what, const QString& with, unsigned options);
    bool selectionMatches(const QString& what) const;
    void notFound(const QString& what);

    QWidget& window_;
    QPlainTextEdit& left_;
    PaneSearch* search_ = nullptr;
};
