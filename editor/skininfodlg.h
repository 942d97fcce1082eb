#pragma once

#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

// "Skin Information": edits the four information texts of a skin. The caller fills the members
// before running the dialog and reads them back after it was accepted; the edits are filled
// whenever the dialog is shown, and only OK writes them back. Texts are kept as the skin keeps
// them, in Windows-1252; no length limit, no format. OK refuses, with a message, a text holding
// characters Windows-1252 has not. It opens with the cursor in the title.
class CSkinInfoDlg : public QDialog
{
    Q_OBJECT

public:
    enum ControlId
    {
        IDC_SKIN_TITLE = 1037,
        IDC_SKIN_AUTHOR = 1038,
        IDC_SKIN_DATE = 1039,
        IDC_SKIN_COMMENT = 1040,
    };

    explicit CSkinInfoDlg(QWidget* pParent = nullptr);

    std::string m_strAuthor;
    std::string m_strComment;
    std::string m_strDate;
    std::string m_strTitle;

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    void DoDataExchange(bool bSaveAndValidate);

    // Declared in tab order: the edits from top to bottom, then OK and Cancel.
    QLineEdit m_editTitle;
    QLineEdit m_editAuthor;
    QLineEdit m_editDate;
    QLineEdit m_editComment;
    QPushButton m_btnOk;
    QPushButton m_btnCancel;
    QLabel m_labelTitle;
    QLabel m_labelAuthor;
    QLabel m_labelDate;
    QLabel m_labelComment;
    QGridLayout m_layout{this};
};
