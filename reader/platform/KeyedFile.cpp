#include "KeyedFile.h"

#include "AnsiCodec.h"
#include "ErrorGuard.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString folded(const QString& s) {
    return s.toCaseFolded();
}

} // namespace

KeyedFile::KeyedFile(const QString& path) : path_(path) {
    if (!QFileInfo(path).isFile())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("Unable to read %1").arg(path));
    parse(ansi::decode(file.readAll()));
}

KeyedFile KeyedFile::fromBytes(const QByteArray& content) {
    KeyedFile file;
    file.parse(ansi::decode(content));
    return file;
}

void KeyedFile::parse(const QString& text) {
    Section* current = nullptr;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        const QString line = QStringView(text).mid(start, end - start).trimmed().toString();
        start = end + 1;
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            qsizetype close = line.indexOf(QLatin1Char(']'));
            if (close < 0)
                close = line.size();
            current = &obtain(line.mid(1, close - 1).trimmed());
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!current || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        if (key.isEmpty())
            continue;
        const QString k = folded(key);
        if (current->index.contains(k))
            continue; // the first line of a key is the one that is read
        current->index.insert(k, qsizetype(current->entries.size()));
        current->entries.push_back({key, line.mid(eq + 1).trimmed()});
    }
}

QByteArray KeyedFile::toBytes() const {
    QString text;
    for (const Section& section : sections_) {
        text += QLatin1Char('[') + section.name + QLatin1String("]\r\n");
        for (const Entry& entry : section.entries)
            text += entry.key + QLatin1Char('=') + entry.value + QLatin1String("\r\n");
    }
    return ansi::encode(text);
}

const KeyedFile::Section* KeyedFile::find(const QString& section) const {
    const auto it = sectionIndex_.constFind(folded(section));
    return it == sectionIndex_.cend() ? nullptr : &sections_[size_t(*it)];
}

KeyedFile::Section& KeyedFile::obtain(const QString& section) {
    const QString k = folded(section);
    const auto it = sectionIndex_.constFind(k);
    if (it != sectionIndex_.cend())
        return sections_[size_t(*it)];
    sectionIndex_.insert(k, qsizetype(sections_.size()));
    sections_.push_back({section, {}, {}});
    return sections_.back();
}

QStringList KeyedFile::sections() const {
    QStringList names;
    names.reserve(qsizetype(sections_.size()));
    for (const Section& section : sections_)
        names << section.name;
    return names;
}

bool KeyedFile::hasSection(const QString& section) const {
    return find(section) != nullptr;
}

QStringList KeyedFile::keys(const QString& section) const {
    QStringList names;
    if (const Section* s = find(section)) {
        names.reserve(qsizetype(s->entries.size()));
        for (const Entry& entry : s->entries)
            names << entry.key;
    }
    return names;
}

qsizetype KeyedFile::keyCount(const QString& section) const {
    const Section* s = find(section);
    return s ? qsizetype(s->entries.size()) : 0;
}

QString KeyedFile::readString(const QString& section, const QString& key, const QString& fallback) const {
    const Section* s = find(section);
    if (!s)
        return fallback;
    const auto it = s->index.constFind(folded(key));
    return it == s->index.cend() ? fallback : s->entries[size_t(*it)].value;
}

int KeyedFile::readInteger(const QString& section, const QString& key, int fallback) const {
    QString text = readString(section, key);
    bool ok = false;
    int value = 0;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) || text.startsWith(QLatin1Char('$'))) {
        text.remove(0, text.startsWith(QLatin1Char('$')) ? 1 : 2);
        value = text.toInt(&ok, 16);
    } else {
        value = text.toInt(&ok, 10);
    }
    return ok ? value : fallback;
}

void KeyedFile::writeString(const QString& section, const QString& key, const QString& value) {
    Section& s = obtain(section);
    const QString k = folded(key);
    const auto it = s.index.constFind(k);
    if (it != s.index.cend()) {
        s.entries[size_t(*it)].value = value;
        return;
    }
    s.index.insert(k, qsizetype(s.entries.size()));
    s.entries.push_back({key, value});
}

void KeyedFile::save() const {
    saveAs(path_);
}

void KeyedFile::saveAs(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toBytes()) < 0 || !file.commit())
        throw UserError(QStringLiteral("Unable to write to %1").arg(path));
}
