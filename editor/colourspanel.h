#pragma once

#include "colourpicker.h"
#include "skindocument.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

// "Colors and Fonts": the text and background colours of title and message and their fonts.
// Each choice goes into the document as one step; the pickers show what the document holds.
class CColoursPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit CColoursPanel(QWidget* pParent = nullptr);

    void SetDocument(CSkinDocument* pDocument);

    // The colour that picker nId stands for; SkinColour::None for any other id.
    static SkinColour ColourOfPicker(int nId);

signals:
    // The automatic entry of a palette was chosen.
    void externalColourRequested(int nPickerId);

private:
    void OnColourOk(COLORREF cr, int nId);
    void ChooseFont(SkinFont font);
    void ShowColours();

    QPointer<CSkinDocument> m_pDocument;

    QLabel m_labelMessageText;
    CColourPicker m_btnMessageText;
    QLabel m_labelMessageBack;
    CColourPicker m_btnMessageBack;
    QLabel m_labelTitleText;
    CColourPicker m_btnTitleText;
    QLabel m_labelTitleBack;
    CColourPicker m_btnTitleBack;
    QPushButton m_btnMessageFont;
    QPushButton m_btnTitleFont;

    QGridLayout m_layout;
    QHBoxLayout m_layoutFonts;
};
