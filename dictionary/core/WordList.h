#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <stdexcept>

namespace glossa {

// A word list file that cannot be read at all (no header naming the word column, for example).
class WordListError : public std::runtime_error {
public:
    explicit WordListError(QString text) : std::runtime_error(text.toStdString()), m_text(std::move(text)) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

struct WordEntry {
    QString word;
    QString phonetic;
    QString explanation;
    int line = 0; // where the entry starts in the file, from 1 (the header)
};

struct RefusedLine {
    int line = 0;
    QString reason;
};

struct WordList {
    QString encoding;           // "UTF-8", "UTF-16", "GB18030"
    QChar delimiter;            // tab, comma or semicolon
    QStringList ignoredColumns; // header names that are neither word, phonetic nor explanation
    QVector<WordEntry> entries;
    QVector<RefusedLine> refused;
};

// Reads a tab-separated or comma-separated word list whose first line names the columns (单词/word,
// 音标/phonetic, 解释/explanation and a few synonyms, in any order). UTF-8 (with or without a byte order
// mark) and UTF-16 with a byte order mark are recognised; anything else is read as GB18030. Fields may be
// quoted with double quotes; in a tab-separated list \n, \t and \\ stand for a line break, a tab and a
// backslash. Lines that cannot become an entry are listed in refused with the reason. Throws WordListError.
WordList ParseWordList(const QByteArray& bytes);

// The text of bytes in the encoding ParseWordList would detect; encoding receives its name.
QString DecodeWordList(const QByteArray& bytes, QString* encoding = nullptr);

} // namespace glossa
