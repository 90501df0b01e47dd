#include "EngineScale.h"

#include <algorithm>
#include <cmath>

namespace engine_scale {

int wordsPerMinute(int rate) {
    rate = std::clamp(rate, -10, 10);
    const double limit = rate < 0 ? kSlowestWordsPerMinute : kFastestWordsPerMinute;
    const double factor = std::pow(limit / kNormalWordsPerMinute, std::abs(rate) / 10.0);
    return static_cast<int>(std::lround(kNormalWordsPerMinute * factor));
}

int amplitude(int volume) {
    return std::clamp(volume, 0, 100);
}

} // namespace engine_scale
