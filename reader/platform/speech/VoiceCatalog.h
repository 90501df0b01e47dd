#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One installed voice as the engine describes it.
struct VoiceEntry {
    QString name;          // "English_(America)"
    QString language;      // "en-us"
    QByteArray identifier; // the voice file, "gmw/en-US"
};

// The name a person reads: "English (America)".
QString displayName(const VoiceEntry& voice);

// Learners of English first: American English, the other English voices, then the rest;
// each group by display name, so the order is the same on every call.
QList<VoiceEntry> orderForLearners(QList<VoiceEntry> voices);
