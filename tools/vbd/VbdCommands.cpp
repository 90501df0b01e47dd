#include "VbdCommands.h"

#include "documents/ReadingDocument.h"
#include "platform/ErrorGuard.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString readTextFile(const QString& path, QTextStream& in) {
    if (path == QLatin1String("-"))
        return in.readAll();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

} // namespace

int RunDecodeCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString path;
    bool json = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--json")) {
            json = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            err << "vbd decode: unknown option " << arg << Qt::endl;
            return 2;
        } else if (path.isEmpty()) {
            path = arg;
        } else {
            err << "vbd decode: one file at a time" << Qt::endl;
            return 2;
        }
    }
    if (path.isEmpty()) {
        err << "usage: vbd decode FILE.vbd [--json]" << Qt::endl;
        return 2;
    }
    try {
        const ReadingDocument d = ReadDocumentFile(path);
        if (json) {
            const QJsonObject object{{QStringLiteral("left"), d.left},
                                     {QStringLiteral("right"), d.right},
                                     {QStringLiteral("notes"), d.notes},
                                     {QStringLiteral("audio_url"), d.audioUrl},
                                     {QStringLiteral("audio_file"), d.audioFile}};
            out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
        } else {
            const std::pair<const char*, const QString*> fields[] = {{"left", &d.left},
                                                                     {"right", &d.right},
                                                                     {"notes", &d.notes},
                                                                     {"audio_url", &d.audioUrl},
                                                                     {"audio_file", &d.audioFile}};
            for (const auto& [name, text] : fields)
                out << "== " << name << " ==\n" << *text << "\n";
        }
        out.flush();
        return 0;
    } catch (const UserError& e) {
        err << "vbd decode: " << e.text() << Qt::endl;
        return 1;
    }
}

int RunEncodeCommand(const QStringList& args, QTextStream& in, QTextStream& out, QTextStream& err) {
    ReadingDocument d;
    QString output;
    bool anyText = false;
    try {
        for (qsizetype i = 0; i < args.size(); ++i) {
            const QString& arg = args[i];
            if (i + 1 >= args.size()) {
                err << "vbd encode: " << arg << " needs a value" << Qt::endl;
                return 2;
            }
            const QString value = args[++i];
            if (arg == QLatin1String("--left")) {
                d.left = readTextFile(value, in);
                anyText = true;
            } else if (arg == QLatin1String("--right")) {
                d.right = readTextFile(value, in);
                anyText = true;
            } else if (arg == QLatin1String("--notes")) {
                d.notes = readTextFile(value, in);
                anyText = true;
            } else if (arg == QLatin1String("--audio-url")) {
                d.audioUrl = value;
            } else if (arg == QLatin1String("--audio-file")) {
                d.audioFile = value;
            } else if (arg == QLatin1String("-o") || arg == QLatin1String("--output")) {
                output = value;
            } else {
                err << "vbd encode: unknown option " << arg << Qt::endl;
                return 2;
            }
        }
        if (output.isEmpty()) {
            err << "vbd encode: -o OUT.vbd is required" << Qt::endl;
            return 2;
        }
        if (!anyText)
            d.left = in.readAll();
        // Files from editors end with a line break that is not part of the text.
        for (QString* text : {&d.left, &d.right, &d.notes}) {
            *text = text->replace(QLatin1String("\r\n"), QLatin1String("\n"));
            if (text->endsWith(QLatin1Char('\n')))
                text->chop(1);
        }
        WriteDocumentFile(output, d);
        out << "wrote " << output << Qt::endl;
        return 0;
    } catch (const UserError& e) {
        err << "vbd encode: " << e.text() << Qt::endl;
        return 1;
    }
}
