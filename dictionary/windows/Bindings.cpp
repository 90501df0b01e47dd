#include "Bindings.h"

#include "core/WordStore.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace glossa {

namespace {

// Calls show(value) whenever the current record or its value in column may have changed.
template <class Widget, class Show>
void follow(Widget* widget, WordStore& store, const QString& column, Show show) {
    const auto refresh = [widget, &store, column, show] { show(widget, store.currentValue(column)); };
    QObject::connect(&store, &WordStore::currentRowChanged, widget, refresh);
    QObject::connect(&store, &WordStore::modelReset, widget, refresh);
    QObject::connect(&store, &WordStore::stateChanged, widget, refresh);
    QObject::connect(&store, &WordStore::dataChanged, widget,
                     [widget, &store, refresh](const QModelIndex& from, const QModelIndex& to) {
                         if (store.currentRow() >= from.row() && store.currentRow() <= to.row())
                             refresh();
                     });
    refresh();
}

} // namespace

void BindField(QLabel* label, WordStore& store, const QString& column) {
    follow(label, store, column, [](QLabel* w, const QString& value) {
        w->setText(value);
        w->adjustSize();
    });
}

void BindField(QPlainTextEdit* memo, WordStore& store, const QString& column) {
    follow(memo, store, column, [](QPlainTextEdit* w, const QString& value) {
        if (w->toPlainText() != value)
            w->setPlainText(value);
    });
}

void BindField(QLineEdit* edit, WordStore& store, const QString& column) {
    follow(edit, store, column, [&store](QLineEdit* w, const QString& value) {
        // Rewriting identical text would move the cursor while the user types.
        if (w->text() != value)
            w->setText(value);
        w->setReadOnly(store.currentRow() < 0);
    });
    QObject::connect(edit, &QLineEdit::textEdited, &store,
                     [&store, column](const QString& value) { store.setPendingValue(column, value); });
}

} // namespace glossa
