#include "colourspanel.h"

#include "accessiblename.h"
#include "controlids.h"
#include "dialogunits.h"
#include "promptservice.h"

#include <optional>
#include <utility>

namespace {

constexpr std::pair<int, SkinColour> kPickerColours[] = {
    {IDC_MESSAGE_TEXT, SkinColour::MessageText},
    {IDC_MESSAGE_BACK, SkinColour::MessageBack},
    {IDC_TITLE_TEXT, SkinColour::TitleText},
    {IDC_TITLE_BACK, SkinColour::TitleBack},
};

} // namespace

CColoursPanel::CColoursPanel(QWidget* pParent)
    : QGroupBox(tr("Colors and Fonts"), pParent),
      m_labelMessageText(tr("&Message Foreground:"), this), m_btnMessageText(this),
      m_labelMessageBack(tr("Message Back&ground:"), this), m_btnMessageBack(this),
      m_labelTitleText(tr("Title F&oreground:"), this), m_btnTitleText(this),
      m_labelTitleBack(tr("Title Bac&kground:"), this), m_btnTitleBack(this),
      m_btnMessageFont(tr("Message Fo&nt..."), this), m_btnTitleFont(tr("Tit&le Font..."), this)
{
    const DialogUnits du(fontMetrics());
    const std::pair<QLabel*, CColourPicker*> rows[] = {{&m_labelMessageText, &m_btnMessageText},
                                                       {&m_labelMessageBack, &m_btnMessageBack},
                                                       {&m_labelTitleText, &m_btnTitleText},
                                                       {&m_labelTitleBack, &m_btnTitleBack}};
    int nRow = 0;
    for (const auto& [pLabel, pPicker] : rows) {
        const int nId = kPickerColours[nRow].first;
        SetId(*pPicker, nId);
        pPicker->SetDlgCtrlID(nId);
        pPicker->SetAutoText(tr("Eyedropper Tool..."));
        pLabel->setBuddy(pPicker);
        pPicker->setAccessibleName(AccessibleNameFromLabel(pLabel->text()));
        pPicker->setMinimumWidth(du.X(110));
        connect(pPicker, &CColourPicker::colourOk, this, &CColoursPanel::OnColourOk);
        m_layout.addWidget(pLabel, nRow, 0, Qt::AlignRight);
        m_layout.addWidget(pPicker, nRow++, 1);
    }
    SetId(m_btnMessageFont, IDC_MESSAGE_FONT);
    SetId(m_btnTitleFont, IDC_TITLE_FONT);
    m_btnMessageFont.setMinimumWidth(du.X(61));
    m_btnTitleFont.setMinimumWidth(du.X(61));
    connect(&m_btnMessageFont, &QPushButton::clicked, this,
            [this] { ChooseFont(SkinFont::Message); });
    connect(&m_btnTitleFont, &QPushButton::clicked, this, [this] { ChooseFont(SkinFont::Title); });

    m_layoutFonts.addStretch(1);
    m_layoutFonts.addWidget(&m_btnMessageFont);
    m_layoutFonts.addWidget(&m_btnTitleFont);
    m_layout.addLayout(&m_layoutFonts, nRow, 0, 1, 2);
    m_layout.setColumnStretch(1, 1);
    setLayout(&m_layout);
}

SkinColour CColoursPanel::ColourOfPicker(int nId)
{
    for (const auto& [nPickerId, colour] : kPickerColours) {
        if (nPickerId == nId) {
            return colour;
        }
    }
    return SkinColour::None;
}

void CColoursPanel::SetDocument(CSkinDocument* pDocument)
{
    if (m_pDocument != nullptr) {
        m_pDocument->disconnect(this);
    }
    m_pDocument = pDocument;
    connect(m_pDocument, &CSkinDocument::changed, this, [this](SkinChanges what) {
        if (what & (SkinChange::MessageText | SkinChange::MessageBack | SkinChange::TitleText |
                    SkinChange::TitleBack)) {
            ShowColours();
        }
    });
    ShowColours();
}

void CColoursPanel::ShowColours()
{
    for (CColourPicker* pPicker :
         {&m_btnMessageText, &m_btnMessageBack, &m_btnTitleText, &m_btnTitleBack}) {
        pPicker->SetColour(m_pDocument->GetColour(ColourOfPicker(pPicker->GetDlgCtrlID())));
    }
}

void CColoursPanel::OnColourOk(COLORREF cr, int nId)
{
    if (cr == CLR_DEFAULT) {
        emit externalColourRequested(nId);
    } else if (m_pDocument != nullptr) {
        m_pDocument->SetColour(ColourOfPicker(nId), cr);
    }
}

// Only the font is taken: text colours come from the colour pickers alone.
void CColoursPanel::ChooseFont(SkinFont font)
{
    if (m_pDocument == nullptr) {
        return;
    }
    if (const std::optional<LOGFONT> chosen = Prompts().ChooseFont(m_pDocument->GetFont(font))) {
        m_pDocument->SetFont(font, *chosen);
    }
}
