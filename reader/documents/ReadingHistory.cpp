#include "ReadingHistory.h"

#include "DocumentCommands.h"
#include "TfrmHistory.h"

#include "platform/KeyedFile.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>

namespace {
const QString kSection = QStringLiteral("History");
}

QString HistoryFilePath() {
    return ProgramFolder() + QStringLiteral("history.dat");
}

ReadingHistory::ReadingHistory(HistoryView view, DocumentCommands& documents, HistoryDownload download,
                               QObject* parent)
    : QObject(parent), view_(std::move(view)), documents_(documents), download_(std::move(download)) {}

void ReadingHistory::LoadHistory() {
    view_.cbxhistorywz.clear();
    view_.listhistorywzurl.clear();
    view_.cbxhistorywz.setCurrentIndex(-1);
    if (!QFile::exists(HistoryFilePath()))
        return;
    const KeyedFile file(HistoryFilePath());
    const QStringList names = file.keys(kSection);
    view_.cbxhistorywz.addItems(names);
    for (const QString& name : names)
        view_.listhistorywzurl.addItem(file.readString(kSection, name));
    view_.cbxhistorywz.setCurrentIndex(-1);
}

void ReadingHistory::SaveHistory() {
    const QString path = HistoryFilePath();
    if (view_.cbxhistorywz.count() == 0) {
        if (QFile::exists(path))
            QFile::remove(path);
        return;
    }
    KeyedFile file(path);
    for (int i = 0; i < view_.cbxhistorywz.count(); ++i) {
        const QListWidgetItem* address = view_.listhistorywzurl.item(i);
        file.writeString(kSection, view_.cbxhistorywz.itemText(i), address ? address->text() : QString());
    }
    file.save();
}

void ReadingHistory::AddToHistory(const QString& name, const QString& address) {
    for (int i = 0; i < view_.listhistorywzurl.count(); ++i) {
        if (view_.listhistorywzurl.item(i)->text() == address)
            return;
    }
    const int selected = view_.cbxhistorywz.currentIndex();
    view_.cbxhistorywz.addItem(name);
    view_.cbxhistorywz.setCurrentIndex(selected); // adding never changes what the box shows
    view_.listhistorywzurl.addItem(address);
    SaveHistory();
}

void ReadingHistory::cbxhistorywzChange() {
    const int index = view_.cbxhistorywz.currentIndex();
    if (index < 0 || index >= view_.listhistorywzurl.count())
        return;
    const QString address = view_.listhistorywzurl.item(index)->text();
    const QString current = ProgramFolder() + QStringLiteral("curwz.vbd");
    QString name;
    QString path;
    if (address.startsWith(QLatin1String("http"))) {
        if (!download_ || !download_(address, current)) {
            ShowMessage(QStringLiteral("选定文章载入失败，请重试或检查网络连接！"), &view_.window);
            return;
        }
        // Another entry may have been chosen while the download ran.
        name = view_.cbxhistorywz.currentText();
        path = current;
    } else {
        name = QFileInfo(address).fileName();
        path = address;
    }
    if (!QFileInfo(path).isFile())
        return;
    documents_.show(ReadDocumentFile(path));
    view_.setTitle(QStringLiteral("蓝岸英语阅读器 2012 Build 0320") + QStringLiteral("   ") + name);
    if (path != current) {
        documents_.CurrentFileName = path;
        documents_.dialogFolder = QFileInfo(path).absolutePath();
    }
    documents_.UpdateReadButton();
}

void ReadingHistory::Label5Click() {
    TfrmHistory manager(&view_.window, [this] { LoadHistory(); });
    manager.exec();
}
