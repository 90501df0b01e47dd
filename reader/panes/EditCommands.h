#pragma once

#include <QObject>

class QPlainTextEdit;
class QWidget;

// Lines as the pane shows them, wrapped paragraphs counting as several, numbered from 0.
int DisplayLineCount(const QPlainTextEdit& pane); // an empty last line is not counted
int DisplayLineOf(const QPlainTextEdit& pane, int position);
int DisplayLineStart(const QPlainTextEdit& pane, int line); // the end of the text past the last line

// The menu "编辑": every command acts on the left pane, whichever pane has the focus.
class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(QWidget& window, QPlainTextEdit& left, QObject* parent = nullptr);

    void N25Click(); // undo; a second undo takes the first back
    void N43Click(); // cut
    void N44Click(); // copy
    void N45Click(); // paste
    void N46Click(); // delete
    void N52Click(); // select all
    void N9Click();  // go to line

private:
    QWidget& window_;
    QPlainTextEdit& left_;
    bool undoneLast_ = false;
};
