#include "imageviewpanel.h"

#include "controlids.h"
#include "dialogunits.h"
#include "qtconvert.h"

#include <QIcon>

namespace {

const char* const kTitleSample = QT_TRANSLATE_NOOP("CImageViewPanel", "The Note's Title");
const char* const kMessageSample = QT_TRANSLATE_NOOP(
    "CImageViewPanel",
    "The note's message will be placed here in the skin.  Click and drag with the rectangle "
    "picker on to place a new rectangle or click inside the rectangle and drag to move the "
    "current rectangle.");

constexpr SkinChanges kImageChanges =
    SkinChange::MainImage | SkinChange::CloseImage | SkinChange::CloseHoverImage;
constexpr SkinChanges kOverlayChanges = SkinChange::CloseImage | SkinChange::CloseHoverImage |
                                        SkinChange::CloseTransparent |
                                        SkinChange::CloseHoverTransparent;

} // namespace

CImageViewPanel::CImageViewPanel(QWidget* pParent)
    : QWidget(pParent), m_labelImageView(tr("Image View"), this), m_wndViewLine(this),
      m_btnPicker(this), m_wndViewFrame(this), m_wndImageView(this)
{
    SetId(m_btnPicker, IDC_PICKER);
    SetId(m_wndViewLine, IDC_VIEW_LINE);
    SetId(m_wndViewFrame, IDC_VIEW_FRAME);
    SetId(m_wndImageView, CSkinImageView::VIEW_ID);

    m_btnPicker.setCheckable(true);
    m_btnPicker.setIcon(QIcon(QStringLiteral(":/icons/picker.png")));
    m_btnPicker.setToolTip(tr("Show the rectangle picker on the image"));
    m_btnPicker.setAccessibleName(tr("Show Rectangle Picker"));
    m_wndImageView.setAccessibleName(tr("Image view"));
    m_btnPicker.setAutoDefault(false);
    m_wndViewLine.setFrameShape(QFrame::HLine);
    m_wndViewLine.setFrameShadow(QFrame::Sunken);
    m_wndViewFrame.setFrameShape(QFrame::Panel);
    m_wndViewFrame.setFrameShadow(QFrame::Sunken);

    const DialogUnits du(fontMetrics());
    m_btnPicker.setFixedSize(du.X(18), du.Y(14));
    m_btnPicker.setIconSize(QSize(16, 16));
    m_wndImageView.setMinimumSize(du.X(60), du.Y(60));
    SetId(m_labelMessage, IDC_STATUS_MESSAGE);
    m_labelMessage.setTextFormat(Qt::PlainText);
    m_labelMessage.hide();

    // The picker button sits left of the view, under the "Image View" label; the etched line
    // runs from the label to the right edge.
    m_layout.setContentsMargins(0, 0, 0, 0);
    m_layout.addWidget(&m_labelImageView, 0, 0, 1, 2);
    m_layout.addWidget(&m_wndViewLine, 0, 2);
    m_layout.addWidget(&m_btnPicker, 1, 0, Qt::AlignTop);
    m_layout.addWidget(&m_wndViewFrame, 1, 1, 1, 2);
    m_layout.addWidget(&m_wndImageView, 1, 1, 1, 2);
    m_layoutStatus.setContentsMargins(0, 0, 0, 0);
    m_layoutStatus.addWidget(&m_labelCursor, 1);
    m_layoutStatus.addWidget(&m_labelRect, 2);
    m_layoutStatus.addWidget(&m_labelMessage, 1);
    m_layoutStatus.addWidget(&m_labelZoom);
    m_layout.addLayout(&m_layoutStatus, 2, 1, 1, 2);
    m_layout.setColumnStretch(2, 1);
    m_layout.setRowStretch(1, 1);
    setLayout(&m_layout);
    // The view took the placeholder's place in the layout.
    m_wndViewFrame.hide();

    connect(&m_btnPicker, &QPushButton::clicked, this,
            [this] { m_wndImageView.HidePicker(!m_btnPicker.isChecked()); });
    connect(&m_wndImageView, &CSkinImageView::pickRectChanged, this,
            &CImageViewPanel::OnPickRectChanged);
    connect(&m_wndImageView, &CSkinImageView::pickRectNudged, this,
            &CImageViewPanel::OnPickRectNudged);
    connect(&m_wndImageView, &CSkinImageView::cursorMoved, this, &CImageViewPanel::ShowCursor);
    connect(&m_wndImageView, &CSkinImageView::trackedRectChanged, this,
            [this](const RECT& rc) { ShowRect(&rc); });
    connect(&m_wndImageView, &CSkinImageView::zoomChanged, this, &CImageViewPanel::ShowZoom);
    ShowZoom(m_wndImageView.GetZoom());
}

CImageViewPanel::~CImageViewPanel()
{
    // The view keeps pointers into images that others own and may release first.
    m_wndImageView.ClearImage();
}

