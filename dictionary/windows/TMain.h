#pragma once

#include "core/SingleInstance.h"
#include "core/WordStore.h"

#include <QMainWindow>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace glossa {

class RecordNavigator;
class TAdd;
class TLook;

// The dictionary's main window: the look-up page, the browsing page and the status bar. It owns the
// shared result set that the add and view/edit windows work on too.
class TMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TMain(WordStore::Locator locate = {}, QWidget* parent = nullptr);

    void setCompanions(TAdd* add, TLook* look);
    WordStore& store() { return *ADOQuery1; }
    // Another copy was running: this one told the user and must end without showing a window.
    bool startRefused() const { return m_startRefused; }

    void Button1Click();
    void N2Click();
    void N1Click();
    void DBGrid1CellClick(const QModelIndex& index);

    QTabWidget* PageControl1;
    QGroupBox* GroupBox1;
    QLineEdit* Edit1;
    QCheckBox* CheckBox1;
    QPushButton* Button1;
    QLabel* DBText1;
    QPlainTextEdit* DBMemo1;
    QTableView* DBGrid1;
    RecordNavigator* DBNavigator1;
    QLabel* StatusPanels[3];
    QMenu* PopupMenu1;
    QAction* N2; // 添加单词
    QAction* N1; // 退出程序

private:
    void FormCreate();
    void buildLookUpPage();
    void buildBrowsingPage();
    void buildStatusBar();
    void buildPopupMenu();
    void followCurrentRow(int row);

    WordStore* ADOQuery1;
    SingleInstance m_instance;
    TAdd* m_add = nullptr;
    TLook* m_look = nullptr;
    bool m_startRefused = false;
    bool m_syncingGrid = false;
};

} // namespace glossa
