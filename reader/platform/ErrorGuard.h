#pragma once

#include <QApplication>
#include <QString>

#include <stdexcept>
#include <utility>

// An error meant for the user: its text is shown as it stands.
class UserError : public std::runtime_error {
public:
    explicit UserError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

namespace guard {

// Shows the text of an error that ended a handler; the program keeps running.
void report(const std::exception& error);

// Runs one handler or one creation step; an error ends only that step.
template <typename F> bool run(F&& step) {
    try {
        std::forward<F>(step)();
        return true;
    } catch (const std::exception& error) {
        report(error);
        return false;
    }
}

// Wraps a handler for connect(): its errors are shown and end only that handler, so no
// exception ever unwinds through Qt's signal code.
template <typename F> auto slot(F handler) {
    return [handler = std::move(handler)]() mutable { run(handler); };
}

} // namespace guard

// The last line of defence: no exception crosses the event loop.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
