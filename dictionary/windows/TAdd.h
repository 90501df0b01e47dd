#pragma once

#include "Companion.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace glossa {

class WordStore;

// The add window: a new entry typed here is appended to the shared result set.
class TAdd : public Companion {
    Q_OBJECT
public:
    TAdd(WordStore& store, QWidget* mainWindow);

    void Button1Click();

    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPlainTextEdit* memo1;
    QPushButton* Button1;

private:
    WordStore& m_store;
};

} // namespace glossa
