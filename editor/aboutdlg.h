#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

// The About box: the program icon, the version and the credits of the editor and of the colour
// chooser. Closes with OK or Esc.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* pParent = nullptr);

private:
    QLabel m_icon;
    QLabel m_version;
    QFrame m_lineTop;
    QLabel m_creditsTavelo;
    QFrame m_lineMiddle;
    QLabel m_creditsTintary;
    QFrame m_lineBottom;
    QPushButton m_btnOk;
    QVBoxLayout m_layout{this};
    QHBoxLayout m_layoutHeader;
    QHBoxLayout m_layoutButtons;
};
