#include "logfontdialog.h"

#include "fontex.h"
#include "promptservice.h"
#include "qtconvert.h"
#include "storabletext.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>
#include <limits>

namespace {

// The resolution toLogFont turns points into pixels with, so that sizes go both ways alike.
qreal LogicalDpi(const QPaintDevice* pDevice)
{
    if (pDevice != nullptr) {
        return pDevice->logicalDpiY();
    }
    const QScreen* const pScreen = QGuiApplication::primaryScreen();
    return pScreen != nullptr ? pScreen->logicalDotsPerInchY() : 96.0;
}

// Qt names a family installed by several foundries "Nimbus Sans [urw]"; a skin names the face.
QString FaceOf(const QString& strFamily)
{
    const auto nFoundry = strFamily.lastIndexOf(QLatin1String(" ["));
    return nFoundry > 0 && strFamily.endsWith(QLatin1Char(']')) ? strFamily.left(nFoundry)
                                                                : strFamily;
}

// Face names are not case-sensitive in a skin; the dialog finds only the installed spelling.
QString InstalledFamily(const QString& strFace)
{
    if (strFace.isEmpty()) {
        return {};
    }
    for (const QString& strFamily : QFontDatabase::families()) {
        if (FaceOf(strFamily).compare(strFace, Qt::CaseInsensitive) == 0) {
            return strFamily;
        }
    }
    return {};
}

// The family's style nearest to the weight and slant, so that the dialog does not fall back to
// its first style (which may be italic or bold). Plain names win a tie: "Bold" before
// "Condensed Bold".
QString NearestStyle(const QString& strFamily, int nWeight, bool bItalic)
{
    QString strBest;
    int nBestScore = std::numeric_limits<int>::max();
    for (const QString& strStyle : QFontDatabase::styles(strFamily)) {
        const int nScore = (QFontDatabase::italic(strFamily, strStyle) != bItalic ? 10000 : 0) +
                           std::abs(QFontDatabase::weight(strFamily, strStyle) - nWeight);
        if (nScore < nBestScore || (nScore == nBestScore && strStyle.size() < strBest.size())) {
            strBest = strStyle;
            nBestScore = nScore;
        }
    }
    return strBest;
}

QString FaceNameProblem(const QString& strFamily)
{
    QString strProblem = UnstorableTextMessage(
        QCoreApplication::translate("CLogFontDialog", "The font name"), strFamily);
    if (strProblem.isEmpty() && toCp1252(strFamily).size() >= sizeof(LOGFONT::lfFaceName)) {
        strProblem = QCoreApplication::translate(
                         "CLogFontDialog", "The font name \"%1\" is longer than the %2 "
                                           "characters a skin can store. Choose another font.")
                         .arg(strFamily)
                         .arg(sizeof(LOGFONT::lfFaceName) - 1);
    }
    return strProblem;
}

} // namespace

CLogFontDialog::CLogFontDialog(const LOGFONT& logFont, QWidget* pParent)
    : QFontDialog(pParent), m_logFont(logFont)
{
    QFont font = toQFont(logFont);
    // The dialog lists whole points; a pixel height shows as the nearest of them.
    if (font.pixelSize() > 0) {
        font.setPointSizeF(font.pixelSize() * 72.0 / LogicalDpi(pParent));
    }
    const QString strFace = toQString(GetFaceName(logFont));
    QString strFamily = InstalledFamily(strFace);
    if (strFamily.isEmpty()) {
        // The face the note is drawn with instead stands in, in the skin's weight and slant.
        strFamily = InstalledFamily(QFontInfo(font).family());
        if (!strFace.isEmpty()) {
            setWindowTitle(windowTitle() +
                           tr(" \u2013 \u201C%1\u201D is not installed").arg(strFace));
        }
    }
    if (!strFamily.isEmpty()) {
        font.setFamily(strFamily);
        font.setStyleName(NearestStyle(strFamily, font.weight(), font.italic()));
    }
    setCurrentFont(font);
    m_fontOpened = currentFont();
}

LOGFONT CLogFontDialog::GetLogFont() const
{
    if (result() != Accepted) {
        return m_logFont;
    }
    const QFont chosen = selectedFont();
    const LOGFONT lfChosen = toLogFont(chosen, m_logFont, parentWidget());
    LOGFONT logFont = m_logFont;
    if (chosen.family() != m_fontOpened.family()) {
        SetFaceName(logFont, toCp1252(FaceOf(chosen.family())));
    }
    if (chosen.pointSizeF() != m_fontOpened.pointSizeF() ||
        chosen.pixelSize() != m_fontOpened.pixelSize()) {
        logFont.lfHeight = lfChosen.lfHeight;
    }
    if (chosen.weight() != m_fontOpened.weight() || chosen.italic() != m_fontOpened.italic()) {
        logFont.lfWeight = lfChosen.lfWeight;
        logFont.lfItalic = lfChosen.lfItalic;
    }
    if (chosen.underline() != m_fontOpened.underline()) {
        logFont.lfUnderline = lfChosen.lfUnderline;
    }
    if (chosen.strikeOut() != m_fontOpened.strikeOut()) {
        logFont.lfStrikeOut = lfChosen.lfStrikeOut;
    }
    return logFont;
}

void CLogFontDialog::done(int nResult)
{
    if (nResult == Accepted) {
        const QString strFamily = currentFont().family();
        const QString strProblem =
            strFamily != m_fontOpened.family() ? FaceNameProblem(FaceOf(strFamily)) : QString();
        if (!strProblem.isEmpty()) {
            Prompts().ShowMessage(strProblem.toStdString(), PromptButtons::Ok,
                                  PromptIcon::Exclamation);
            return;
        }
    }
    QFontDialog::done(nResult);
}
