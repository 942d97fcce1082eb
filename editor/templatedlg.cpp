#include "templatedlg.h"

#include "notepicture.h"
#include "qtconvert.h"
#include "skin.h"
#include "translatedskintext.h"

#include <QPainter>
#include <QPushButton>

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDescriptionRole = Qt::UserRole + 1;

// Every thumbnail in a square of the same size, so the grid stays even whatever the note's shape.
QIcon ThumbnailIcon(const QImage& note, int nSide)
{
    QImage square(nSide, nSide, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    const QImage scaled = ScaledToLongerSide(note, nSide);
    QPainter painter(&square);
    painter.drawImage((nSide - scaled.width()) / 2, (nSide - scaled.height()) / 2, scaled);
    painter.end();
    return QIcon(QPixmap::fromImage(square));
}

} // namespace

CTemplateDlg::CTemplateDlg(const std::vector<std::filesystem::path>& templates, QWidget* pParent)
    : QDialog(pParent), m_layout(this),
      m_buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)
{
    setWindowTitle(tr("New from Template"));
    m_list.setViewMode(QListView::IconMode);
    m_list.setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    m_list.setMovement(QListView::Static);
    m_list.setResizeMode(QListView::Adjust);
    m_list.setWordWrap(true);
    m_list.setSpacing(8);
    m_list.setMinimumSize(3 * (kThumbnailSide + 24), kThumbnailSide + 72);
    m_description.setWordWrap(true);
    m_description.setTextFormat(Qt::PlainText);
    m_description.setMinimumHeight(m_description.fontMetrics().lineSpacing() * 3);
    m_description.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_list.setAccessibleName(tr("Templates"));
    m_layout.addWidget(&m_list, 1);
    m_layout.addWidget(&m_description);
    m_layout.addWidget(&m_buttons);

    for (const std::filesystem::path& path : templates) {
        AddTemplate(path);
    }
    connect(&m_list, &QListWidget::currentItemChanged, this, &CTemplateDlg::OnCurrentChanged);
    connect(&m_list, &QListWidget::itemActivated, this, [this](const QListWidgetItem* pItem) {
        if ((pItem->flags() & Qt::ItemIsEnabled) != 0) {
            accept();
        }
    });
    connect(&m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(&m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (int n = 0; n < m_list.count(); ++n) {
        if ((m_list.item(n)->flags() & Qt::ItemIsEnabled) != 0) {
            m_list.setCurrentRow(n);
            break;
        }
    }
    OnCurrentChanged();
    m_list.setFocus();
}

void CTemplateDlg::AddTemplate(const std::filesystem::path& path)
{
    auto pItem = std::make_unique<QListWidgetItem>();
    pItem->setData(kPathRole, pathToQString(path));
    pItem->setToolTip(pathToQString(path));
    CSkin skin;
    CSkinFileStatus status;
    const QString strFileName = pathToQString(path.stem());
    QImage note;
    if (skin.Load(path, &status) && skin.GetMissingPart() == SKINPART_NONE) {
        note = RenderNote(skin, std::nullopt);
    }
    if (note.isNull()) {
        pItem->setText(strFileName);
        pItem->setData(kDescriptionRole, tr("This template cannot be read: %1")
                                             .arg(status.error == CSkinFileStatus::Error::None
                                                      ? tr("it has missing parts")
                                                      : TranslatedSkinText(status.Text())));
        pItem->setFlags(pItem->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
    } else {
        const QString strTitle = toQString(skin.GetTitle());
        pItem->setText(strTitle.isEmpty() ? strFileName : strTitle);
        pItem->setIcon(ThumbnailIcon(note, kThumbnailSide));
        QStringList lines;
        if (!skin.GetAuthor().empty()) {
            lines << tr("By %1").arg(toQString(skin.GetAuthor()));
        }
        if (!skin.GetComment().empty()) {
            lines << toQString(skin.GetComment());
        }
        pItem->setData(kDescriptionRole, lines.join(QLatin1Char('\n')));
    }
    m_list.addItem(pItem.release());
}

void CTemplateDlg::OnCurrentChanged()
{
    const QListWidgetItem* const pItem = m_list.currentItem();
    m_description.setText(pItem != nullptr ? pItem->data(kDescriptionRole).toString() : QString());
    m_buttons.button(QDialogButtonBox::Ok)
        ->setEnabled(pItem != nullptr && (pItem->flags() & Qt::ItemIsEnabled) != 0);
}

std::filesystem::path CTemplateDlg::GetChosen() const
{
    const QListWidgetItem* const pItem = m_list.currentItem();
    if (result() != Accepted || pItem == nullptr || (pItem->flags() & Qt::ItemIsEnabled) == 0) {
        return {};
    }
    return toPath(pItem->data(kPathRole).toString());
}
