#include "bmpdialog.h"

#include "skinimagefile.h"

#include <QShowEvent>

bool CBmpDialog::s_bShowPreview = true;

CBmpDialog::CBmpDialog(QWidget* pParent)
    : QFileDialog(pParent), m_labelPreview(tr("Preview"), &m_pane), m_boxPreview(&m_pane),
      m_lineWidth(&m_pane), m_lineHeight(&m_pane), m_lineColours(&m_pane), m_lineSize(&m_pane),
      m_lineConversion(&m_pane), m_checkShowPreview(tr("Show Preview"), &m_pane)
{
    // Qt's own dialog, so the pane can join its layout.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    // "*" rather than "*.*": names without a dot are files too.
    const QString strImages =
        (QStringList{QStringLiteral("*.bmp")} + ConvertibleImagePatterns()).join(QLatin1Char(' '));
    setNameFilters({tr("Images (%1)").arg(strImages), tr("Bitmaps (*.bmp)"), tr("All Files (*)")});
    BuildPane();
    connect(this, &QFileDialog::currentChanged, this, &CBmpDialog::OnSelChange);
    connect(&m_checkShowPreview, &QCheckBox::clicked, this, &CBmpDialog::OnShowPreviewClicked);
    connect(&m_loader, &CBmpPreviewLoader::loaded, this, &CBmpDialog::OnPreviewLoaded);
}

CBmpDialog::~CBmpDialog()
{
    m_loader.disconnect(this);
}

void CBmpDialog::BuildPane()
{
    m_boxPreview.setObjectName(QString::number(IDC_PREVIEW));
    m_lineWidth.setObjectName(QString::number(IDC_WIDTH));
    m_lineHeight.setObjectName(QString::number(IDC_HEIGHT));
    m_lineColours.setObjectName(QString::number(IDC_COLOURS));
    m_lineSize.setObjectName(QString::number(IDC_SIZE));
    m_lineConversion.setObjectName(QString::number(IDC_CONVERSION));
    m_checkShowPreview.setObjectName(QString::number(IDC_SHOW_PREVIEW));
    m_boxPreview.setFixedSize(135, 125);

    QGridLayout* const pLayout = &m_layoutPane;
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(&m_labelPreview, 0, 0);
    pLayout->addWidget(&m_boxPreview, 1, 0, 7, 1);
    pLayout->addWidget(&m_checkShowPreview, 1, 1);
    pLayout->addWidget(&m_lineWidth, 2, 1);
    pLayout->addWidget(&m_lineHeight, 3, 1);
    pLayout->addWidget(&m_lineColours, 4, 1);
    pLayout->addWidget(&m_lineSize, 5, 1);
    pLayout->addWidget(&m_lineConversion, 6, 1);
    pLayout->setRowStretch(7, 1);
    pLayout->setColumnStretch(1, 1);
    pLayout->setColumnMinimumWidth(1, 180);

    if (auto* const pGrid = qobject_cast<QGridLayout*>(layout())) {
        pGrid->addWidget(&m_pane, pGrid->rowCount(), 0, 1, pGrid->columnCount());
    } else if (layout() != nullptr) {
        layout()->addWidget(&m_pane);
    }
}

QString CBmpDialog::GetPathName() const
{
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

void CBmpDialog::showEvent(QShowEvent* pEvent)
{
    if (!pEvent->spontaneous()) {
        ReleasePreview();
        SetFactLines(nullptr);
        m_checkShowPreview.setChecked(s_bShowPreview);
    }
    QFileDialog::showEvent(pEvent);
}

void CBmpDialog::accept()
{
    ReleasePreview();
    QFileDialog::accept();
}

void CBmpDialog::OnSelChange(const QString& strPath)
{
    m_strSelection = strPath;
    if (m_checkShowPreview.isChecked()) {
        ShowSelection();
    } else {
        ReleasePreview();
    }
}

void CBmpDialog::OnShowPreviewClicked(bool bChecked)
{
    s_bShowPreview = bChecked;
    if (bChecked) {
        ShowSelection();
    } else {
        ReleasePreview();
        SetFactLines(nullptr);
    }
}

// The facts of the previous selection go at once; the new ones follow when the picture is read.
void CBmpDialog::ShowSelection()
{
    ReleasePreview();
    SetFactLines(nullptr);
    if (!m_strSelection.isEmpty()) {
        m_loader.Request(m_strSelection);
    }
}

void CBmpDialog::ReleasePreview()
{
    m_loader.Cancel();
    m_boxPreview.SetBitmap(QImage());
    m_boxPreview.SetNote(QString());
}

void CBmpDialog::WaitForPreview()
{
    m_loader.WaitForNewest();
}

void CBmpDialog::SetTransparentColour(COLORREF crTransparent)
{
    m_loader.SetTransparentColour(crTransparent);
}

void CBmpDialog::OnPreviewLoaded(const BmpPreview& preview)
{
    m_boxPreview.SetBitmap(preview.image);
    m_boxPreview.SetNote(preview.strNote);
    SetFactLines(preview.image.isNull() ? nullptr : &preview);
}

void CBmpDialog::SetFactLines(const BmpPreview* pPreview)
{
    if (pPreview == nullptr) {
        m_lineWidth.clear();
        m_lineHeight.clear();
        m_lineColours.clear();
        m_lineSize.clear();
        m_lineConversion.clear();
        return;
    }
    m_lineWidth.setText(WidthLine(*pPreview));
    m_lineHeight.setText(HeightLine(*pPreview));
    m_lineColours.setText(ColoursLine(pPreview->nBitCount));
    m_lineSize.setText(SizeLine(pPreview->nFileSize));
    m_lineConversion.setText(ConversionLine(*pPreview));
}
