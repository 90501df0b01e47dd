#include "ReaderWindows.h"

#include "TfmMain.h"

#include "online/lookup/TfrmSearch.h"

#include "documents/DocumentCommands.h"
#include "online/TfrmEngOnlineData.h"

#include "platform/ErrorGuard.h"
#include "recorder/TForm1.h"

#include <QDialog>


ReaderWindows::ReaderWindows(const QStringList& arguments) {
    main_ = std::make_unique<TfmMain>(arguments);
    guard::run([&] { recorder_ = std::make_unique<TForm1>(); });
    guard::run([&] { search_ = std::make_unique<TfrmSearch>(); });
    guard::run([&] {
        auto resources = std::make_unique<TfrmEngOnlineData>();
        resources->setArticleOpener([main = main_.get()](const QString& title, const QString& address) {
            if (main->documents)
                main->documents->OpenCurrentArticle(title, address);
        });
        resources_ = std::move(resources);
    });
    if (!recorder_)
        recorder_ = std::make_unique<QWidget>();
    if (!search_)
        search_ = std::make_unique<QWidget>();
    if (!resources_)
        resources_ = std::make_unique<QWidget>();
    main_->attachWindows(*this);
}

ReaderWindows::~ReaderWindows() = default;

void ReaderWindows::showRecorderModal() {
    if (auto* dialog = qobject_cast<QDialog*>(recorder_.get()))
        dialog->exec();
}
