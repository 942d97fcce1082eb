#include "componentpanel.h"

#include "accessiblename.h"
#include "bitmapfile.h"
#include "controlids.h"
#include "dialogunits.h"
#include "filedialogfolder.h"
#include "promptservice.h"
#include "qtconvert.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QIntValidator>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>

namespace {

// As atoi reads: leading white space, an optional sign, then digits up to the first other
// character; no digits give 0. Values beyond an int are held at its limits.
int ToInt(const QString& strText)
{
    qsizetype i = 0;
    while (i < strText.size() && strText[i].isSpace()) {
        ++i;
    }
    bool bNegative = false;
    if (i < strText.size() && (strText[i] == u'-' || strText[i] == u'+')) {
        bNegative = strText[i] == u'-';
        ++i;
    }
    long long nValue = 0;
    constexpr long long kLimit = 1LL << 31;
    for (; i < strText.size() && strText[i] >= u'0' && strText[i] <= u'9'; ++i) {
        nValue = std::min(nValue * 10 + (strText[i].unicode() - u'0'), kLimit);
    }
    nValue = bNegative ? -nValue : std::min(nValue, kLimit - 1);
    return static_cast<int>(nValue);
}

// Left of right and top above bottom, whichever way round the numbers were typed.
RECT Normalized(const RECT& rc)
{
    const auto [nLeft, nRight] = std::minmax(rc.left, rc.right);
    const auto [nTop, nBottom] = std::minmax(rc.top, rc.bottom);
    return RECT{nLeft, nTop, nRight, nBottom};
}

} // namespace

CComponentPanel::CComponentPanel(QWidget* pParent)
    : QWidget(pParent), m_groupBitmap(tr("&Bitmap"), this),
      m_groupBox(tr("Bounding Rectangle"), this), m_labelComponent(tr("&Component:"), this),
      m_cbComponent(this), m_btnApply(tr("&Apply"), this), m_editBitmapPath(&m_groupBitmap),
      m_btnBrowse(QStringLiteral("..."), &m_groupBitmap),
      m_labelTransparency(tr("T&ransparency:"), &m_groupBitmap), m_btnTransparent(&m_groupBitmap),
      m_labelLeft(tr("(left)"), &m_groupBox), m_editLeft(&m_groupBox),
      m_labelTop(tr("(top)"), &m_groupBox), m_editTop(&m_groupBox),
      m_labelRight(tr("(right)"), &m_groupBox), m_editRight(&m_groupBox),
      m_labelBottom(tr("(bottom)"), &m_groupBox), m_editBottom(&m_groupBox),
      m_labelHint(tr("Click this button to update the preview on the right with the numbers above"),
                  &m_groupBox),
      m_btnSetBox(tr("Set Bo&x"), &m_groupBox)
{
    BuildControls();
    BuildLayout();

    // Only the user's choice in the list counts, as the list's own change notification does.
    connect(&m_cbComponent, &QComboBox::activated, this, &CComponentPanel::OnComponentActivated);
    connect(&m_btnApply, &QPushButton::clicked, this, [this] {
        if (ApplyComponent()) {
            SetComponentModified(false);
        }
    });
    connect(&m_btnBrowse, &QPushButton::clicked, this, &CComponentPanel::OnBrowseBitmap);
    connect(&m_btnSetBox, &QPushButton::clicked, this, &CComponentPanel::OnSetBox);
    connect(&m_editBitmapPath, &QLineEdit::textEdited, this,
            [this] { SetComponentModified(true); });
    connect(&m_editBitmapPath, &QLineEdit::textChanged, this, &CComponentPanel::bitmapPathChanged);
    connect(&m_editBitmapPath, &QLineEdit::editingFinished, this, &CComponentPanel::OnPathEdited);
    // A typed number waits for Apply like a browsed file: leaving it unapplied is asked about.
    for (QLineEdit* pEdit : {&m_editLeft, &m_editTop, &m_editRight, &m_editBottom}) {
        connect(pEdit, &QLineEdit::textEdited, this, [this] { SetComponentModified(true); });
    }
    connect(&m_btnTransparent, &CColourPicker::colourOk, this,
            &CComponentPanel::OnTransparentColour);
}

