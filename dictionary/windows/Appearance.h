#pragma once

class QApplication;

namespace glossa {

// Fonts that render Chinese (宋体 stands for an installed CJK serif font) and the program's one skin.
void SetUpAppearance(QApplication& app);

} // namespace glossa
