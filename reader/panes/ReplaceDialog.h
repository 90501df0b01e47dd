#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The modeless replace dialog: search and replacement text, whole word and match case. Its
// searches always run down. It keeps its texts and options for the run.
class ReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReplaceDialog(QWidget* parent);

    QString findText() const;
    QString replaceText() const;
    // FindOption bits; while replace() is handled, also the button pressed (ReplaceOne or ReplaceAll).
    unsigned options() const;

    QLineEdit* FindText = nullptr;
    QLineEdit* ReplaceText = nullptr;
    QCheckBox* WholeWord = nullptr;
    QCheckBox* MatchCase = nullptr;
    QPushButton* FindNext = nullptr;
    QPushButton* Replace = nullptr;
    QPushButton* ReplaceAll = nullptr;
    QPushButton* Cancel = nullptr;

    // Shows the dialog in front with its search text ready to be typed over.
    void showInFront();

signals:
    void find();
    void replace();

private:
    unsigned action_ = 0;
};
