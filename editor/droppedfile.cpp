#include "droppedfile.h"

#include "qtconvert.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>

DroppedFile DroppedFile::Of(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile()) {
        return {};
    }
    const QString strPath = urls.constFirst().toLocalFile();
    const QFileInfo info(strPath);
    if (!info.isFile() || !info.isReadable()) {
        return {};
    }
    // Skins have no signature to recognise them by; images are known by their content, so a
    // misnamed one is still taken.
    if (info.suffix().compare(QStringLiteral("skn"), Qt::CaseInsensitive) == 0) {
        return {Kind::Skin, toPath(strPath)};
    }
    QImageReader reader(strPath);
    reader.setDecideFormatFromContent(true);
    if (reader.canRead()) {
        return {Kind::Image, toPath(strPath)};
    }
    return {};
}
