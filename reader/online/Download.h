#pragma once

#include <QString>

#include <chrono>

namespace download {

// The largest response each kind of file may have; a larger one is refused.
inline constexpr qint64 kListLimit = qint64(1) << 20;      // information feed, resource list
inline constexpr qint64 kDocumentLimit = qint64(16) << 20; // reading documents
inline constexpr qint64 kMediaLimit = qint64(512) << 20;   // recorded voices
inline constexpr qint64 kInstallerLimit = qint64(1) << 30;

struct Limits {
    qint64 maxBytes = kMediaLimit;
    // A server that sends nothing for this long ends the download as a failure.
    std::chrono::milliseconds stallTimeout{30000};
};

} // namespace download

// Fetches one address into one file. The body goes to a temporary file beside the target and
// is renamed into place only when it is complete; any failure (error status, broken or stalled
// transfer, refused connection, response over the limit) leaves the target as it was.
//
// Waits for the result while the event loop keeps running, so windows stay live and handlers
// may start downloads of their own; those return first. A quit requested meanwhile takes
// effect once control is back in the main loop.
bool DownloadFile(const QString& url, const QString& path, download::Limits limits = {});

// Starts the same download and returns at once; nobody learns the outcome.
void StartDownload(const QString& url, const QString& path, download::Limits limits = {});

// Whether the system reports a network connection; a local network counts. The maker's server
// on this machine needs no network, so it is always reachable.
bool IsOnline();
