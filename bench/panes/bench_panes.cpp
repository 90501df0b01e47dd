// Find next and replace all in the main window's left pane, each against the plain QString
// operation on the same text. Prints the ratios; the find-next ratio last.
#include "app/TfmMain.h"
#include "panes/FindDialog.h"
#include "panes/ReplaceDialog.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// A message box would stop the run; every benchmarked search finds its match.
class NoDialogs final : public DialogProvider {
public:
    int messages = 0;
    void message(QWidget*, const QString&, const QString&) override { ++messages; }
    std::optional<QString> openFile(QWidget*, const FileDialogRequest&) override { return {}; }
    std::optional<QString> saveFile(QWidget*, const FileDialogRequest&) override { return {}; }
    std::optional<QString> inputText(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QFont> font(QWidget*, const QFont&, const QColor&, QColor*) override { return {}; }
    std::optional<QColor> color(QWidget*, const QColor&) override { return {}; }
};

// The window writes its data and desktop files: keep them in a folder of the run.
void privateFolders(const QString& base) {
    for (const char* name : {"program", "config", "data", "cache", "runtime"}) {
        QDir(base).mkpath(QString::fromLatin1(name));
    }
    qputenv("VERBALOOM_PROGRAM_FOLDER", (base + QLatin1String("/program")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (base + QLatin1String("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (base + QLatin1String("/data")).toUtf8());
    qputenv("XDG_CACHE_HOME", (base + QLatin1String("/cache")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (base + QLatin1String("/runtime")).toUtf8());
    QFile::setPermissions(base + QLatin1String("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

template <typename F> double milliseconds(F&& step) {
    QElapsedTimer timer;
    timer.start();
    step();
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void caretTo(QPlainTextEdit* pane, int position) {
    QTextCursor cursor = pane->textCursor();
    cursor.setPosition(position);
    pane->setTextCursor(cursor);
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir folder;
    privateFolders(folder.path());
    QApplication app(argc, argv);
    auto noDialogs = std::make_shared<NoDialogs>();
    dialogs::install(noDialogs);

    TfmMain w({});
    w.resize(1000, 700);
    w.show();
    while (!w.windowHandle() || !w.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    auto* find = w.findChild<FindDialog*>();
    auto* replace = w.findChild<ReplaceDialog*>();
    const int rounds = 15;

    // Find next: 5 MB of text, the only match at its very end.
    const QString word = QStringLiteral("zebra");
    QString longText;
    const QString line = QStringLiteral("The quick brown fox jumps over the lazy dog, then rests a while.\n");
    while (longText.size() < 5'000'000)
        longText += line;
    longText += word;
    const qsizetype expected = longText.size() - word.size();
    w.MemMain->setPlainText(longText);
    find->FindText->setText(word);
    caretTo(w.MemMain, 0);
    const double firstFind = milliseconds([&] { w.N49->trigger(); });

    const auto findRatio = [&](bool matchCase) {
        find->MatchCase->setChecked(matchCase);
        const auto cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
        std::vector<double> pane, plain;
        qsizetype found = -1;
        for (int i = 0; i < rounds; ++i) {
            caretTo(w.MemMain, 0);
            pane.push_back(milliseconds([&] { w.N49->trigger(); }));
            if (w.MemMain->textCursor().selectionStart() != expected)
                std::printf("find next missed the match\n");
            plain.push_back(milliseconds([&] { found = longText.indexOf(word, 0, cs); }));
        }
        if (found != expected)
            std::printf("indexOf missed the match\n");
        std::printf("find next, %s: %.2f ms; QString::indexOf: %.2f ms; ratio %.2f\n",
                    matchCase ? "match case" : "any case", median(pane), median(plain),
                    median(pane) / median(plain));
        return median(pane) / median(plain);
    };
    std::printf("find next through %lld characters; the first after an edit reads the text: %.2f ms\n",
                static_cast<long long>(longText.size()), firstFind);
    findRatio(true);
    const double findAnyCase = findRatio(false);

    // Replace all: a letter 200 000 times in 2 MB, as one undo step.
    const QString sentence = QStringLiteral("Tom sat by a fire in the hut, and read a big book.\n");
    QString text;
    for (int i = 0; i < 40'000; ++i)
        text += sentence;
    const QString result =
        QString(text).replace(QStringLiteral("a"), QStringLiteral("o"), Qt::CaseInsensitive);
    replace->FindText->setText(QStringLiteral("a"));
    replace->ReplaceText->setText(QStringLiteral("o"));
    std::vector<double> window, plain;
    bool same = true, oneUndoStep = true;
    for (int i = 0; i < 5; ++i) {
        w.MemMain->setPlainText(text);
        caretTo(w.MemMain, 0);
        QApplication::processEvents();
        window.push_back(milliseconds([&] {
            replace->ReplaceAll->click();
            QApplication::processEvents(); // the pane lays out and paints the new text
        }));
        plain.push_back(milliseconds([&] {
            QString copy = text;
            copy.replace(QStringLiteral("a"), QStringLiteral("o"), Qt::CaseInsensitive);
        }));
        same = same && w.MemMain->toPlainText() == result;
        w.N25->trigger();
        oneUndoStep = oneUndoStep && w.MemMain->toPlainText() == text;
    }
    std::printf("replace all of 200 000 letters in %lld characters: %.1f ms; QString::replace: %.2f ms; "
                "same result: %s; one undo step: %s; ratio %.1f\n",
                static_cast<long long>(text.size()), median(window), median(plain), same ? "yes" : "no",
                oneUndoStep ? "yes" : "no", median(window) / median(plain));
    if (noDialogs->messages > 0)
        std::printf("unexpected messages: %d\n", noDialogs->messages);

    std::printf("find next against QString::indexOf (any case, as the dialog starts): ratio %.2f\n",
                findAnyCase);
    return same && oneUndoStep ? 0 : 1;
}
