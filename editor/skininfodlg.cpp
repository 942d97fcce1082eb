#include "skininfodlg.h"

#include "promptservice.h"
#include "qtconvert.h"
#include "storabletext.h"

#include <QShowEvent>

#include <limits>
#include <utility>

namespace {

void Exchange(QLineEdit& edit, std::string& strValue, bool bSaveAndValidate)
{
    if (bSaveAndValidate) {
        strValue = toCp1252(edit.text());
    } else {
        edit.setText(toQString(strValue));
        edit.setCursorPosition(0); // show a long text from its start
    }
}

} // namespace

CSkinInfoDlg::CSkinInfoDlg(QWidget* pParent)
    : QDialog(pParent), m_editTitle(this), m_editAuthor(this), m_editDate(this),
      m_editComment(this), m_btnOk(tr("OK"), this), m_btnCancel(tr("Cancel"), this),
      m_labelTitle(tr("&Title:"), this), m_labelAuthor(tr("&Author:"), this),
      m_labelDate(tr("&Date:"), this), m_labelComment(tr("&Comment:"), this)
{
    setWindowTitle(tr("Skin Information"));
    m_btnOk.setObjectName(QStringLiteral("1"));
    m_btnCancel.setObjectName(QStringLiteral("2"));
    m_btnOk.setDefault(true);
    m_editTitle.setObjectName(QString::number(IDC_SKIN_TITLE));
    m_editAuthor.setObjectName(QString::number(IDC_SKIN_AUTHOR));
    m_editDate.setObjectName(QString::number(IDC_SKIN_DATE));
    m_editComment.setObjectName(QString::number(IDC_SKIN_COMMENT));

    // One grid: labels, edits, and the buttons in a column of their own at the right.
    const std::pair<QLabel*, QLineEdit*> rows[] = {{&m_labelTitle, &m_editTitle},
                                                   {&m_labelAuthor, &m_editAuthor},
                                                   {&m_labelDate, &m_editDate},
                                                   {&m_labelComment, &m_editComment}};
    int nRow = 0;
    for (const auto& [pLabel, pEdit] : rows) {
        pEdit->setMinimumWidth(150);
        // A skin's texts have no length limit; QLineEdit's default one would cut them.
        pEdit->setMaxLength(std::numeric_limits<int>::max());
        pLabel->setBuddy(pEdit); // the label's mnemonic, and the edit's accessible name
        m_layout.addWidget(pLabel, nRow, 0, Qt::AlignRight);
        m_layout.addWidget(pEdit, nRow, 1);
        ++nRow;
    }
    m_layout.addWidget(&m_btnOk, 0, 2);
    m_layout.addWidget(&m_btnCancel, 1, 2);
    m_layout.setColumnStretch(1, 1);
    m_layout.setHorizontalSpacing(10);
    m_layout.setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(&m_editTitle, &m_editAuthor);
    setTabOrder(&m_editAuthor, &m_editDate);
    setTabOrder(&m_editDate, &m_editComment);
    setTabOrder(&m_editComment, &m_btnOk);
    setTabOrder(&m_btnOk, &m_btnCancel);

    connect(&m_btnOk, &QPushButton::clicked, this, &CSkinInfoDlg::accept);
    connect(&m_btnCancel, &QPushButton::clicked, this, &CSkinInfoDlg::reject);
}

void CSkinInfoDlg::DoDataExchange(bool bSaveAndValidate)
{
    Exchange(m_editAuthor, m_strAuthor, bSaveAndValidate);
    Exchange(m_editComment, m_strComment, bSaveAndValidate);
    Exchange(m_editDate, m_strDate, bSaveAndValidate);
    Exchange(m_editTitle, m_strTitle, bSaveAndValidate);
}

void CSkinInfoDlg::showEvent(QShowEvent* pEvent)
{
    if (!pEvent->spontaneous()) {
        DoDataExchange(false);
        m_editTitle.setFocus();
    }
    QDialog::showEvent(pEvent);
}

// A text a skin cannot store keeps the dialog open on it, named, rather than saving '?'s.
void CSkinInfoDlg::accept()
{
    const std::pair<QString, QLineEdit*> fields[] = {{tr("The title"), &m_editTitle},
                                                     {tr("The author"), &m_editAuthor},
                                                     {tr("The date"), &m_editDate},
                                                     {tr("The comment"), &m_editComment}};
    for (const auto& [strField, pEdit] : fields) {
        const QString strProblem = UnstorableTextMessage(strField, pEdit->text());
        if (!strProblem.isEmpty()) {
            Prompts().ShowMessage(strProblem.toStdString(), PromptButtons::Ok,
                                  PromptIcon::Exclamation);
            pEdit->setFocus();
            return;
        }
    }
    DoDataExchange(true);
    QDialog::accept();
}
