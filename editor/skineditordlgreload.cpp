// Bitmap files changed on disk: an image editor saved the picture of one of the skin's images.
#include "bitmapfile.h"
#include "imagefilewatcher.h"
#include "promptservice.h"
#include "qtconvert.h"
#include "skineditordlg.h"

#include <QFileInfo>

#include <string>

void CSkinEditorDlg::WatchImageFiles()
{
    m_pWatcher = std::make_unique<CImageFileWatcher>(*m_pDocument);
    connect(m_pWatcher.get(), &CImageFileWatcher::imageFileChanged, this,
            &CSkinEditorDlg::OnImageFileChanged);
    connect(m_pWatcher.get(), &CImageFileWatcher::imageFileVanished, this,
            &CSkinEditorDlg::OnImageFileVanished);
    // Apply read the file just now: a file that had vanished and is back is watched again.
    connect(&m_panelComponent, &CComponentPanel::imageTaken, m_pWatcher.get(),
            &CImageFileWatcher::Acknowledge);
}

void CSkinEditorDlg::OnImageFileChanged(int nPart, const QString& strPath)
{
    if (m_panelComponent.HasBitmapEdit(nPart)) {
        // The answer to the open question takes in this save too.
        if (m_bAskingReload) {
            return;
        }
        m_bAskingReload = true;
        const PromptAnswer answer = Prompts().ShowMessage(
            tr("The bitmap file \"%1\" has changed on disk.\n\nWould you like to reload it into "
               "the skin's %2? The bitmap you chose for this component but have not applied will "
               "be dropped.")
                .arg(strPath, CSkinDocument::ImageName(nPart))
                .toStdString(),
            PromptButtons::YesNo, PromptIcon::Question);
        m_bAskingReload = false;
        if (answer != PromptAnswer::Yes) {
            m_panelView.ShowMessage(tr("%1 changed; not reloaded, your unapplied bitmap stays")
                                        .arg(QFileInfo(strPath).fileName()));
            return;
        }
        m_panelComponent.DropBitmapEdit();
    }
    ReloadImageFile(nPart, strPath);
}

void CSkinEditorDlg::ReloadImageFile(int nPart, const QString& strPath)
{
    const QString strName = QFileInfo(strPath).fileName();
    const ComponentTraits* const pTraits = TraitsOf(ComponentOfImage(nPart));
    const COLORREF crKey =
        pTraits != nullptr ? m_pDocument->GetColour(pTraits->transparent) : COLORREF{0};
    BitmapFile file = ReadBitmapFile(toPath(strPath), crKey);
    if (!file.pImage) {
        // Most likely still being written: the next save is reported again.
        m_panelView.ShowMessage(
            file.bNotBitmap ? tr("%1 is not an image now; the skin keeps its image").arg(strName)
                            : tr("%1 could not be read; the skin keeps its image. %2")
                                  .arg(strName, QString::fromStdString(file.strWhy)));
        return;
    }
    const int nIndexBefore = m_pDocument->UndoStack().index();
    m_pDocument->ReloadImage(nPart, std::move(file.pImage));
    m_pWatcher->Acknowledge(nPart);
    QString strMessage = tr("%1 was saved with the same picture").arg(strName);
    if (m_pDocument->UndoStack().index() != nIndexBefore) {
        strMessage = file.strConvertedFrom.empty()
                         ? tr("Reloaded %1").arg(strName)
                         : tr("Reloaded %1 (converted from %2)")
                               .arg(strName, QString::fromStdString(file.strConvertedFrom));
    }
    m_panelView.ShowMessage(strMessage);
}

void CSkinEditorDlg::OnImageFileVanished(int /*nPart*/, const QString& strPath)
{
    m_panelView.ShowMessage(
        tr("%1 deleted or moved; no longer watched").arg(QFileInfo(strPath).fileName()));
}
