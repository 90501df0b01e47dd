#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// A keyed text file in INI layout, in the ANSI code page: "[section]" headers and key=value
// lines. Sections and keys keep their file order and are compared without regard to case;
// the first '=' splits a line. A missing key, or a number that does not parse, reads as the
// caller's default. QSettings sorts keys and escapes values, so it cannot keep these rules.
class KeyedFile {
public:
    KeyedFile() = default;
    // Reads the file if it exists; a file that exists but cannot be read raises UserError.
    explicit KeyedFile(const QString& path);

    static KeyedFile fromBytes(const QByteArray& content);
    QByteArray toBytes() const;

    QString path() const { return path_; }

    QStringList sections() const;
    bool hasSection(const QString& section) const;
    // The keys of a section in file order; each key once, as first written.
    QStringList keys(const QString& section) const;
    qsizetype keyCount(const QString& section) const;

    QString readString(const QString& section, const QString& key, const QString& fallback = {}) const;
    int readInteger(const QString& section, const QString& key, int fallback) const;

    // A key already present keeps its place and takes the new value; a new key goes to the end
    // of its section, a new section to the end of the file.
    void writeString(const QString& section, const QString& key, const QString& value);

    // Writes through a temporary file; raises UserError "Unable to write to <path>".
    void save() const;
    void saveAs(const QString& path) const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
        QHash<QString, qsizetype> index; // case-folded key -> position in entries
    };

    const Section* find(const QString& section) const;
    Section& obtain(const QString& section);
    void parse(const QString& text);

    QString path_;
    std::vector<Section> sections_;
    QHash<QString, qsizetype> sectionIndex_; // case-folded name -> position in sections_
};
