// vbd: reading documents from the command line.
#include "VbdCommands.h"

#include "speech/SpeakCommand.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

const char kUsage[] = R"(usage: vbd COMMAND [options]

Commands:
  decode FILE.vbd [--json]     print the five fields of a reading document
                               (--json: an object with left, right, notes, audio_url, audio_file)
  encode [--left FILE] [--right FILE] [--notes FILE]
         [--audio-url URL] [--audio-file PATH] -o OUT.vbd
                               build a reading document from UTF-8 text files
                               ("-" or no text option: the left text from standard input)
  speak FILE.vbd -o OUT.wav    speak the left text into a wave file (vbd speak --help)
  --help                       this text
)";

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream in(stdin);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        out << kUsage;
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("decode"))
        return RunDecodeCommand(args, out, err);
    if (command == QLatin1String("encode"))
        return RunEncodeCommand(args, in, out, err);
    if (command == QLatin1String("speak"))
        return RunSpeakCommand(args, out, err);
    err << "vbd: unknown command " << command << "\n" << kUsage;
    return 2;
}