void CComponentPanel::BuildControls()
{
    SetId(m_cbComponent, IDC_COMPONENT);
    SetId(m_btnApply, IDC_APPLY);
    SetId(m_groupBitmap, IDC_BITMAP_GROUP);
    SetId(m_editBitmapPath, IDC_BITMAP_PATH);
    SetId(m_btnBrowse, IDC_BROWSE_BITMAP);
    SetId(m_btnTransparent, IDC_TRANSPARENT);
    m_btnTransparent.SetDlgCtrlID(IDC_TRANSPARENT);
    SetId(m_labelLeft, IDC_LABEL_LEFT);
    SetId(m_editLeft, IDC_LEFT);
    SetId(m_labelTop, IDC_LABEL_TOP);
    SetId(m_editTop, IDC_TOP);
    SetId(m_labelRight, IDC_LABEL_RIGHT);
    SetId(m_editRight, IDC_RIGHT);
    SetId(m_labelBottom, IDC_LABEL_BOTTOM);
    SetId(m_editBottom, IDC_BOTTOM);
    SetId(m_btnSetBox, IDC_SET_BOX);

    m_editBitmapPath.setValidator(&m_limitPath);
    m_editLeft.setValidator(&m_limitLeft);
    m_editTop.setValidator(&m_limitTop);
    m_editRight.setValidator(&m_limitRight);
    m_editBottom.setValidator(&m_limitBottom);

    // The skin's components in their order, named as the Issues panel and the undo names do.
    for (const ComponentTraits& traits : kComponentTraits) {
        m_cbComponent.addItem(QCoreApplication::translate("Skin", traits.pszName));
    }
    m_cbComponent.setCurrentIndex(m_nComponent);
    m_btnTransparent.SetAutoText(tr("Eyedropper Tool..."));
    m_labelHint.setWordWrap(true);
    // Room for two whole lines: the layout would otherwise squeeze the wrapped text.
    m_labelHint.setMinimumHeight(m_labelHint.fontMetrics().lineSpacing() * 2 + 4);
    m_labelComponent.setBuddy(&m_cbComponent);
    m_labelTransparency.setBuddy(&m_btnTransparent);
    NameControls();
    KeepTransparencyLabelLook();
    WriteBoxFields(RECT{});
}

void CComponentPanel::NameControls()
{
    m_cbComponent.setAccessibleName(AccessibleNameFromLabel(m_labelComponent.text()));
    m_editBitmapPath.setAccessibleName(AccessibleNameFromLabel(m_groupBitmap.title()));
    m_btnBrowse.setAccessibleName(tr("Browse for Bitmap"));
    m_btnBrowse.setToolTip(tr("Browse for Bitmap"));
    m_btnTransparent.setAccessibleName(AccessibleNameFromLabel(m_labelTransparency.text()));
    const std::pair<QLabel*, QLineEdit*> fields[] = {{&m_labelLeft, &m_editLeft},
                                                     {&m_labelTop, &m_editTop},
                                                     {&m_labelRight, &m_editRight},
                                                     {&m_labelBottom, &m_editBottom}};
    const QString names[] = {tr("Left"), tr("Top"), tr("Right"), tr("Bottom")};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        fields[i].first->setBuddy(fields[i].second);
        fields[i].second->setAccessibleName(names[i]);
        fields[i].second->setAccessibleDescription(m_groupBox.title());
    }
}

void CComponentPanel::BuildLayout()
{
    const DialogUnits du(fontMetrics());
    m_cbComponent.setMinimumWidth(du.X(119));
    m_btnApply.setMinimumWidth(du.X(45));
    m_editBitmapPath.setMinimumWidth(du.X(160));
    m_btnBrowse.setFixedWidth(du.X(19));
    for (QLineEdit* pEdit : {&m_editLeft, &m_editTop, &m_editRight, &m_editBottom}) {
        pEdit->setFixedWidth(du.X(21));
    }
    m_btnSetBox.setMinimumWidth(du.X(55));

    m_layoutComponent.addWidget(&m_labelComponent);
    m_layoutComponent.addWidget(&m_cbComponent, 1);
    m_layoutComponent.addWidget(&m_btnApply);

    m_layoutBitmap.addWidget(&m_editBitmapPath, 0, 0, 1, 3);
    m_layoutBitmap.addWidget(&m_btnBrowse, 0, 3);
    m_layoutBitmap.addWidget(&m_labelTransparency, 1, 1, Qt::AlignRight);
    m_layoutBitmap.addWidget(&m_btnTransparent, 1, 2, 1, 2);
    // The picker's width comes from the layout: it resets its own minimum on every resize.
    m_layoutBitmap.setColumnStretch(0, 1);
    m_layoutBitmap.setColumnStretch(2, 2);
    m_groupBitmap.setLayout(&m_layoutBitmap);

    int nColumn = 0;
    for (const auto& [pLabel, pEdit] :
         {std::pair{&m_labelLeft, &m_editLeft}, std::pair{&m_labelTop, &m_editTop},
          std::pair{&m_labelRight, &m_editRight}, std::pair{&m_labelBottom, &m_editBottom}}) {
        m_layoutBox.addWidget(pLabel, 0, nColumn++, Qt::AlignRight);
        m_layoutBox.addWidget(pEdit, 0, nColumn++);
    }
    m_layoutBox.addWidget(&m_labelHint, 1, 0, 1, 6);
    m_layoutBox.addWidget(&m_btnSetBox, 1, 6, 1, 2, Qt::AlignBottom);
    m_groupBox.setLayout(&m_layoutBox);

    m_layout.setContentsMargins(0, 0, 0, 0);
    m_layout.addLayout(&m_layoutComponent);
    m_layout.addWidget(&m_groupBitmap);
    m_layout.addWidget(&m_groupBox);
    setLayout(&m_layout);
}

