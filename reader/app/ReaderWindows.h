#pragma once

#include <QWidget>

#include <memory>

class TfmMain;

// The reader's four windows, created at start-up in this order and living until the end.
class ReaderWindows {
public:
    explicit ReaderWindows(const QStringList& arguments);
    ~ReaderWindows();

    TfmMain& main() { return *main_; }
    QWidget& recorder() { return *recorder_; }
    QWidget& search() { return *search_; }
    QWidget& resources() { return *resources_; }

    // The recorder is shown modally from the main window.
    void showRecorderModal();

private:
    std::unique_ptr<TfmMain> main_;
    std::unique_ptr<QWidget> recorder_;
    std::unique_ptr<QWidget> search_;
    std::unique_ptr<QWidget> resources_;
};
