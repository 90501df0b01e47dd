#include "Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QFileDialog::Options noOverwritePrompt(bool prompt) {
    return prompt ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
}

class QtDialogs final : public DialogProvider {
public:
    void message(QWidget* parent, const QString& title, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
        box.exec();
    }

    std::optional<QString> openFile(QWidget* parent, const FileDialogRequest& r) override {
        QFileDialog dialog(parent, r.title, startPath(r), dialogs::toQtFilter(r.filter));
        dialog.setFileMode(r.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        return run(dialog, r);
    }

    std::optional<QString> saveFile(QWidget* parent, const FileDialogRequest& r) override {
        QFileDialog dialog(parent, r.title, r.initialDir, dialogs::toQtFilter(r.filter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOptions(noOverwritePrompt(r.overwritePrompt));
        if (!r.fileName.isEmpty())
            dialog.selectFile(r.fileName);
        return run(dialog, r);
    }

    std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& label,
                                     const QString& value) override {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, value, &ok);
        return ok ? std::optional<QString>(text) : std::nullopt;
    }

    std::optional<QFont> font(QWidget* parent, const QFont& initial, const QColor& initialColor,
                              QColor* chosenColor) override {
        Q_UNUSED(initialColor);
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, initial, parent);
        if (!ok)
            return std::nullopt;
        if (chosenColor)
            *chosenColor = initialColor;
        return f;
    }

    std::optional<QColor> color(QWidget* parent, const QColor& initial) override {
        const QColor c = QColorDialog::getColor(initial, parent);
        return c.isValid() ? std::optional<QColor>(c) : std::nullopt;
    }

private:
    static std::optional<QString> run(QFileDialog& dialog, const FileDialogRequest& r) {
        if (!r.defaultSuffix.isEmpty())
            dialog.setDefaultSuffix(r.defaultSuffix);
        const QStringList filters = dialog.nameFilters();
        if (r.filterIndex > 0 && r.filterIndex < filters.size())
            dialog.selectNameFilter(filters.at(r.filterIndex));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    static QString startPath(const FileDialogRequest& r) {
        if (r.fileName.isEmpty())
            return r.initialDir;
        return r.initialDir.isEmpty() ? r.fileName : r.initialDir + QLatin1Char('/') + r.fileName;
    }
};

std::shared_ptr<DialogProvider>& current() {
    static std::shared_ptr<DialogProvider> instance = std::make_shared<QtDialogs>();
    return instance;
}

} // namespace

namespace dialogs {

DialogProvider& provider() {
    return *current();
}

void install(std::shared_ptr<DialogProvider> replacement) {
    current() = replacement ? std::move(replacement) : std::make_shared<QtDialogs>();
}

QString toQtFilter(const QString& barFilter) {
    const QStringList parts = barFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QLatin1String(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QLatin1String(";;"));
}

} // namespace dialogs
