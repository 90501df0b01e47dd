#include "SpeakCommand.h"

#include "SpeechExport.h"
#include "documents/ReadingDocument.h"
#include "platform/AnsiCodec.h"
#include "platform/ErrorGuard.h"
#include "platform/speech/EspeakVoice.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>

namespace {

const QString kUsage = QStringLiteral(
    "usage: vbd speak [FILE.vbd | -] -o OUT.wav [--voice NAME] [--rate -10..10] [--volume 0..100]\n"
    "       vbd speak --list-voices\n"
    "Speaks the left text of FILE.vbd (or text on standard input) into a wave file:\n"
    "PCM, 32000 samples per second, 8 bits, mono.\n"
    "--voice takes a number or a name from --list-voices, or a language code such as en-gb.");

struct Options {
    QString input; // empty or "-": standard input
    QString output;
    QString voice;
    int rate = 0;
    int volume = 100;
    bool listVoices = false;
    bool help = false;
};

int parseNumber(const QString& option, const QString& value, int low, int high) {
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || number < low || number > high)
        throw UserError(QStringLiteral("%1 takes a whole number from %2 to %3, not \"%4\"")
                            .arg(option)
                            .arg(low)
                            .arg(high)
                            .arg(value));
    return number;
}

Options parse(const QStringList& args) {
    Options options;
    bool inputSeen = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                throw UserError(arg + QStringLiteral(" needs a value"));
            return args.at(++i);
        };
        if (arg == QLatin1String("-o") || arg == QLatin1String("--output"))
            options.output = value();
        else if (arg == QLatin1String("--voice"))
            options.voice = value();
        else if (arg == QLatin1String("--rate"))
            options.rate = parseNumber(arg, value(), SpeechEngine::kMinRate, SpeechEngine::kMaxRate);
        else if (arg == QLatin1String("--volume"))
            options.volume = parseNumber(arg, value(), SpeechEngine::kMinVolume, SpeechEngine::kMaxVolume);
        else if (arg == QLatin1String("--list-voices"))
            options.listVoices = true;
        else if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            options.help = true;
        else if (arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-"))
            throw UserError(QStringLiteral("unknown option ") + arg);
        else if (inputSeen)
            throw UserError(QStringLiteral("one input at a time"));
        else {
            options.input = arg;
            inputSeen = true;
        }
    }
    if (!options.help && !options.listVoices && options.output.isEmpty())
        throw UserError(QStringLiteral("no output file: give -o OUT.wav"));
    return options;
}

// Text on standard input: UTF-8, or the reader's code page when it is not valid UTF-8.
QString readStandardInput() {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        throw UserError(QStringLiteral("cannot read standard input"));
    const QByteArray bytes = in.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? ansi::decode(bytes) : text;
}

int findVoice(const QList<VoiceEntry>& voices, const QString& wanted) {
    bool isNumber = false;
    const int index = wanted.toInt(&isNumber);
    if (isNumber && index >= 0 && index < voices.size())
        return index;
    for (qsizetype i = 0; i < voices.size(); ++i)
        if (displayName(voices.at(i)).compare(wanted, Qt::CaseInsensitive) == 0 ||
            voices.at(i).name.compare(wanted, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    for (qsizetype i = 0; i < voices.size(); ++i)
        if (voices.at(i).language.compare(wanted, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    throw UserError(QStringLiteral("no voice \"%1\" (see --list-voices)").arg(wanted));
}

} // namespace

int RunSpeakCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    try {
        const Options options = parse(args);
        if (options.help) {
            out << kUsage << Qt::endl;
            return 0;
        }
        EspeakVoice voice;
        const QList<VoiceEntry> voices = voice.voiceEntries();
        if (options.listVoices) {
            for (qsizetype i = 0; i < voices.size(); ++i)
                out << i << '\t' << voices.at(i).language << '\t' << displayName(voices.at(i)) << '\n';
            out.flush();
            return 0;
        }
        const QString text = options.input.isEmpty() || options.input == QLatin1String("-")
                                 ? readStandardInput()
                                 : ReadDocumentFile(options.input).left;
        if (!voices.isEmpty())
            voice.setVoice(options.voice.isEmpty() ? 0 : findVoice(voices, options.voice));
        voice.setRate(options.rate);
        voice.setVolume(options.volume);
        const QString path = QFileInfo(options.output).absoluteFilePath();
        ExportSpeech(voice, ansi::toCrLf(ansi::fromCrLf(text)), path);
        out << "wrote " << path << Qt::endl;
        return 0;
    } catch (const std::exception& error) {
        const auto* user = dynamic_cast<const UserError*>(&error);
        err << "vbd speak: " << (user ? user->text() : QString::fromLocal8Bit(error.what())) << Qt::endl;
        if (!user || user->text().contains(QLatin1String("-o OUT.wav")))
            err << kUsage << Qt::endl;
        return 1;
    }
}
