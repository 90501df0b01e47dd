#pragma once

#include "Companion.h"

class QLineEdit;
class QPushButton;

namespace glossa {

class WordStore;

// The view/edit window: shows whatever record of the shared result set is current and changes or
// deletes it.
class TLook : public Companion {
    Q_OBJECT
public:
    TLook(WordStore& store, QWidget* mainWindow);

    void Button1Click(); // 修改
    void Button2Click(); // 删除

    QLineEdit* DBEdit1;
    QLineEdit* DBEdit2;
    QLineEdit* DBEdit3;
    QPushButton* Button1;
    QPushButton* Button2;

private:
    WordStore& m_store;
};

} // namespace glossa
