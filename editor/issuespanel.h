#pragma once

#include "skincheck.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <QWidget>

#include <vector>

// "Issues": what the skin checker finds in the skin, one line each with its severity, kept up to
// date by the window. Choosing a line asks the window to show what it is about.
class CIssuesPanel : public QWidget
{
    Q_OBJECT

public:
    explicit CIssuesPanel(QWidget* pParent = nullptr);

    void SetIssues(std::vector<SkinIssue> issues);
    const std::vector<SkinIssue>& GetIssues() const { return m_issues; }

signals:
    void issueChosen(const SkinIssue& issue);

private:
    void OnItemChosen(const QListWidgetItem* pItem);

    std::vector<SkinIssue> m_issues;
    QVBoxLayout m_layout;
    QLabel m_labelTitle;
    QListWidget m_list;
};
