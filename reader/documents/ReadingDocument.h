#pragma once

#include <QByteArray>
#include <QString>

// The five fields of a reading document, in file order. Multi-line fields hold "\n".
struct ReadingDocument {
    QString left;      // MemMain
    QString right;     // Memo2
    QString notes;     // Memo3
    QString audioUrl;  // Edit1
    QString audioFile; // Edit2

    bool operator==(const ReadingDocument&) const = default;
};

inline const QByteArray kDocumentKey = QByteArrayLiteral("qomax");

// Five enciphered lines, each ended by CR LF.
QByteArray EncodeDocument(const ReadingDocument& document);
// Lines end at LF (a CR before it is dropped, as is a lone CR); missing lines read as empty.
ReadingDocument DecodeDocument(const QByteArray& fileContent);

// Both raise UserError with the reason when the file cannot be read or written. A write goes
// to a temporary file first, so a failed write leaves the old file as it was.
ReadingDocument ReadDocumentFile(const QString& path);
void WriteDocumentFile(const QString& path, const ReadingDocument& document);
