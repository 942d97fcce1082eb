#include "aboutdlg.h"

#include <QPixmap>

namespace {

void MakeEtchedLine(QFrame& frame)
{
    frame.setFrameShape(QFrame::HLine);
    frame.setFrameShadow(QFrame::Sunken);
}

void MakeDarkLine(QFrame& frame)
{
    frame.setFrameShape(QFrame::HLine);
    frame.setFrameShadow(QFrame::Plain);
    frame.setLineWidth(1);
    QPalette palette = frame.palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    frame.setPalette(palette);
}

void MakePlainText(QLabel& label)
{
    label.setTextFormat(Qt::PlainText);
    label.setTextInteractionFlags(Qt::TextSelectableByMouse);
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* pParent)
    : QDialog(pParent), m_icon(this), m_version(tr("Tavelo Version 1.1\n"
                                                   "The skin editor for Palimo notes"),
                                                this),
      m_lineTop(this),
      m_creditsTavelo(tr("Tavelo Author:\n"
                         "The Tavelo developers\n"
                         "https://www.corvane.example/palimo\n"
                         "https://www.corvane.example/palimo/skins_and_plugins.htm"),
                      this),
      m_lineMiddle(this), m_creditsTintary(tr("Tintary Author:\n"
                                              "The Tintary developers\n"
                                              "Corvane\n"
                                              "https://www.corvane.example/palimo"),
                                           this),
      m_lineBottom(this), m_btnOk(tr("OK"), this)
{
    setWindowTitle(tr("About Tavelo"));
    m_icon.setPixmap(QPixmap(QStringLiteral(":/icons/tavelo.png"))
                         .scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_icon.setFixedSize(32, 32);
    MakePlainText(m_version);
    MakePlainText(m_creditsTavelo);
    MakePlainText(m_creditsTintary);
    MakeEtchedLine(m_lineTop);
    MakeDarkLine(m_lineMiddle);
    MakeEtchedLine(m_lineBottom);
    m_btnOk.setObjectName(QStringLiteral("1"));
    m_btnOk.setDefault(true);
    m_btnOk.setFocus();

    m_layoutHeader.addWidget(&m_icon, 0, Qt::AlignTop);
    m_layoutHeader.addSpacing(8);
    m_layoutHeader.addWidget(&m_version, 1);
    m_layoutButtons.addStretch();
    m_layoutButtons.addWidget(&m_btnOk);

    m_layout.addLayout(&m_layoutHeader);
    m_layout.addWidget(&m_lineTop);
    m_layout.addWidget(&m_creditsTavelo);
    m_layout.addWidget(&m_lineMiddle);
    m_layout.addWidget(&m_creditsTintary);
    m_layout.addWidget(&m_lineBottom);
    m_layout.addLayout(&m_layoutButtons);
    m_layout.setSizeConstraint(QLayout::SetFixedSize);

    connect(&m_btnOk, &QPushButton::clicked, this, &CAboutDlg::accept);
}
