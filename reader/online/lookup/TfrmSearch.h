#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

// "在线查词": one word looked up in five online dictionaries, each answer in a tab of its own.
// Closing only hides the window; word, check boxes and pages stay for the whole run.
class TfrmSearch : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSearch(QWidget* parent = nullptr);
    ~TfrmSearch() override;

    // Shows the word and points every checked service's view at its answer page, every other
    // view at a blank page. Nothing is waited for and the shown tab stays.
    void SearchWord(const QString& word);

    // The main window's two entries: show the window; look the trimmed text up if there is
    // any, then show the window.
    void ShowWindow();
    void LookUpText(const QString& text);

    QLineEdit* edt_word = nullptr;
    QPushButton* BtnSearch = nullptr; // 查词
    QGroupBox* groupDictionaries = nullptr;
    QCheckBox* chk_haici = nullptr;
    QCheckBox* chk_iciba = nullptr;
    QCheckBox* chk_baidu = nullptr;
    QCheckBox* chk_youdao = nullptr;
    QCheckBox* chk_bing = nullptr;
    QTabWidget* PageControl1 = nullptr;

    // The web views (QWebEngineView from the web view module) exist only once the window was
    // first shown or used; null before.
    QWidget* Web_haici = nullptr;
    QWidget* Web_iciba = nullptr;
    QWidget* Web_baidu = nullptr;
    QWidget* Web_youdao = nullptr;
    QWidget* Web_bing = nullptr;

    std::array<QCheckBox*, 5> checkBoxes() const;
    std::array<QWidget*, 5> webViews() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void suitempBitBtn1Click();
    void createWebViews();

    std::array<QWidget*, 5> tabs_{};
};
