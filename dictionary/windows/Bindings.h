#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace glossa {

class WordStore;

// Keeps a control showing one column of the store's current record (empty when there is none).
void BindField(QLabel* label, WordStore& store, const QString& column);
void BindField(QPlainTextEdit* memo, WordStore& store, const QString& column);
// An edit field also hands what the user types to the store as the record's pending value.
void BindField(QLineEdit* edit, WordStore& store, const QString& column);

} // namespace glossa