void CImageViewPanel::SetDocument(CSkinDocument* pDocument)
{
    if (m_pDocument != nullptr) {
        m_pDocument->disconnect(this);
    }
    m_pDocument = pDocument;
    connect(m_pDocument, &CSkinDocument::changed, this, &CImageViewPanel::OnDocumentChanged);
    ShowMessage({});
    ShowImages();
    ShowSamples(SkinChange::All);
    PlacePicker();
}

void CImageViewPanel::SetComponent(int nComponent, const CDib* pPending, bool bPending)
{
    const bool bWasPendingMain = IsPendingMain();
    const bool bImagesChange = bPending != m_bPending || pPending != m_pPending;
    if (nComponent != m_nComponent) {
        ShowMessage({});
    }
    m_nComponent = nComponent;
    m_pPending = pPending;
    m_bPending = bPending;
    if (bImagesChange || bWasPendingMain != IsPendingMain()) {
        ShowImages();
    }
    PlacePicker();
}

void CImageViewPanel::ShowTypedRect(const RECT& rc)
{
    m_wndImageView.SetPickerRect(rc.left, rc.top, rc.right, rc.bottom);
    if (m_btnPicker.isEnabled()) {
        m_btnPicker.setChecked(true);
        UpdatePickerButton();
    }
    m_wndImageView.update();
}

void CImageViewPanel::OnPickRectChanged(const RECT& rect)
{
    const ComponentTraits* const pTraits = TraitsOf(m_nComponent);
    if (m_pDocument != nullptr && pTraits != nullptr) {
        m_pDocument->SetRect(pTraits->rect, rect);
    }
}

// A burst of arrow keys is one step: the document merges them.
void CImageViewPanel::OnPickRectNudged(const RECT& rect)
{
    const ComponentTraits* const pTraits = TraitsOf(m_nComponent);
    if (m_pDocument != nullptr && pTraits != nullptr) {
        m_pDocument->NudgeRect(pTraits->rect, rect);
    }
}

void CImageViewPanel::ShowCursor(std::optional<QPoint> pixel)
{
    m_labelCursor.setText(pixel ? QStringLiteral("%1, %2").arg(pixel->x()).arg(pixel->y())
                                : QString());
}

void CImageViewPanel::SetComponentName(const QString& strName)
{
    m_strComponentName = strName;
    DescribeView();
}

// What a screen reader says of the view besides its name.
void CImageViewPanel::DescribeView()
{
    const ComponentTraits* const pTraits = TraitsOf(m_nComponent);
    if (pTraits == nullptr || pTraits->rect == SkinRect::None || m_pDocument == nullptr) {
        m_wndImageView.DescribeShownPart(m_strComponentName, std::nullopt);
        return;
    }
    m_wndImageView.DescribeShownPart(m_strComponentName, m_pDocument->GetRect(pTraits->rect));
}

void CImageViewPanel::ShowRect(const RECT* pRect)
{
    if (pRect == nullptr) {
        m_labelRect.clear();
        return;
    }
    const RECT& rc = *pRect;
    m_labelRect.setText(tr("%1, %2, %3, %4 (%5 \u00d7 %6)")
                            .arg(rc.left)
                            .arg(rc.top)
                            .arg(rc.right)
                            .arg(rc.bottom)
                            .arg(rc.right - rc.left)
                            .arg(rc.bottom - rc.top));
}

void CImageViewPanel::ShowMessage(const QString& strText)
{
    // A message takes what the pointer's place and the rectangle leave.
    const bool bShown = !strText.isEmpty();
    m_layoutStatus.setStretchFactor(&m_labelCursor, bShown ? 0 : 1);
    m_layoutStatus.setStretchFactor(&m_labelRect, bShown ? 0 : 2);
    m_labelMessage.setVisible(bShown);
    m_labelMessage.setText(strText);
    // The line may end it with an ellipsis; the tip shows it whole, escaped so a file name is
    // never taken for markup.
    m_labelMessage.setToolTip(
        strText.isEmpty() ? QString() : QStringLiteral("<p>%1</p>").arg(strText.toHtmlEscaped()));
}

void CImageViewPanel::ShowZoom(double dZoom)
{
    m_labelZoom.setText(QStringLiteral("%1%").arg(dZoom * 100, 0, 'g', 4));
}

void CImageViewPanel::OnDocumentChanged(SkinChanges what)
{
    const CSkin& skin = m_pDocument->GetSkin();
    if (what & kImageChanges) {
        if (what.testFlag(SkinChange::MainImage) || m_bPending) {
            ShowImages();
        } else {
            ShowOverlays();
        }
    } else if (what & kOverlayChanges) {
        ShowOverlays();
    }
    if (what.testFlag(SkinChange::MainTransparent) && !(what & kImageChanges)) {
        m_wndImageView.SetImageTransparent(skin.m_crMainTransparent);
    }
    if (what.testFlag(SkinChange::CloseRect) && !(what & kOverlayChanges)) {
        for (std::size_t i = 0; i < m_wndImageView.GetOverlayCount(); ++i) {
            m_wndImageView.SetOverlayRect(i, skin.m_rcCloseButton);
        }
    }
    ShowSamples(what);
    const ComponentTraits* const pTraits = TraitsOf(m_nComponent);
    if (pTraits != nullptr && what.testFlag(ChangeOf(pTraits->rect))) {
        PlacePicker();
    }
}

