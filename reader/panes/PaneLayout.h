#pragma once

#include <QObject>

class QAction;
class QPlainTextEdit;
class QWidget;

// The three views of the reading page, the appearance commands of the panes, and the coupling
// that carries the left pane's user scrolling over to the right pane.
class PaneLayout : public QObject {
    Q_OBJECT
public:
    PaneLayout(QWidget& window, QPlainTextEdit& left, QPlainTextEdit& right, QWidget& bottomStrip,
               QObject* parent = nullptr);

    void showLeft();                             // suiRadioButton1Click
    void showRight();                            // suiRadioButton2Click
    void showSideBySide();                       // suiRadioButton3Click
    void chooseFont(QPlainTextEdit& pane);       // N73Click .. N75Click
    void chooseBackground(QPlainTextEdit& pane); // N76Click .. N78Click
    void setBottomStripVisible(bool visible);    // N79Click

    // MemMainWindowProc: scroll-bar actions and wheel turns of the left pane, not its own scrolling.
    void installScrollCoupling();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    QPlainTextEdit& left_;
    QPlainTextEdit& right_;
    QWidget& bottomStrip_;
};
