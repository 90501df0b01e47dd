#pragma once

#include <QByteArray>
#include <QString>

// Text files of the reader are in the Chinese ANSI code page. GB18030 is byte-identical
// to GBK for every GBK character and can still carry any other character.
namespace ansi {

QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);

// Editors hold "\n"; files and the speech engine want CR LF.
QString toCrLf(const QString& text);
QString fromCrLf(const QString& text);

} // namespace ansi