// The "Transparency:" label names the whole group's colour and keeps its enabled look while the
// group around it is disabled.
void CComponentPanel::KeepTransparencyLabelLook()
{
    QPalette palette = m_groupBitmap.palette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText,
                     palette.color(QPalette::Active, QPalette::WindowText));
    m_labelTransparency.setPalette(palette);
}

void CComponentPanel::changeEvent(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::PaletteChange) {
        KeepTransparencyLabelLook();
    }
    QWidget::changeEvent(pEvent);
}

void CComponentPanel::SetDocument(CSkinDocument* pDocument)
{
    if (m_pDocument != nullptr) {
        m_pDocument->disconnect(this);
    }
    m_pDocument = pDocument;
    connect(m_pDocument, &CSkinDocument::changed, this, &CComponentPanel::OnDocumentChanged);
    ShowComponent();
}

void CComponentPanel::SetComponentModified(bool bModified)
{
    if (bModified != m_bComponentModified) {
        m_bComponentModified = bModified;
        emit componentModifiedChanged(bModified);
    }
}

bool CComponentPanel::ChooseComponent(int nComponent)
{
    if (nComponent == m_nComponent) {
        return true;
    }
    m_cbComponent.setCurrentIndex(nComponent);
    OnComponentActivated();
    return m_nComponent == nComponent;
}

void CComponentPanel::OnComponentActivated()
{
    if (!PromptApplyComponent()) {
        // The changes could not be applied: the list goes back to them.
        m_cbComponent.setCurrentIndex(m_nComponent);
        return;
    }
    m_nComponent = m_cbComponent.currentIndex();
    ShowComponent();
    emit componentChanged(m_nComponent);
}

void CComponentPanel::ShowComponent()
{
    const ComponentTraits* const pTraits = GetTraits();
    if (m_pDocument == nullptr || pTraits == nullptr) {
        return;
    }
    m_cbComponent.setCurrentIndex(m_nComponent);
    WriteBitmapPath(pathToQString(m_pDocument->GetImagePath(pTraits->nImagePart)));
    WriteBoxFields(m_pDocument->GetRect(pTraits->rect));
    const bool bBitmap = pTraits->nImagePart != SKINPART_NONE;
    for (QWidget* pControl : std::initializer_list<QWidget*>{&m_editBitmapPath, &m_groupBitmap,
                                                             &m_btnBrowse, &m_btnTransparent}) {
        pControl->setEnabled(bBitmap);
    }
    for (QWidget* pControl : std::initializer_list<QWidget*>{
             &m_editLeft, &m_editRight, &m_editBottom, &m_editTop, &m_labelLeft, &m_labelRight,
             &m_labelBottom, &m_labelTop}) {
        pControl->setEnabled(pTraits->bRectFieldsEditable);
    }
    ShowTransparentColour();
    SetComponentModified(false);
    UpdatePendingImage();
}

void CComponentPanel::ShowTransparentColour()
{
    // Title and Message have no transparent colour; their disabled button shows the main one.
    const SkinColour colour = GetTraits()->transparent != SkinColour::None
                                  ? GetTraits()->transparent
                                  : SkinColour::MainTransparent;
    m_btnTransparent.SetColour(m_pDocument->GetColour(colour));
}

