#pragma once

#include "bitmapwnd.h"
#include "notemessagectrl.h"

#include <QCursor>
#include <QRect>

class CSkin;

// A note drawn with a skin: a top-level window in the shape of the main image with the title
// "[Note Title]" in the title area, the message area in the message rectangle and a close button
// that changes its image under the mouse. A preview only: the window system can't close it.
class CSkinnedNoteWnd : public CBitmapWnd
{
    Q_OBJECT

public:
    enum
    {
        IDC_MESSAGE = 1,
    };

    explicit CSkinnedNoteWnd(QWidget* parent = nullptr);

    // Makes the note a window owned by pParentWnd, still hidden and 0 x 0; ApplySkin shows it.
    virtual bool Create(QWidget* pParentWnd);
    // Gives the note the skin's look; without all three images, or when one does not decode,
    // nothing changes.
    void ApplySkin(const CSkin* pSkin);

    // The note's window rectangle on the screen.
    virtual QRect GetNoteRect() const;
    virtual QString GetMessageText() const;
    virtual void SetMessageText(const QString& text);
    // Gives the keyboard focus to the message area; returns the widget that had it.
    virtual QWidget* FocusMessage();

    const CNoteMessageCtrl& GetMessageCtrl() const { return m_wndMessage; }
    const CBitmapWnd& GetCloseButton() const { return m_wndClose; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    using CBitmapWnd::Create;

    CNoteMessageCtrl m_wndMessage{this};
    CBitmapWnd m_wndClose{this};
    QCursor m_hHandCursor{Qt::PointingHandCursor};
};
