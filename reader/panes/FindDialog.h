#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The modeless find dialog: search text, match case and direction. It keeps them for the run.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent);

    QString findText() const;
    unsigned options() const; // FindOption bits

    QLineEdit* FindText = nullptr;
    QCheckBox* MatchCase = nullptr;
    QRadioButton* Up = nullptr;
    QRadioButton* Down = nullptr;
    QPushButton* FindNext = nullptr;
    QPushButton* Cancel = nullptr;

    // Shows the dialog in front with its search text ready to be typed over.
    void showInFront();

signals:
    void find();
};
