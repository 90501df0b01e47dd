#pragma once

#include <QObject>
#include <QString>

#include <functional>

class DocumentCommands;
class QComboBox;
class QListWidget;
class QWidget;

// The controls the history works on: the box of names and the hidden list of addresses beside
// it; entry i of one belongs to entry i of the other.
struct HistoryView {
    QWidget& window;
    QComboBox& cbxhistorywz;
    QListWidget& listhistorywzurl;
    std::function<void(const QString&)> setTitle;
};

// Downloads an address into a file and says whether it worked (the online subsystem's).
using HistoryDownload = std::function<bool(const QString& url, const QString& path)>;

QString HistoryFilePath();

// Every document and article opened, oldest first, unique by address; kept in "history.dat".
class ReadingHistory : public QObject {
    Q_OBJECT
public:
    ReadingHistory(HistoryView view, DocumentCommands& documents, HistoryDownload download,
                   QObject* parent = nullptr);

    void LoadHistory();
    void SaveHistory();
    void AddToHistory(const QString& name, const QString& address);
    void cbxhistorywzChange();
    void Label5Click(); // the history manager, modal

private:
    HistoryView view_;
    DocumentCommands& documents_;
    HistoryDownload download_;
};
