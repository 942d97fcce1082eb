// Files dragged onto the window: a skin opens as Open opens it, an image becomes the current
// component's bitmap as Browse makes it; anything else is refused while it is dragged.
#include "qtconvert.h"
#include "skineditordlg.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>

#include <utility>

void CSkinEditorDlg::dragEnterEvent(QDragEnterEvent* pEvent)
{
    AnswerDrag(*pEvent, true);
}

void CSkinEditorDlg::dragMoveEvent(QDragMoveEvent* pEvent)
{
    AnswerDrag(*pEvent, false);
}

void CSkinEditorDlg::dropEvent(QDropEvent* pEvent)
{
    TakeDrop(*pEvent);
}

bool CSkinEditorDlg::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    const QEvent::Type type = pEvent->type();
    if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
        auto& event = static_cast<QDropEvent&>(*pEvent);
        // Text stays the line edit's own; files and addresses are the window's.
        if (event.mimeData() != nullptr && event.mimeData()->hasUrls()) {
            if (type == QEvent::Drop) {
                TakeDrop(event);
            } else {
                AnswerDrag(static_cast<QDragMoveEvent&>(event), type == QEvent::DragEnter);
            }
            return true;
        }
    }
    return QDialog::eventFilter(pWatched, pEvent);
}

void CSkinEditorDlg::AnswerDrag(QDragMoveEvent& event, bool bEnter)
{
    // The file is looked at once as the drag enters, not at every move.
    if (bEnter) {
        m_dragged =
            event.mimeData() != nullptr ? DroppedFile::Of(*event.mimeData()) : DroppedFile();
    }
    AcceptFileDrag(event, m_dragged);
}

bool CSkinEditorDlg::CanTake(const DroppedFile& file) const
{
    // Not while the chooser runs or a question is open: the drop would answer in its place.
    const QWidget* const pModal = QApplication::activeModalWidget();
    if (!isEnabled() || (pModal != nullptr && pModal != this)) {
        return false;
    }
    switch (file.kind) {
    case DroppedFile::Kind::Skin:
        return true;
    case DroppedFile::Kind::Image:
        return m_panelComponent.CanTakeBitmap();
    case DroppedFile::Kind::None:
        break;
    }
    return false;
}

bool CSkinEditorDlg::AcceptFileDrag(QDropEvent& event, const DroppedFile& file) const
{
    if (CanTake(file)) {
        // Never a move: a source told its file was moved deletes its own copy.
        for (const Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction}) {
            if (event.possibleActions().testFlag(action)) {
                event.setDropAction(action);
                event.accept();
                return true;
            }
        }
    }
    event.ignore();
    return false;
}

void CSkinEditorDlg::TakeDrop(QDropEvent& event)
{
    // Read again: the file may have changed while it was dragged.
    const DroppedFile file =
        event.mimeData() != nullptr ? DroppedFile::Of(*event.mimeData()) : DroppedFile();
    m_dragged = DroppedFile();
    if (!AcceptFileDrag(event, file)) {
        return;
    }
    if (file.kind == DroppedFile::Kind::Image) {
        m_panelComponent.TakeDroppedBitmap(file.path);
        return;
    }
    // The drag source waits until the drop returns, so the save-first question comes after.
    m_droppedSkin = file.path;
    QMetaObject::invokeMethod(this, "OnSkinDropped", Qt::QueuedConnection);
}

void CSkinEditorDlg::OnSkinDropped()
{
    const std::filesystem::path path = std::exchange(m_droppedSkin, {});
    if (!path.empty() && ConfirmDiscard()) {
        OpenSkinFile(path);
    }
}
