#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>

class CSkinDocument;

// Watches the bitmap files the document's images were taken from, so that a picture saved in an
// image editor comes back into the skin. Image editors save in place, by writing a new file and
// renaming it over the old one, or by deleting and recreating it; each save is reported once,
// after the file has been quiet for a moment. A file that disappears is reported and no longer
// watched. Nothing runs while nothing changes on disk.
class CImageFileWatcher : public QObject
{
    Q_OBJECT

public:
    explicit CImageFileWatcher(const CSkinDocument& document, QObject* pParent = nullptr);

    // The path image nPart is watched at; empty when it is not watched.
    QString GetWatchedPath(int nPart) const;
    // The image was just read from its file: what the file holds now is the image's, and a file
    // that had vanished and is back is watched again.
    void Acknowledge(int nPart);

    // How long a file must be quiet before a change counts: long enough to cover one save's
    // writes and renames, short enough to feel immediate.
    static constexpr int kQuietMs = 300;

signals:
    // The file of image nPart holds something new.
    void imageFileChanged(int nPart, const QString& strPath);
    // The file of image nPart is gone; it is no longer watched.
    void imageFileVanished(int nPart, const QString& strPath);

private:
    // What says a file in the folder is new: a rename or a recreation changes its metadata time
    // even when size and content time come back the same. Writes in place within one tick of the
    // file system's clock may leave it as it was; the file's own watch reports those.
    struct Stamp
    {
        bool bExists = false;
        qint64 nSize = 0;
        QDateTime modified;
        QDateTime metadataChanged;
        bool operator==(const Stamp&) const = default;
    };
    struct Watched
    {
        QString strPath;       // the document's file for the image; empty: none
        bool bActive = false;  // false once the file vanished
        bool bTouched = false; // the file itself was written to since the last report
        Stamp stamp;           // the file as the image was last read from it
    };

    static Stamp StampOf(const QString& strPath);
    void Follow(); // the document's image paths changed
    void UpdateWatchList();
    void OnFileChanged(const QString& strPath);
    void OnSomethingChanged();
    void Settle();

    const CSkinDocument& m_document;
    std::array<Watched, 3> m_watched;
    QFileSystemWatcher m_watcher;
    QTimer m_quiet;
};
