// Opening a document with 1 MB of text in the main window until its panes are filled and laid
// out, against putting the same texts into three bare text panes. Ratio printed last.
#include "app/TfmMain.h"
#include "documents/DocumentCommands.h"
#include "documents/ReadingDocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

constexpr int kRounds = 3;

ReadingDocument largeDocument() {
    const QString english = QStringLiteral("The learners open a long text and read it line by line.\n");
    const QString chinese = QStringLiteral("学习者打开一篇长文章，一行一行地读下去。\n");
    ReadingDocument d;
    while (d.left.size() < 600 * 1024)
        d.left += english;
    while (d.right.size() * 2 < 300 * 1024) // two bytes a character on disk
        d.right += chinese;
    while (d.notes.size() < 100 * 1024)
        d.notes += english;
    d.audioUrl = QStringLiteral("http://127.0.0.1:1/none.mp3");
    return d;
}

// Best of several rounds in milliseconds, with the events the work posted handled inside.
double best(
    const std::function<void()>& work, const std::function<void()>& prepare = [] {}) {
    double fastest = 1e300;
    for (int i = 0; i < kRounds; ++i) {
        prepare();
        QApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        work();
        QApplication::processEvents();
        fastest = std::min(fastest, clock.nsecsElapsed() / 1e6);
    }
    return fastest;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QTemporaryDir dir;
    qputenv("VERBALOOM_PROGRAM_FOLDER", dir.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    QApplication app(argc, argv);
    QTextStream out(stdout);

    const ReadingDocument document = largeDocument();
    const QString path = dir.filePath(QStringLiteral("large.vbd"));
    WriteDocumentFile(path, document);
    out << "document: " << QFileInfo(path).size() / 1024 << " KB on disk\n";

    TfmMain window({});
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();
    // A new document before every round, so every round fills empty panes.
    const double open = best([&] { window.documents->OpenDocument(path); }, [&] { window.N13->trigger(); });
    if (window.MemMain->toPlainText() != document.left) {
        out << "the left pane does not hold the document\n";
        return 1;
    }

    QWidget bare;
    auto* layout = new QVBoxLayout(&bare);
    QPlainTextEdit* panes[3] = {new QPlainTextEdit, new QPlainTextEdit, new QPlainTextEdit};
    for (QPlainTextEdit* pane : panes)
        layout->addWidget(pane);
    bare.resize(1000, 700);
    bare.show();
    QApplication::processEvents();
    const double baseline = best(
        [&] {
            panes[0]->setPlainText(document.left);
            panes[1]->setPlainText(document.right);
            panes[2]->setPlainText(document.notes);
        },
        [&] {
            for (QPlainTextEdit* pane : panes)
                pane->clear();
        });
    const double decode = best([&] { ReadDocumentFile(path); });

    out << "read and decode only: " << decode << " ms\n";
    out << "open to filled panes: " << open << " ms, same texts into bare panes: " << baseline << " ms\n";
    out << "open / bare panes ratio: " << open / baseline << Qt::endl;
    return 0;
}
