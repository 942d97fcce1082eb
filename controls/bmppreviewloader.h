#pragma once

#include "bmppreview.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>

// Reads bitmap previews off the interface thread, one at a time and only for the newest request:
// a request while a read runs calls that read off, and a request overtaken before its turn is
// never read. Stepping through large files thus decodes the file the user stops on, not every
// file passed on the way.
class CBmpPreviewLoader : public QObject
{
    Q_OBJECT

public:
    explicit CBmpPreviewLoader(QObject* pParent = nullptr);
    // A read still running is called off; it ends on its own, reporting nothing.
    ~CBmpPreviewLoader() override;
    CBmpPreviewLoader(const CBmpPreviewLoader&) = delete;
    CBmpPreviewLoader& operator=(const CBmpPreviewLoader&) = delete;

    // Makes strPath the newest request.
    void Request(const QString& strPath);
    // The colour pixels with less than half alpha take in pictures that will be converted;
    // applies from the next request.
    void SetTransparentColour(COLORREF crTransparent) { m_crTransparent = crTransparent; }
    // Drops the newest request: nothing is reported until the next one.
    void Cancel();
    // Blocks until the newest request has been read and reported; returns at once without one.
    void WaitForNewest();

signals:
    // A read of strPath began.
    void loadStarted(const QString& strPath);
    // The newest request has been read; never for one that was overtaken or cancelled.
    void loaded(const BmpPreview& preview);

private:
    void StartNext();
    void OnFinished();

    QFutureWatcher<BmpPreview> m_watcher;
    std::shared_ptr<std::atomic_bool> m_pCancelRunning; // null while no read runs
    std::optional<QString> m_strNext;
    COLORREF m_crTransparent = 0;
};
