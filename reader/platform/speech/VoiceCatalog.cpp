#include "VoiceCatalog.h"

#include <algorithm>

QString displayName(const VoiceEntry& voice) {
    QString name = voice.name;
    name.replace(QLatin1Char('_'), QLatin1Char(' '));
    return name.trimmed();
}

QList<VoiceEntry> orderForLearners(QList<VoiceEntry> voices) {
    const auto group = [](const VoiceEntry& voice) {
        const QString language = voice.language.toLower();
        if (language == QLatin1String("en-us"))
            return 0;
        if (language == QLatin1String("en") || language.startsWith(QLatin1String("en-")))
            return 1;
        return 2;
    };
    std::stable_sort(voices.begin(), voices.end(), [&](const VoiceEntry& a, const VoiceEntry& b) {
        const int ga = group(a), gb = group(b);
        if (ga != gb)
            return ga < gb;
        return displayName(a).compare(displayName(b), Qt::CaseInsensitive) < 0;
    });
    return voices;
}
