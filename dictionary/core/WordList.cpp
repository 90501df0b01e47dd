#include "WordList.h"

#include <QStringDecoder>

#include <optional>

namespace glossa {

namespace {

enum class Column { Word, Phonetic, Explanation, Other };

Column columnFor(const QString& header) {
    static const QStringList words = {QStringLiteral("单词"),  QStringLiteral("word"),
                                      QStringLiteral("words"), QStringLiteral("headword"),
                                      QStringLiteral("英文"),  QStringLiteral("英文单词"),
                                      QStringLiteral("词条")};
    static const QStringList phonetics = {QStringLiteral("音标"),          QStringLiteral("phonetic"),
                                          QStringLiteral("phonetics"),     QStringLiteral("ipa"),
                                          QStringLiteral("pronunciation"), QStringLiteral("发音")};
    static const QStringList explanations = {QStringLiteral("解释"),        QStringLiteral("explanation"),
                                             QStringLiteral("meaning"),     QStringLiteral("meanings"),
                                             QStringLiteral("definition"),  QStringLiteral("释义"),
                                             QStringLiteral("中文"),        QStringLiteral("中文解释"),
                                             QStringLiteral("translation"), QStringLiteral("翻译")};
    const QString name = header.trimmed().toLower();
    if (words.contains(name))
        return Column::Word;
    if (phonetics.contains(name))
        return Column::Phonetic;
    if (explanations.contains(name))
        return Column::Explanation;
    return Column::Other;
}

struct Record {
    QStringList fields;
    int line = 0;
    bool unterminatedQuote = false;
};

// Splits text (line breaks already LF) into records of fields; a quoted field may span lines.
class RecordReader {
public:
    RecordReader(const QString& text, QChar delimiter) : m_text(text), m_delimiter(delimiter) {}

    std::optional<Record> next() {
        if (m_pos >= m_text.size())
            return std::nullopt;
        Record record;
        record.line = m_line;
        QString field;
        bool atFieldStart = true;
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos++);
            if (c == QLatin1Char('\n')) {
                ++m_line;
                break;
            }
            if (c == m_delimiter) {
                record.fields.append(field);
                field.clear();
                atFieldStart = true;
                continue;
            }
            if (c == QLatin1Char('"') && atFieldStart) {
                if (!readQuoted(field))
                    record.unterminatedQuote = true;
                atFieldStart = false;
                continue;
            }
            field += c;
            atFieldStart = false;
        }
        record.fields.append(field);
        return record;
    }

private:
    // After the opening quote: up to the closing one; "" is a quote. False when the text ends first.
    bool readQuoted(QString& field) {
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos++);
            if (c == QLatin1Char('"')) {
                if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('"')) {
                    field += c;
                    ++m_pos;
                    continue;
                }
                return true;
            }
            if (c == QLatin1Char('\n'))
                ++m_line;
            field += c;
        }
        return false;
    }

    const QString& m_text;
    QChar m_delimiter;
    qsizetype m_pos = 0;
    int m_line = 1;
};

QString unescape(const QString& value) {
    if (!value.contains(QLatin1Char('\\')))
        return value;
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar n = value.at(i + 1);
            if (n == QLatin1Char('n') || n == QLatin1Char('t') || n == QLatin1Char('\\')) {
                out += n == QLatin1Char('n')   ? QLatin1Char('\n')
                       : n == QLatin1Char('t') ? QLatin1Char('\t')
                                               : n;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QChar detectDelimiter(const QString& text) {
    const QString header = text.left(text.indexOf(QLatin1Char('\n')));
    if (header.contains(QLatin1Char('\t')))
        return QLatin1Char('\t');
    if (header.contains(QLatin1Char(';')) && !header.contains(QLatin1Char(',')))
        return QLatin1Char(';');
    return QLatin1Char(',');
}

} // namespace

QString DecodeWordList(const QByteArray& bytes, QString* encoding) {
    QString name;
    QString text;
    if (const auto bom = QStringConverter::encodingForData(bytes); bom && *bom != QStringConverter::Utf8) {
        QStringDecoder decoder(*bom);
        text = decoder(bytes);
        name = QStringLiteral("UTF-16");
    } else {
        QStringDecoder utf8(QStringConverter::Utf8);
        text = utf8(bytes);
        name = QStringLiteral("UTF-8");
        if (utf8.hasError()) {
            QStringDecoder gb18030("GB18030");
            text = gb18030(bytes);
            name = QStringLiteral("GB18030");
        }
    }
    if (encoding)
        *encoding = name;
    return text;
}

WordList ParseWordList(const QByteArray& bytes) {
    WordList list;
    QString text = DecodeWordList(bytes, &list.encoding);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    list.delimiter = detectDelimiter(text);
    const bool tabSeparated = list.delimiter == QLatin1Char('\t');

    RecordReader reader(text, list.delimiter);
    const std::optional<Record> header = reader.next();
    int word = -1, phonetic = -1, explanation = -1;
    if (header) {
        for (int i = 0; i < header->fields.size(); ++i) {
            switch (columnFor(header->fields.at(i))) {
            case Column::Word:
                word = word < 0 ? i : word;
                break;
            case Column::Phonetic:
                phonetic = phonetic < 0 ? i : phonetic;
                break;
            case Column::Explanation:
                explanation = explanation < 0 ? i : explanation;
                break;
            case Column::Other:
                list.ignoredColumns.append(header->fields.at(i).trimmed());
                break;
            }
        }
    }
    if (word < 0)
        throw WordListError(QStringLiteral("第 1 行应是表头，并有一列名为“单词”或“word”。"));
    const int columns = static_cast<int>(header->fields.size());

    while (std::optional<Record> record = reader.next()) {
        const auto refuse = [&](const QString& reason) { list.refused.append({record->line, reason}); };
        if (record->fields.join(QString()).trimmed().isEmpty())
            continue; // blank line
        if (record->unterminatedQuote) {
            refuse(QStringLiteral("引号没有闭合"));
            continue;
        }
        if (record->fields.size() != columns) {
            refuse(QStringLiteral("有 %1 个字段，表头有 %2 个").arg(record->fields.size()).arg(columns));
            continue;
        }
        const auto field = [&](int index) {
            if (index < 0)
                return QStringLiteral("");
            const QString value = record->fields.at(index).trimmed();
            return tabSeparated ? unescape(value) : value;
        };
        WordEntry entry{field(word), field(phonetic), field(explanation), record->line};
        if (entry.word.isEmpty())
            refuse(QStringLiteral("单词为空"));
        else if (entry.word.contains(QLatin1Char('\n')) || entry.word.contains(QLatin1Char('\t')))
            refuse(QStringLiteral("单词中有换行或制表符"));
        else if (entry.word.size() > 200)
            refuse(QStringLiteral("单词过长"));
        else
            list.entries.append(std::move(entry));
    }
    return list;
}

} // namespace glossa
