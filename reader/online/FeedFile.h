#pragma once

#include <QString>
#include <QStringList>

class KeyedFile;

// The reader's own version number; a feed that announces a greater one offers an update.
inline constexpr int kOwnVersion = 20120320;

struct FeedNotices {
    int count = 0;     // notices to rotate; 0 or less means none
    int interval = 0;  // milliseconds each notice stays; 0 or less means no rotation
    QStringList names; // count texts, in key order
    QStringList urls;  // count addresses, in the same order
};

struct UpdateOffer {
    QString version; // as written in the feed
    QString url;
};

// Section "info": count, time, name1.., url1... The count is bounded by the lines the section
// holds, so a feed cannot make the reader build millions of empty notices; a very short time
// is raised to a minimum so the strip does not spin.
FeedNotices ReadNotices(const KeyedFile& feed);

inline constexpr int kMinimumNoticeInterval = 200;

// Section "update": ver and url, with the reader's own version and installerUrl as defaults.
UpdateOffer ReadUpdateOffer(const KeyedFile& feed, const QString& installerUrl);

// The version number as a whole number; raises UserError when it is none.
int VersionNumber(const QString& version);
