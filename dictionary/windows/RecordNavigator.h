#pragma once

#include <QWidget>

class QToolButton;

namespace glossa {

class WordStore;

// The record navigator of the grid: first, previous, next and last record of the shared result set.
class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    explicit RecordNavigator(WordStore& store, QWidget* parent = nullptr);

    QToolButton* firstButton() const { return m_first; }
    QToolButton* priorButton() const { return m_prior; }
    QToolButton* nextButton() const { return m_next; }
    QToolButton* lastButton() const { return m_last; }

private:
    void refresh();

    WordStore& m_store;
    QToolButton* m_first;
    QToolButton* m_prior;
    QToolButton* m_next;
    QToolButton* m_last;
};

} // namespace glossa
