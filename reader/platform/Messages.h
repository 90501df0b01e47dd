#pragma once

#include <QString>

class QWidget;

// Plain message boxes: one OK button, the application's title.
void ShowMessage(const QString& text, QWidget* parent = nullptr);
