#pragma once

#include "core/DatabaseError.h"

#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace glossa {

inline constexpr char16_t kApplicationTitle[] = u"蓝岸英汉小词典";

// Every message box of the program goes through this seam; tests replace it so nothing modal blocks.
using MessageHandler = std::function<void(QWidget* parent, const QString& title, const QString& text)>;
// Installs handler (an empty one restores the plain message box) and returns the previous one.
MessageHandler SetMessageHandler(MessageHandler handler);

// A plain message box with one OK button, titled with the application title unless told otherwise.
void ShowMessage(const QString& text, QWidget* parent,
                 const QString& title = QString::fromUtf16(kApplicationTitle));

// Runs step; an error it raises is shown with its own text and ends the step. False after an error.
template <class Step> bool Guarded(QWidget* parent, Step&& step) {
    try {
        step();
        return true;
    } catch (const DatabaseError& error) {
        ShowMessage(error.text(), parent);
    } catch (const std::exception& error) {
        ShowMessage(QString::fromLocal8Bit(error.what()), parent);
    }
    return false;
}

} // namespace glossa
