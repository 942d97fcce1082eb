#include "imagefilewatcher.h"

#include "skindocument.h"

#include <QFileInfo>

namespace {

constexpr std::array<int, 3> kImageParts = {SKINPART_MAIN_IMAGE, SKINPART_CLOSE_IMAGE,
                                            SKINPART_CLOSE_HOVER_IMAGE};

std::size_t SlotOf(int nPart)
{
    return static_cast<std::size_t>(nPart - SKINPART_MAIN_IMAGE);
}

QString PathString(const std::filesystem::path& path)
{
#ifdef _WIN32
    return QString::fromStdWString(path.wstring());
#else
    return QString::fromStdString(path.string());
#endif
}

} // namespace

CImageFileWatcher::CImageFileWatcher(const CSkinDocument& document, QObject* pParent)
    : QObject(pParent), m_document(document)
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(kQuietMs);
    connect(&m_quiet, &QTimer::timeout, this, &CImageFileWatcher::Settle);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CImageFileWatcher::OnFileChanged);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &CImageFileWatcher::OnSomethingChanged);
    connect(&document, &CSkinDocument::changed, this, [this](SkinChanges what) {
        if (what.testFlag(SkinChange::ImagePath)) {
            Follow();
        }
    });
    Follow();
}

QString CImageFileWatcher::GetWatchedPath(int nPart) const
{
    if (!IsImagePart(nPart)) {
        return {};
    }
    const Watched& watched = m_watched.at(SlotOf(nPart));
    return watched.bActive ? watched.strPath : QString();
}

void CImageFileWatcher::Acknowledge(int nPart)
{
    if (!IsImagePart(nPart)) {
        return;
    }
    Watched& watched = m_watched.at(SlotOf(nPart));
    watched.stamp = StampOf(watched.strPath);
    watched.bActive = watched.stamp.bExists;
    watched.bTouched = false;
    UpdateWatchList();
}

CImageFileWatcher::Stamp CImageFileWatcher::StampOf(const QString& strPath)
{
    const QFileInfo info(strPath);
    if (!info.isFile()) {
        return {};
    }
    return {true, info.size(), info.lastModified(), info.metadataChangeTime()};
}

void CImageFileWatcher::Follow()
{
    for (const int nPart : kImageParts) {
        Watched& watched = m_watched.at(SlotOf(nPart));
        const std::filesystem::path path = m_document.GetImagePath(nPart);
        const QString strPath =
            path.empty() ? QString() : QFileInfo(PathString(path)).absoluteFilePath();
        if (strPath != watched.strPath) {
            // The image was just taken from this file: what it holds now is what the skin has.
            const Stamp stamp = StampOf(strPath);
            watched = {strPath, stamp.bExists, false, stamp};
        }
    }
    UpdateWatchList();
}

// Each file, and its folder: a file replaced by a rename or deleted and made again is a new file,
// which only the folder's watch sees arrive.
void CImageFileWatcher::UpdateWatchList()
{
    QStringList wanted;
    for (const Watched& watched : m_watched) {
        if (watched.bActive) {
            wanted << QFileInfo(watched.strPath).absolutePath();
            if (QFileInfo::exists(watched.strPath)) {
                wanted << watched.strPath;
            }
        }
    }
    wanted.removeDuplicates();
    QStringList stale;
    for (const QString& strPath : m_watcher.files() + m_watcher.directories()) {
        if (!wanted.contains(strPath)) {
            stale << strPath;
        }
    }
    if (!stale.isEmpty()) {
        m_watcher.removePaths(stale);
    }
    QStringList added;
    for (const QString& strPath : wanted) {
        if (!m_watcher.files().contains(strPath) && !m_watcher.directories().contains(strPath)) {
            added << strPath;
        }
    }
    if (!added.isEmpty()) {
        m_watcher.addPaths(added);
    }
}

void CImageFileWatcher::OnFileChanged(const QString& strPath)
{
    for (Watched& watched : m_watched) {
        if (watched.bActive && watched.strPath == strPath) {
            watched.bTouched = true;
        }
    }
    OnSomethingChanged();
}

void CImageFileWatcher::OnSomethingChanged()
{
    m_quiet.start();
}

void CImageFileWatcher::Settle()
{
    for (const int nPart : kImageParts) {
        Watched& watched = m_watched.at(SlotOf(nPart));
        if (!watched.bActive) {
            continue;
        }
        const Stamp now = StampOf(watched.strPath);
        if (now == watched.stamp && !watched.bTouched) {
            continue; // another file in the folder
        }
        watched.stamp = now;
        watched.bTouched = false;
        watched.bActive = now.bExists;
        if (now.bExists) {
            emit imageFileChanged(nPart, watched.strPath);
        } else {
            emit imageFileVanished(nPart, watched.strPath);
        }
    }
    // A renamed-over file has a new identity that the file watch lost.
    UpdateWatchList();
}
