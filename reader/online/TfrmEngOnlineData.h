#pragma once

#include <QDialog>

#include <functional>

class QAction;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

// "在线学习资源": the categories and articles the maker's server lists. It loads the list on its
// own once the machine is online; a chosen article is downloaded as the current-article file
// and handed to the main window.
class TfrmEngOnlineData : public QDialog {
    Q_OBJECT
public:
    using ArticleOpener = std::function<void(const QString& title, const QString& address)>;

    explicit TfrmEngOnlineData(QWidget* parent = nullptr);

    void setArticleOpener(ArticleOpener opener) { openArticle_ = std::move(opener); }
    std::function<bool()> isOnline; // IsOnline unless a test replaces it

    QListWidget* Listfenlei = nullptr;
    QListWidget* Listwenzhang = nullptr;
    QListWidget* Listwenzhangurl = nullptr; // hidden, parallel to Listwenzhang
    QPushButton* suiButton1 = nullptr;      // 刷新
    QMenu* PopupMenu1 = nullptr;            // on the categories
    QAction* N1 = nullptr;                  // 下载
    QMenu* PopupMenu2 = nullptr;            // on the articles
    QAction* N2 = nullptr;                  // 打开
    QTimer* Timer1 = nullptr;

    void Timer1Timer();
    void LoadArticleList();
    void ListfenleiClick();
    void ListwenzhangDblClick();
    void N1Click();
    void suiButton1Click() { LoadArticleList(); }

    static QString listPath();

private:
    void FormCreate();
    void fillArticles(const QString& category);

    ArticleOpener openArticle_;
};