void CComponentPanel::OnDocumentChanged(SkinChanges what)
{
    const ComponentTraits* const pTraits = GetTraits();
    if (pTraits == nullptr) {
        return;
    }
    if (what.testFlag(ChangeOf(pTraits->rect))) {
        WriteBoxFields(m_pDocument->GetRect(pTraits->rect));
    }
    if (what & (SkinChange::MainTransparent | SkinChange::CloseTransparent |
                SkinChange::CloseHoverTransparent)) {
        ShowTransparentColour();
    }
    if (what.testFlag(SkinChange::ImagePath)) {
        WriteBitmapPath(pathToQString(m_pDocument->GetImagePath(pTraits->nImagePart)));
        UpdatePendingImage();
    }
}

RECT CComponentPanel::ReadBoxFields()
{
    return Normalized(RECT{ToInt(m_editLeft.text()), ToInt(m_editTop.text()),
                           ToInt(m_editRight.text()), ToInt(m_editBottom.text())});
}

void CComponentPanel::WriteBoxFields(const RECT& rc)
{
    const std::pair<QLineEdit*, CTextLimit*> fields[] = {{&m_editLeft, &m_limitLeft},
                                                         {&m_editTop, &m_limitTop},
                                                         {&m_editRight, &m_limitRight},
                                                         {&m_editBottom, &m_limitBottom}};
    const LONG values[] = {rc.left, rc.top, rc.right, rc.bottom};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        const QString strText = QString::number(values[i]);
        fields[i].second->AllowText(strText);
        if (fields[i].first->text() != strText) {
            fields[i].first->setText(strText);
        }
    }
}

void CComponentPanel::WriteBitmapPath(const QString& strPath)
{
    m_limitPath.AllowText(strPath);
    if (m_editBitmapPath.text() != strPath) {
        m_editBitmapPath.setText(strPath);
    }
}

void CComponentPanel::TakeBitmapPath(const QString& strPath)
{
    WriteBitmapPath(strPath);
    SetComponentModified(true);
    UpdatePendingImage();
}

void CComponentPanel::OnBrowseBitmap()
{
    const std::filesystem::path currentFile =
        m_pDocument != nullptr ? m_pDocument->GetFilePath() : std::filesystem::path();
    if (const std::optional<std::filesystem::path> path =
            Prompts().ChooseBitmapFile(FileDialogFolder(currentFile), TransparentColour())) {
        RememberFileDialogFolder(*path);
        TakeBitmapPath(pathToQString(*path));
    }
}

bool CComponentPanel::CanTakeBitmap() const
{
    const ComponentTraits* const pTraits = GetTraits();
    return pTraits != nullptr && pTraits->nImagePart != SKINPART_NONE;
}

void CComponentPanel::TakeDroppedBitmap(const std::filesystem::path& path)
{
    if (CanTakeBitmap()) {
        RememberFileDialogFolder(path);
        TakeBitmapPath(pathToQString(path));
    }
}

void CComponentPanel::OnPathEdited()
{
    if (m_editBitmapPath.isModified()) {
        m_editBitmapPath.setModified(false);
        UpdatePendingImage();
    }
}

void CComponentPanel::UpdatePendingImage()
{
    const ComponentTraits* const pTraits = GetTraits();
    std::filesystem::path path = toPath(m_editBitmapPath.text());
    // An empty field keeps the document's image, as Apply does.
    if (pTraits == nullptr || pTraits->nImagePart == SKINPART_NONE || path.empty() ||
        (m_pDocument != nullptr && path == m_pDocument->GetImagePath(pTraits->nImagePart))) {
        path.clear();
    }
    if (path.empty() && m_pendingPath.empty()) {
        return;
    }
    m_pPendingImage.reset();
    m_pendingPath = path;
    if (!path.empty()) {
        m_pPendingImage = ReadBitmapFile(path, TransparentColour()).pImage;
    }
    emit pendingImageChanged();
}

// Shows the typed rectangle at once, with the picker if it was hidden; the skin keeps its own
// until Apply.
void CComponentPanel::OnSetBox()
{
    const RECT rc = ReadBoxFields();
    WriteBoxFields(rc);
    emit boxShown(rc);
}

void CComponentPanel::OnTransparentColour(COLORREF cr, int nId)
{
    if (cr == CLR_DEFAULT) {
        emit externalColourRequested(nId);
    } else if (m_pDocument != nullptr && GetTraits() != nullptr) {
        m_pDocument->SetColour(GetTraits()->transparent, cr);
    }
}

