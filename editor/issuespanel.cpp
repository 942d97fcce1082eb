#include "issuespanel.h"

#include "controlids.h"
#include "dialogunits.h"
#include "issuetext.h"

#include <QStyle>

#include <algorithm>

namespace {

constexpr int kIssueRole = Qt::UserRole; // the index into the issues; absent for "no issues"

} // namespace

CIssuesPanel::CIssuesPanel(QWidget* pParent)
    : QWidget(pParent), m_layout(this), m_labelTitle(this), m_list(this)
{
    SetId(m_list, IDC_ISSUES);
    m_labelTitle.setBuddy(&m_list);
    m_list.setAccessibleName(tr("Issues"));
    m_list.setUniformItemSizes(true);
    m_list.setWordWrap(false);
    m_list.setTextElideMode(Qt::ElideRight);
    const int nIcon = m_list.fontMetrics().height();
    m_list.setIconSize(QSize(nIcon, nIcon));
    // About four lines: enough to see that there is more without taking the image's place.
    m_list.setFixedHeight(m_list.fontMetrics().lineSpacing() * 4 + 2 * m_list.frameWidth() + 8);
    m_layout.setContentsMargins(0, 0, 0, 0);
    m_layout.addWidget(&m_labelTitle);
    m_layout.addWidget(&m_list);
    connect(&m_list, &QListWidget::itemClicked, this, &CIssuesPanel::OnItemChosen);
    connect(&m_list, &QListWidget::itemActivated, this, &CIssuesPanel::OnItemChosen);
    SetIssues({});
}

void CIssuesPanel::SetIssues(std::vector<SkinIssue> issues)
{
    if (issues == m_issues && m_list.count() > 0) {
        return; // the list keeps its selection and scroll place while nothing changes
    }
    m_issues = std::move(issues);
    m_list.clear();
    const std::size_t nErrors = static_cast<std::size_t>(
        std::count_if(m_issues.begin(), m_issues.end(), [](const SkinIssue& issue) {
            return issue.severity == IssueSeverity::Error;
        }));
    m_labelTitle.setText(
        m_issues.empty()
            ? tr("&Issues")
            : tr("&Issues (%1 errors, %2 warnings)").arg(nErrors).arg(m_issues.size() - nErrors));
    if (m_issues.empty()) {
        auto* const pItem = new QListWidgetItem(tr("No issues found"), &m_list);
        pItem->setFlags(Qt::NoItemFlags);
        return;
    }
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (std::size_t n = 0; n < m_issues.size(); ++n) {
        const SkinIssue& issue = m_issues[n];
        const QString strText =
            QStringLiteral("%1: %2").arg(IssueAreaText(issue), IssueText(issue));
        auto* const pItem = new QListWidgetItem(
            issue.severity == IssueSeverity::Error ? error : warning, strText, &m_list);
        pItem->setToolTip(QStringLiteral("%1 (%2)").arg(strText.toHtmlEscaped(),
                                                        QString::fromStdString(issue.strRule)));
        pItem->setData(kIssueRole, static_cast<int>(n));
    }
}

void CIssuesPanel::OnItemChosen(const QListWidgetItem* pItem)
{
    bool bOk = false;
    const int nIndex = pItem != nullptr ? pItem->data(kIssueRole).toInt(&bOk) : -1;
    if (bOk && nIndex >= 0 && static_cast<std::size_t>(nIndex) < m_issues.size()) {
        // A copy: the handler may change the skin, and with it this list.
        const SkinIssue issue = m_issues[static_cast<std::size_t>(nIndex)];
        emit issueChosen(issue);
    }
}
