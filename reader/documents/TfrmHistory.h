#pragma once

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;

// "阅读历史记录管理": deletes entries from, or clears, a copy of the history read from the file;
// "确定" writes the copy back and has the main window reload it.
class TfrmHistory : public QDialog {
    Q_OBJECT
public:
    TfrmHistory(QWidget* parent, std::function<void()> reloadMain);

    QListWidget* List1 = nullptr;      // names
    QListWidget* List2 = nullptr;      // hidden: addresses
    QPushButton* suiButton1 = nullptr; // 删除
    QPushButton* suiButton2 = nullptr; // 清空记录
    QPushButton* suiButton3 = nullptr; // 确定
    QPushButton* suiButton4 = nullptr; // 关闭

    void LoadHistoryList();
    void SaveHistoryList();
    void suiButton1Click();
    void suiButton2Click();
    void suiButton3Click();
    void suiButton4Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::function<void()> reloadMain_;
};