bool CComponentPanel::ApplyComponent()
{
    const ComponentTraits* const pTraits = GetTraits();
    if (m_pDocument == nullptr || pTraits == nullptr) {
        return false;
    }
    ComponentEdit edit;
    edit.imagePath = toPath(m_editBitmapPath.text());
    // An empty path keeps the image the skin has; any other is read afresh, so Apply takes in
    // what a bitmap editor changed.
    if (pTraits->nImagePart != SKINPART_NONE && !edit.imagePath.empty()) {
        edit.pImage = ReadComponentBitmap();
        if (!edit.pImage) {
            SetComponentModified(true);
            return false;
        }
    }
    const RECT rc = ReadBoxFields();
    WriteBoxFields(rc);
    if (pTraits->bRectFieldsEditable) {
        edit.rect = rc;
    }
    const bool bImageRead = edit.pImage != nullptr;
    m_pDocument->ApplyComponent(pTraits->component, std::move(edit));
    UpdatePendingImage();
    if (bImageRead) {
        emit imageTaken(pTraits->nImagePart);
    }
    return true;
}

bool CComponentPanel::HasBitmapEdit(int nPart) const
{
    const ComponentTraits* const pTraits = GetTraits();
    return m_bComponentModified && m_pDocument != nullptr && pTraits != nullptr &&
           pTraits->nImagePart == nPart &&
           toPath(m_editBitmapPath.text()) != m_pDocument->GetImagePath(nPart);
}

void CComponentPanel::DropBitmapEdit()
{
    const ComponentTraits* const pTraits = GetTraits();
    if (m_pDocument == nullptr || pTraits == nullptr) {
        return;
    }
    WriteBitmapPath(pathToQString(m_pDocument->GetImagePath(pTraits->nImagePart)));
    UpdatePendingImage();
    // Typed numbers are edits of their own and stay marked.
    const RECT rcTyped = ReadBoxFields();
    SetComponentModified(pTraits->bRectFieldsEditable &&
                         rcTyped != m_pDocument->GetRect(pTraits->rect));
}

COLORREF CComponentPanel::TransparentColour() const
{
    const ComponentTraits* const pTraits = GetTraits();
    return m_pDocument != nullptr && pTraits != nullptr
               ? m_pDocument->GetColour(pTraits->transparent)
               : 0;
}

std::unique_ptr<CDib> CComponentPanel::ReadComponentBitmap()
{
    const QString strPath = m_editBitmapPath.text();
    BitmapFile file = ReadBitmapFile(toPath(strPath), TransparentColour());
    if (file.pImage) {
        if (!file.strConvertedFrom.empty()) {
            emit imageConverted(QFileInfo(strPath).fileName(),
                                QString::fromStdString(file.strConvertedFrom));
        }
        return std::move(file.pImage);
    }
    const QString strText =
        file.bNotBitmap
            ? tr("The file \"%1\" is not an image file.\n\nSkin images are taken from BMP files, "
                 "or from PNG, GIF, JPEG and other images, which become bitmaps.")
                  .arg(strPath)
            : tr("The bitmap file \"%1\" could not be read.\n\n%2")
                  .arg(strPath, QString::fromStdString(file.strWhy));
    Prompts().ShowMessage(strText.toStdString(), PromptButtons::Ok, PromptIcon::Exclamation);
    return nullptr;
}

bool CComponentPanel::PromptApplyComponent()
{
    if (!m_bComponentModified) {
        return true;
    }
    const PromptAnswer answer =
        Prompts().ShowMessage(tr("You've changed this component.  Would you like to apply the "
                                 "changes before switching to a new component?")
                                  .toStdString(),
                              PromptButtons::YesNo, PromptIcon::Question);
    if (answer == PromptAnswer::Yes && !ApplyComponent()) {
        return false;
    }
    SetComponentModified(false);
    return true;
}

bool CComponentPanel::ConfirmApplyComponent()
{
    if (!m_bComponentModified) {
        return true;
    }
    switch (Prompts().ShowMessage(
        tr("You've changed this component.  Would you like to apply the changes first?")
            .toStdString(),
        PromptButtons::YesNoCancel, PromptIcon::Question)) {
    case PromptAnswer::Yes:
        if (!ApplyComponent()) {
            return false;
        }
        SetComponentModified(false);
        return true;
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}
