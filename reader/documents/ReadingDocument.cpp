#include "ReadingDocument.h"

#include "LineCipher.h"
#include "platform/AnsiCodec.h"
#include "platform/ErrorGuard.h"

#include <QFile>
#include <QSaveFile>

#include <array>

namespace {

QByteArray encodeField(const QString& text) {
    return EncryptLine(ansi::encode(ansi::toCrLf(text)), kDocumentKey);
}

QString decodeField(const QByteArray& line) {
    return ansi::fromCrLf(ansi::decode(DecryptLine(line, kDocumentKey)));
}

std::array<QByteArray, 5> splitLines(const QByteArray& content) {
    std::array<QByteArray, 5> lines;
    std::size_t index = 0;
    QByteArray current;
    for (char c : content) {
        if (c == '\n') {
            lines[index++] = current;
            current.clear();
            if (index == lines.size())
                return lines;
        } else if (c != '\r') {
            current.append(c);
        }
    }
    if (!current.isEmpty())
        lines[index] = current;
    return lines;
}

} // namespace

QByteArray EncodeDocument(const ReadingDocument& d) {
    QByteArray out;
    for (const QString* field : {&d.left, &d.right, &d.notes, &d.audioUrl, &d.audioFile})
        out += encodeField(*field) + "\r\n";
    return out;
}

ReadingDocument DecodeDocument(const QByteArray& content) {
    const auto lines = splitLines(content);
    return {decodeField(lines[0]), decodeField(lines[1]), decodeField(lines[2]), decodeField(lines[3]),
            decodeField(lines[4])};
}

ReadingDocument ReadDocumentFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("无法打开文件“%1”：%2").arg(path, file.errorString()));
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw UserError(QStringLiteral("读取文件“%1”出错：%2").arg(path, file.errorString()));
    return DecodeDocument(content);
}

void WriteDocumentFile(const QString& path, const ReadingDocument& document) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw UserError(QStringLiteral("无法创建文件“%1”：%2").arg(path, file.errorString()));
    file.write(EncodeDocument(document));
    if (!file.commit())
        throw UserError(QStringLiteral("写入文件“%1”出错：%2").arg(path, file.errorString()));
}
