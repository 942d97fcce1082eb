#pragma once

#include "wintypes.h"

#include <QFont>
#include <QFontDialog>

// The font dialog on a skin's font. It opens on the face, size, weight and style the LOGFONT
// describes, as near as the installed fonts and whole point sizes allow, and gives back that
// LOGFONT with only what the user changed written over it: OK without a change leaves it the
// same, field for field, also when its face is not installed here. A face whose name a skin
// cannot store is refused with a message, and the dialog stays open.
class CLogFontDialog : public QFontDialog
{
    Q_OBJECT

public:
    explicit CLogFontDialog(const LOGFONT& logFont, QWidget* pParent = nullptr);

    // The font as the user left it; the LOGFONT given when the dialog was not accepted.
    LOGFONT GetLogFont() const;

protected:
    void done(int nResult) override;

private:
    LOGFONT m_logFont;
    // What the dialog showed before the user touched it; the changes are measured against it.
    QFont m_fontOpened;
};