bool CImageViewPanel::IsPendingMain() const
{
    const ComponentTraits* const pTraits = TraitsOf(m_nComponent);
    return m_bPending && pTraits != nullptr && pTraits->nImagePart == SKINPART_MAIN_IMAGE;
}

void CImageViewPanel::ShowImages()
{
    if (m_pDocument == nullptr) {
        m_wndImageView.ClearImage();
        return;
    }
    const CSkin& skin = m_pDocument->GetSkin();
    if (m_bPending && m_pPending == nullptr) {
        m_wndImageView.ClearImage();
        return;
    }
    m_wndImageView.SetImage(IsPendingMain() ? m_pPending : skin.GetMainImage(),
                            skin.m_crMainTransparent);
    ShowOverlays();
}

void CImageViewPanel::ShowOverlays()
{
    const CSkin& skin = m_pDocument->GetSkin();
    m_overlays.clear();
    if (m_bPending) {
        const ComponentTraits* const pTraits = TraitsOf(m_nComponent);
        if (m_pPending != nullptr && pTraits != nullptr && !IsPendingMain()) {
            m_overlays.push_back({m_pPending, pTraits->transparent});
        }
    } else {
        // Without a main image both close images show; with one, only the mouse-over image
        // shows over it.
        if (skin.GetMainImage() == nullptr && skin.GetCloseImage() != nullptr) {
            m_overlays.push_back({skin.GetCloseImage(), SkinColour::CloseTransparent});
        }
        if (skin.GetCloseHoverImage() != nullptr) {
            m_overlays.push_back({skin.GetCloseHoverImage(), SkinColour::CloseHoverTransparent});
        }
    }
    m_wndImageView.ClearOverlays();
    const RECT& rc = skin.m_rcCloseButton;
    for (const Overlay& overlay : m_overlays) {
        m_wndImageView.AddOverlay(overlay.pImage, rc.left, rc.top, rc.right, rc.bottom,
                                  m_pDocument->GetColour(overlay.transparent));
    }
}

void CImageViewPanel::ShowSamples(SkinChanges what)
{
    const CSkin& skin = m_pDocument->GetSkin();
    if (what & (SkinChange::TitleRect | SkinChange::TitleFont | SkinChange::TitleText)) {
        const LOGFONT lf = m_pDocument->GetFont(SkinFont::Title);
        const RECT& rc = skin.m_rcTitle;
        m_wndImageView.SetTitleSample(toCp1252(tr(kTitleSample)), rc.left, rc.top, rc.right,
                                      rc.bottom, &lf, skin.m_crTitleText);
    }
    if (what & (SkinChange::MessageRect | SkinChange::MessageFont | SkinChange::MessageText)) {
        const LOGFONT lf = m_pDocument->GetFont(SkinFont::Message);
        const RECT& rc = skin.m_rcMessage;
        m_wndImageView.SetMessageSample(toCp1252(tr(kMessageSample)), rc.left, rc.top, rc.right,
                                        rc.bottom, &lf, skin.m_crMessageText);
    }
    if (what.testFlag(SkinChange::MessageBack)) {
        m_wndImageView.SetMessageBackColour(skin.m_crMessageBack);
    }
}

void CImageViewPanel::PlacePicker()
{
    const ComponentTraits* const pTraits = TraitsOf(m_nComponent);
    const bool bPicker = pTraits != nullptr && pTraits->rect != SkinRect::None;
    m_wndImageView.SetPickerMode(bPicker ? 1 : 0);
    if (bPicker && m_pDocument != nullptr) {
        const RECT rc = m_pDocument->GetRect(pTraits->rect);
        m_wndImageView.SetPickerRect(rc.left, rc.top, rc.right, rc.bottom);
        ShowRect(&rc);
    } else {
        ShowRect(nullptr);
    }
    UpdatePickerButton();
    DescribeView();
}

void CImageViewPanel::ShowPicker()
{
    if (m_btnPicker.isEnabled()) {
        m_btnPicker.setChecked(true);
        UpdatePickerButton();
    }
}

void CImageViewPanel::UpdatePickerButton()
{
    const ComponentTraits* const pTraits = TraitsOf(m_nComponent);
    const bool bPicker = pTraits != nullptr && pTraits->rect != SkinRect::None;
    m_btnPicker.setEnabled(bPicker);
    m_wndImageView.HidePicker(!bPicker || !m_btnPicker.isChecked());
}
