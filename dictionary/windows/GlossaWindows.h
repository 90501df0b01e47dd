#pragma once

#include "core/WordStore.h"

#include <memory>

namespace glossa {

class TMain;
class TAdd;
class TLook;

// The program's three windows, created in order (main, add, view/edit) and living until the end.
class GlossaWindows {
public:
    explicit GlossaWindows(WordStore::Locator locate = {});
    ~GlossaWindows();

    TMain& main() const { return *m_main; }
    TAdd& add() const { return *m_add; }
    TLook& look() const { return *m_look; }

private:
    std::unique_ptr<TMain> m_main;
    TAdd* m_add;   // owned by the main window
    TLook* m_look; // owned by the main window
};

} // namespace glossa
