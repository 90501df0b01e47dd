#include "RecordNavigator.h"

#include "Messages.h"
#include "core/WordStore.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace glossa {

RecordNavigator::RecordNavigator(WordStore& store, QWidget* parent) : QWidget(parent), m_store(store) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const auto button = [this, layout](const char16_t* glyph, const char16_t* name, const char* object,
                                       void (WordStore::*step)()) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(object));
        b->setText(QString::fromUtf16(glyph));
        b->setToolTip(QString::fromUtf16(name));
        b->setAccessibleName(QString::fromUtf16(name));
        b->setAutoRaise(true); // flat
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        layout->addWidget(b);
        connect(b, &QToolButton::clicked, this,
                [this, step] { Guarded(window(), [&] { (m_store.*step)(); }); });
        return b;
    };
    m_first = button(u"|◀", u"第一条", "first", &WordStore::first);
    m_prior = button(u"◀", u"上一条", "prior", &WordStore::prior);
    m_next = button(u"▶", u"下一条", "next", &WordStore::next);
    m_last = button(u"▶|", u"最后一条", "last", &WordStore::last);

    connect(&m_store, &WordStore::currentRowChanged, this, &RecordNavigator::refresh);
    connect(&m_store, &WordStore::stateChanged, this, &RecordNavigator::refresh);
    connect(&m_store, &WordStore::rowsInserted, this, &RecordNavigator::refresh);
    connect(&m_store, &WordStore::rowsRemoved, this, &RecordNavigator::refresh);
    connect(&m_store, &WordStore::modelReset, this, &RecordNavigator::refresh);
    refresh();
}

void RecordNavigator::refresh() {
    // A closed result set disables the whole navigator.
    setEnabled(m_store.isOpen());
    m_first->setEnabled(!m_store.atFirst());
    m_prior->setEnabled(!m_store.atFirst());
    m_next->setEnabled(!m_store.atLast());
    m_last->setEnabled(!m_store.atLast());
}

} // namespace glossa
