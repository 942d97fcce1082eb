#include "skinnednotewnd.h"

#include "dibimage.h"
#include "qtconvert.h"
#include "skin.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>

#include <array>

CSkinnedNoteWnd::CSkinnedNoteWnd(QWidget* parent) : CBitmapWnd(parent)
{
    m_wndMessage.setObjectName(QStringLiteral("message"));
    m_wndClose.setObjectName(QStringLiteral("close"));
    setAccessibleName(tr("Skin preview"));
    m_wndMessage.setAccessibleName(tr("Message"));
    m_wndClose.setAccessibleName(tr("Close button"));
    m_wndMessage.SetMargins(RECT{0, 0, 0, 0});
    m_wndMessage.hide();
    m_wndClose.hide();
}

bool CSkinnedNoteWnd::Create(QWidget* pParentWnd)
{
    if (!CBitmapWnd::Create(pParentWnd, false)) {
        return false;
    }
    m_wndMessage.setGeometry(0, 0, 0, 0);
    m_wndMessage.show();
    m_wndClose.Create(this, true);
    m_wndClose.SetCursorShape(m_hHandCursor);
    return true;
}

void CSkinnedNoteWnd::ApplySkin(const CSkin* pSkin)
{
    if (pSkin == nullptr || pSkin->GetMainImage() == nullptr || pSkin->GetCloseImage() == nullptr ||
        pSkin->GetCloseHoverImage() == nullptr) {
        return;
    }
    const std::array<QImage, 3> bitmaps = {CreateDDB(*pSkin->GetMainImage()),
                                           CreateDDB(*pSkin->GetCloseImage()),
                                           CreateDDB(*pSkin->GetCloseHoverImage())};
    for (const QImage& bitmap : bitmaps) {
        if (bitmap.isNull()) {
            return;
        }
    }
    SetBitmap(bitmaps[0], pSkin->m_crMainTransparent);
    m_wndClose.SetBitmap(bitmaps[1], pSkin->m_crCloseTransparent);
    m_wndClose.SetHoverBitmap(bitmaps[2], pSkin->m_crCloseHoverTransparent);
    m_wndMessage.setGeometry(toQRect(pSkin->m_rcMessage));
    // The button takes the rectangle's size until its next shape update gives it its image's.
    m_wndClose.setGeometry(toQRect(pSkin->m_rcCloseButton));

    LOGFONT lf;
    pSkin->GetMessageFont(&lf);
    m_wndMessage.SetTextFont(&lf);
    m_wndMessage.SetTextColor(pSkin->m_crMessageText);
    m_wndMessage.SetBackColor(pSkin->m_crMessageBack);
    pSkin->GetTitleFont(&lf);
    // m_crTitleBack is not used: the title is drawn straight onto the main image.
    SetTextArea(pSkin->m_rcTitle, pSkin->m_crTitleText, &lf);
    setWindowTitle(tr("[Note Title]"));
}

QRect CSkinnedNoteWnd::GetNoteRect() const
{
    return frameGeometry();
}

QString CSkinnedNoteWnd::GetMessageText() const
{
    return m_wndMessage.toPlainText();
}

void CSkinnedNoteWnd::SetMessageText(const QString& text)
{
    m_wndMessage.setPlainText(text);
}

QWidget* CSkinnedNoteWnd::FocusMessage()
{
    QWidget* const pPrevious = QApplication::focusWidget();
    m_wndMessage.setFocus(Qt::OtherFocusReason);
    return pPrevious;
}

void CSkinnedNoteWnd::closeEvent(QCloseEvent* event)
{
    // The window system's close (Alt+F4, the window menu) does nothing to a preview. The
    // program's own close goes through: Qt closes every window when the application quits, and a
    // refusal there would keep the program running.
    if (event->spontaneous()) {
        event->ignore();
    } else {
        CBitmapWnd::closeEvent(event);
    }
}

void CSkinnedNoteWnd::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}
