#pragma once

#include "WordList.h"

#include <QString>
#include <QVector>

namespace glossa {

struct ImportResult {
    int added = 0;
    int alreadyPresent = 0;       // same word, phonetic and explanation already stored: not added again
    QVector<RefusedLine> refused; // entries the database refused, with its message
};

// Adds entries to the word database at path in one transaction. Unless allowDuplicates, an entry whose
// word (same letters and case), phonetic and explanation are already stored is skipped, so importing the
// same file twice adds nothing the second time. Throws DatabaseError when the database cannot be used.
ImportResult ImportWords(const QString& path, const QVector<WordEntry>& entries, bool allowDuplicates);

} // namespace glossa
