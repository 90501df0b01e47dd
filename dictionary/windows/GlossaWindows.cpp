#include "GlossaWindows.h"

#include "TAdd.h"
#include "TLook.h"
#include "TMain.h"

namespace glossa {

GlossaWindows::GlossaWindows(WordStore::Locator locate)
    : m_main(std::make_unique<TMain>(std::move(locate))), m_add(new TAdd(m_main->store(), m_main.get())),
      m_look(new TLook(m_main->store(), m_main.get())) {
    m_main->setCompanions(m_add, m_look);
}

GlossaWindows::~GlossaWindows() = default;

} // namespace glossa
