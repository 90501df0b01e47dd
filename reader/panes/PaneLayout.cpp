#include "PaneLayout.h"

#include "platform/Dialogs.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>

PaneLayout::PaneLayout(QWidget& window, QPlainTextEdit& left, QPlainTextEdit& right, QWidget& bottomStrip,
                       QObject* parent)
    : QObject(parent), window_(window), left_(left), right_(right), bottomStrip_(bottomStrip) {}

// The page's layout gives both panes the same stretch, so side by side they stay equal halves
// after every resize.
void PaneLayout::showLeft() {
    right_.hide();
    left_.show();
}

void PaneLayout::showRight() {
    left_.hide();
    right_.show();
}

void PaneLayout::showSideBySide() {
    left_.show();
    right_.show();
}

void PaneLayout::chooseFont(QPlainTextEdit& pane) {
    QColor color = pane.palette().color(QPalette::Text);
    const auto font = dialogs::provider().font(&window_, pane.font(), color, &color);
    if (!font)
        return;
    pane.setFont(*font);
    QPalette palette = pane.palette();
    palette.setColor(QPalette::Text, color);
    pane.setPalette(palette);
}

void PaneLayout::chooseBackground(QPlainTextEdit& pane) {
    const auto color = dialogs::provider().color(&window_, pane.palette().color(QPalette::Base));
    if (!color)
        return;
    QPalette palette = pane.palette();
    palette.setColor(QPalette::Base, *color);
    pane.setPalette(palette);
}

void PaneLayout::setBottomStripVisible(bool visible) {
    bottomStrip_.setVisible(visible);
}

void PaneLayout::installScrollCoupling() {
    QScrollBar* source = left_.verticalScrollBar();
    connect(source, &QScrollBar::actionTriggered, this, [this, source](int action) {
        QScrollBar* target = right_.verticalScrollBar();
        if (action == QAbstractSlider::SliderMove)
            target->setValue(source->sliderPosition()); // a thumb drag: the same top line
        else
            target->triggerAction(static_cast<QAbstractSlider::SliderAction>(action));
    });
    left_.viewport()->installEventFilter(this);
}

bool PaneLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == left_.viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        QWheelEvent copy(wheel->position(), wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(),
                         wheel->buttons(), wheel->modifiers(), wheel->phase(), wheel->inverted());
        QApplication::sendEvent(right_.verticalScrollBar(), &copy);
    }
    return QObject::eventFilter(watched, event);
}
