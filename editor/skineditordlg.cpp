// The editor window itself: controls, layout, menus, caption and closing.
#include "skineditordlg.h"

#include "programrunner.h"
#include "qtconvert.h"
#include "settings.h"
#include "skinnednotewnd.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QPalette>

#include <algorithm>
#include <iterator>
#include <span>
#include <tuple>
#include <utility>

namespace {

// Dialog units of the window's font, as the original templates measure their controls.
struct DialogUnits
{
    explicit DialogUnits(const QFontMetrics& metrics)
        : nBaseX(metrics.horizontalAdvance(
                     QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                 52),
          nBaseY(metrics.height())
    {
    }
    int X(int nUnits) const { return nUnits * nBaseX / 4; }
    int Y(int nUnits) const { return nUnits * nBaseY / 8; }

    int nBaseX;
    int nBaseY;
};

void SetId(QObject& object, int nId)
{
    object.setObjectName(QString::number(nId));
}

} // namespace

// One menu entry; id 0 is a separator.
struct CSkinEditorDlg::MenuItem
{
    void (CSkinEditorDlg::*pHandler)();
    QKeySequence key;
    const char* pszText;
    int nId;
    bool bCheckable;
};

CSkinEditorDlg::CSkinEditorDlg(QWidget* pParent)
    : QDialog(pParent), m_groupBitmap(QStringLiteral("Bitmap"), this),
      m_groupBox(QStringLiteral("Bounding Rectangle"), this),
      m_groupColours(QStringLiteral("Colors and Fonts"), this), m_btnTransparent(this),
      m_btnTitleText(this), m_btnTitleBack(this), m_btnMessageText(this), m_btnMessageBack(this),
      m_btnPicker(this), m_wndViewLine(this), m_wndViewFrame(this), m_cbComponent(this),
      m_wndImageView(this), m_labelComponent(QStringLiteral("Component:"), this),
      m_btnApply(QStringLiteral("&Apply"), this), m_editBitmapPath(&m_groupBitmap),
      m_btnBrowse(QStringLiteral("..."), &m_groupBitmap),
      m_labelLeft(QStringLiteral("(left)"), &m_groupBox), m_editLeft(&m_groupBox),
      m_labelTop(QStringLiteral("(top)"), &m_groupBox), m_editTop(&m_groupBox),
      m_labelRight(QStringLiteral("(right)"), &m_groupBox), m_editRight(&m_groupBox),
      m_labelBottom(QStringLiteral("(bottom)"), &m_groupBox), m_editBottom(&m_groupBox),
      m_labelHint(QStringLiteral("Click this button to update the preview on the right with the "
                                 "numbers above"),
                  &m_groupBox),
      m_btnSetBox(QStringLiteral("&Set Box"), &m_groupBox),
      m_btnMessageFont(QStringLiteral("Message Font..."), &m_groupColours),
      m_btnTitleFont(QStringLiteral("Title Font..."), &m_groupColours),
      m_labelImageView(QStringLiteral("Image View"), this),
      m_labelMessageText(QStringLiteral("Message Foreground:"), &m_groupColours),
      m_labelMessageBack(QStringLiteral("Message Background:"), &m_groupColours),
      m_labelTitleText(QStringLiteral("Title Foreground:"), &m_groupColours),
      m_labelTitleBack(QStringLiteral("Title Background:"), &m_groupColours),
      m_labelTransparency(QStringLiteral("&Transparency:"), &m_groupBitmap), m_wndMenuLine(this),
      m_menuBar(this), m_menuFile(QStringLiteral("&File"), &m_menuBar),
      m_menuSkin(QStringLiteral("&Skin"), &m_menuBar),
      m_menuTools(QStringLiteral("&Tools"), &m_menuBar),
      m_menuHelp(QStringLiteral("&Help"), &m_menuBar)
{
    m_strChooserProgram = ChooserProgramPath();
    setWindowIcon(QIcon(QStringLiteral(":/icons/tavelo.png")));
    // A sizing border and a close box, but neither minimise nor maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    BuildControls();
    BuildLayout();
    BuildMenus();
    SetTabOrder();
    ConnectControls();
    OnInitDialog();
}

CSkinEditorDlg::~CSkinEditorDlg()
{
    // The view keeps pointers into the skin and m_pComponentImage, which go first.
    m_wndImageView.ClearImage();
}

void CSkinEditorDlg::BuildControls()
{
    SetId(m_btnTransparent, IDC_TRANSPARENT);
    SetId(m_btnTitleText, IDC_TITLE_TEXT);
    SetId(m_btnTitleBack, IDC_TITLE_BACK);
    SetId(m_btnMessageText, IDC_MESSAGE_TEXT);
    SetId(m_btnMessageBack, IDC_MESSAGE_BACK);
    for (CColourPicker* pPicker : {&m_btnTransparent, &m_btnTitleText, &m_btnTitleBack,
                                   &m_btnMessageText, &m_btnMessageBack}) {
        pPicker->SetDlgCtrlID(pPicker->objectName().toInt());
    }
    SetId(m_btnPicker, IDC_PICKER);
    SetId(m_wndViewLine, IDC_VIEW_LINE);
    SetId(m_wndViewFrame, IDC_VIEW_FRAME);
    SetId(m_cbComponent, IDC_COMPONENT);
    SetId(m_btnApply, IDC_APPLY);
    SetId(m_groupBitmap, IDC_BITMAP_GROUP);
    SetId(m_editBitmapPath, IDC_BITMAP_PATH);
    SetId(m_btnBrowse, IDC_BROWSE_BITMAP);
    SetId(m_labelLeft, IDC_LABEL_LEFT);
    SetId(m_editLeft, IDC_LEFT);
    SetId(m_labelTop, IDC_LABEL_TOP);
    SetId(m_editTop, IDC_TOP);
    SetId(m_labelRight, IDC_LABEL_RIGHT);
    SetId(m_editRight, IDC_RIGHT);
    SetId(m_labelBottom, IDC_LABEL_BOTTOM);
    SetId(m_editBottom, IDC_BOTTOM);
    SetId(m_btnSetBox, IDC_SET_BOX);
    SetId(m_btnMessageFont, IDC_MESSAGE_FONT);
    SetId(m_btnTitleFont, IDC_TITLE_FONT);
    SetId(m_wndImageView, CSkinImageView::VIEW_ID);

    m_editBitmapPath.setValidator(&m_limitPath);
    m_editLeft.setValidator(&m_limitLeft);
    m_editTop.setValidator(&m_limitTop);
    m_editRight.setValidator(&m_limitRight);
    m_editBottom.setValidator(&m_limitBottom);

    m_btnPicker.setCheckable(true);
    m_btnPicker.setIcon(QIcon(QStringLiteral(":/icons/picker.png")));
    m_btnPicker.setToolTip(QStringLiteral("Rectangle picker"));

    m_labelHint.setWordWrap(true);
    m_labelTransparency.setBuddy(&m_btnTransparent);
    KeepTransparencyLabelLook();
    m_wndMenuLine.setFrameShape(QFrame::HLine);
    m_wndMenuLine.setFrameShadow(QFrame::Sunken);
    m_wndViewLine.setFrameShape(QFrame::HLine);
    m_wndViewLine.setFrameShadow(QFrame::Sunken);
    m_wndViewFrame.setFrameShape(QFrame::Panel);
    m_wndViewFrame.setFrameShadow(QFrame::Sunken);

    // Enter ends nothing and presses nothing: no button is a default one.
    for (QPushButton* pButton : findChildren<QPushButton*>()) {
        pButton->setAutoDefault(false);
        pButton->setDefault(false);
    }
}

void CSkinEditorDlg::KeepTransparencyLabelLook()
{
    QPalette palette = m_groupBitmap.palette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText,
                     palette.color(QPalette::Active, QPalette::WindowText));
    m_labelTransparency.setPalette(palette);
}

void CSkinEditorDlg::changeEvent(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::PaletteChange) {
        KeepTransparencyLabelLook();
    }
    QDialog::changeEvent(pEvent);
}

void CSkinEditorDlg::BuildLayout()
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
    for (CColourPicker* pPicker :
         {&m_btnMessageText, &m_btnMessageBack, &m_btnTitleText, &m_btnTitleBack}) {
        pPicker->setMinimumWidth(du.X(110));
    }
    m_btnMessageFont.setMinimumWidth(du.X(61));
    m_btnTitleFont.setMinimumWidth(du.X(61));
    m_btnPicker.setFixedSize(du.X(18), du.Y(14));
    m_btnPicker.setIconSize(QSize(16, 16));
    m_wndImageView.setMinimumSize(du.X(60), du.Y(60));

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

    int nRow = 0;
    for (const auto& [pLabel, pPicker] : {std::pair{&m_labelMessageText, &m_btnMessageText},
                                          std::pair{&m_labelMessageBack, &m_btnMessageBack},
                                          std::pair{&m_labelTitleText, &m_btnTitleText},
                                          std::pair{&m_labelTitleBack, &m_btnTitleBack}}) {
        m_layoutColours.addWidget(pLabel, nRow, 0, Qt::AlignRight);
        m_layoutColours.addWidget(pPicker, nRow++, 1);
    }
    m_layoutFonts.addStretch(1);
    m_layoutFonts.addWidget(&m_btnMessageFont);
    m_layoutFonts.addWidget(&m_btnTitleFont);
    m_layoutColours.addLayout(&m_layoutFonts, nRow, 0, 1, 2);
    m_layoutColours.setColumnStretch(1, 1);
    m_groupColours.setLayout(&m_layoutColours);

    m_layoutLeft.addLayout(&m_layoutComponent);
    m_layoutLeft.addWidget(&m_groupBitmap);
    m_layoutLeft.addWidget(&m_groupBox);
    m_layoutLeft.addWidget(&m_groupColours);
    m_layoutLeft.addStretch(1);

    // The picker button sits left of the view, under the "Image View" label; the etched line
    // runs from the label to 10 pixels before the right edge.
    m_layoutView.addWidget(&m_labelImageView, 0, 0, 1, 2);
    m_layoutView.addWidget(&m_wndViewLine, 0, 2);
    m_layoutView.addWidget(&m_btnPicker, 1, 0, Qt::AlignTop);
    m_layoutView.addWidget(&m_wndViewFrame, 1, 1, 1, 2);
    m_layoutView.addWidget(&m_wndImageView, 1, 1, 1, 2);
    m_layoutView.setColumnStretch(2, 1);
    m_layoutView.setRowStretch(1, 1);

    m_layoutMain.addLayout(&m_layoutLeft);
    m_layoutMain.addLayout(&m_layoutView, 1);

    m_layoutTop.setMenuBar(&m_menuBar);
    m_layoutTop.addWidget(&m_wndMenuLine);
    m_layoutTop.addLayout(&m_layoutMain, 1);
    // 10 pixels stay free right of and below the view whatever the window's size.
    m_layoutTop.setContentsMargins(du.X(7), 0, 10, 10);
    setLayout(&m_layoutTop);

    resize(std::max(sizeHint().width(), du.X(454)),
           std::max(sizeHint().height(), du.Y(230) + m_menuBar.sizeHint().height()));
}

void CSkinEditorDlg::BuildMenus()
{
    using Dlg = CSkinEditorDlg;
    static const MenuItem kFile[] = {
        {&Dlg::OnFileNew, QKeySequence(Qt::CTRL | Qt::Key_N), "&New\tCtrl + N", ID_FILE_NEW, false},
        {&Dlg::OnFileOpen, QKeySequence(Qt::CTRL | Qt::Key_O), "&Open...\tCtrl + O", ID_FILE_OPEN,
         false},
        {&Dlg::OnFileSave, QKeySequence(Qt::CTRL | Qt::Key_S), "&Save\tCtrl + S", ID_FILE_SAVE,
         false},
        {nullptr, {}, nullptr, 0, false},
        {&Dlg::OnFileExit, {}, "E&xit", ID_FILE_EXIT, false},
    };
    static const MenuItem kSkin[] = {
        {&Dlg::OnEditSkinDetails, QKeySequence(Qt::CTRL | Qt::Key_D),
         "&Edit Skin Details...\tCtrl + D", ID_EDIT_SKIN_DETAILS, false},
        {nullptr, {}, nullptr, 0, false},
        {&Dlg::OnShowNoteImage, {}, "Show &Note Image", ID_SHOW_NOTE_IMAGE, true},
        {&Dlg::OnShowTitle, {}, "Show &Title", ID_SHOW_TITLE, true},
        {&Dlg::OnShowMessage, {}, "Show &Message", ID_SHOW_MESSAGE, true},
        {&Dlg::OnShowCloseButton, {}, "Show &Close Button", ID_SHOW_CLOSE_BUTTON, true},
        {nullptr, {}, nullptr, 0, false},
        {&Dlg::OnPreviewSkin, QKeySequence(Qt::CTRL | Qt::Key_P), "&Preview Skin\tCtrl + P",
         ID_PREVIEW_SKIN, false},
    };
    static const MenuItem kTools[] = {
        {&Dlg::OnOpenInBitmapEditor,
         {},
         "Open In &Bitmap Editor...",
         ID_OPEN_IN_BITMAP_EDITOR,
         false},
        {&Dlg::OnColourChooser, {}, "&Color Chooser...", ID_COLOUR_CHOOSER, false},
    };
    static const MenuItem kHelp[] = {
        {&Dlg::OnHelp, {}, "&Tavelo Help...", ID_HELP_CONTENTS, false},
        {nullptr, {}, nullptr, 0, false},
        {&Dlg::OnGetSkins, {}, "&Get Palimo Skins...", ID_GET_SKINS, false},
        {&Dlg::OnWebSite, {}, "Tavelo &Website...", ID_WEBSITE, false},
        {&Dlg::OnAbout, {}, "&About Tavelo...", ID_ABOUT, false},
    };
    AddMenu(m_menuFile, kFile, std::size(kFile));
    AddMenu(m_menuSkin, kSkin, std::size(kSkin));
    AddMenu(m_menuTools, kTools, std::size(kTools));
    AddMenu(m_menuHelp, kHelp, std::size(kHelp));
    for (QMenu* pMenu : {&m_menuFile, &m_menuSkin, &m_menuTools, &m_menuHelp}) {
        m_menuBar.addMenu(pMenu);
        connect(pMenu, &QMenu::aboutToShow, this, &CSkinEditorDlg::UpdateCommandStates);
    }
}

void CSkinEditorDlg::AddMenu(QMenu& menu, const MenuItem* pItems, std::size_t nCount)
{
    for (const MenuItem& item : std::span(pItems, nCount)) {
        if (item.nId == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* const pAction = menu.addAction(QString::fromLatin1(item.pszText));
        SetId(*pAction, item.nId);
        pAction->setCheckable(item.bCheckable);
        // The text names the keys itself; the shortcut makes them work.
        pAction->setShortcut(item.key);
        addAction(pAction);
        connect(pAction, &QAction::triggered, this, item.pHandler);
        m_commands[item.nId] = pAction;
    }
}

QAction* CSkinEditorDlg::GetCommand(int nId) const
{
    const auto it = m_commands.find(nId);
    return it != m_commands.end() ? it->second : nullptr;
}

void CSkinEditorDlg::SetTabOrder()
{
    QWidget* const order[] = {
        &m_cbComponent,  &m_btnApply,       &m_editBitmapPath, &m_btnBrowse,      &m_btnTransparent,
        &m_editLeft,     &m_editTop,        &m_editRight,      &m_editBottom,     &m_btnSetBox,
        &m_btnPicker,    &m_btnMessageFont, &m_btnTitleFont,   &m_btnMessageText, &m_btnMessageBack,
        &m_btnTitleText, &m_btnTitleBack};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void CSkinEditorDlg::ConnectControls()
{
    // Only the user's choice in the list counts, as the list's own change notification does.
    connect(&m_cbComponent, &QComboBox::activated, this, &CSkinEditorDlg::SelectComponent);
    connect(&m_btnApply, &QPushButton::clicked, this, &CSkinEditorDlg::OnApply);
    connect(&m_btnBrowse, &QPushButton::clicked, this, &CSkinEditorDlg::OnBrowseBitmap);
    connect(&m_btnSetBox, &QPushButton::clicked, this, &CSkinEditorDlg::OnSetBox);
    connect(&m_btnPicker, &QPushButton::clicked, this, &CSkinEditorDlg::OnPickerButton);
    connect(&m_wndImageView, &CSkinImageView::pickRectChanged, this,
            &CSkinEditorDlg::OnPickRectChanged);
    // The standard help key, apart from the menu so the menu's text stays as it is.
    connect(&m_keyHelp, &QShortcut::activated, this, &CSkinEditorDlg::OnHelp);
    connect(&m_btnMessageFont, &QPushButton::clicked, this, &CSkinEditorDlg::OnMessageFont);
    connect(&m_btnTitleFont, &QPushButton::clicked, this, &CSkinEditorDlg::OnTitleFont);
    for (CColourPicker* pPicker : {&m_btnTransparent, &m_btnTitleText, &m_btnTitleBack,
                                   &m_btnMessageText, &m_btnMessageBack}) {
        connect(pPicker, &CColourPicker::colourOk, this, &CSkinEditorDlg::OnColourPicked);
        connect(pPicker, &CColourPicker::dropDown, this, [this](COLORREF crColour, int nId) {
            m_nDropDownId = nId;
            m_crDropDownColour = crColour;
        });
    }
}

void CSkinEditorDlg::OnInitDialog()
{
    PushFields();
    // The view took the placeholder's place in the layout.
    m_wndViewFrame.hide();
    m_wndImageView.HidePicker(false);

    for (const char* pszText : {"Main Window", "Title", "Close Button (Normal)",
                                "Close Button (Mouse Over)", "Message"}) {
        m_cbComponent.insertItem(m_cbComponent.count(), QString::fromLatin1(pszText));
    }
    m_cbComponent.setCurrentIndex(COMPONENT_MAIN_WINDOW);

    // The automatic entry hands the choice to the external colour chooser.
    for (CColourPicker* pPicker : {&m_btnTransparent, &m_btnTitleText, &m_btnTitleBack,
                                   &m_btnMessageText, &m_btnMessageBack}) {
        pPicker->SetAutoText(QStringLiteral("Eyedropper Tool..."));
    }

    const int nShowParts = GetSettingInt(SETTING_SHOW_COMPONENTS);
    if (nShowParts != 0) {
        m_wndImageView.m_nShowParts = nShowParts;
        m_wndImageView.update();
    }
    OnFileNew();
    m_cbComponent.setFocus();
}

void CSkinEditorDlg::SetModified(bool bModified)
{
    m_bModified = bModified;
    UpdateCaption(GetDocumentName(), bModified);
    UpdateCommandStates();
}

void CSkinEditorDlg::SetComponentModified(bool bModified)
{
    m_bComponentModified = bModified;
    UpdateCommandStates();
}

void CSkinEditorDlg::UpdateCaption(const QString& strName, bool bModified)
{
    QString strCaption = QStringLiteral("Tavelo - ") + strName;
    if (bModified) {
        strCaption += QStringLiteral(" *");
    }
    // "[*]" would be taken as Qt's modified placeholder; doubled, it shows as itself.
    strCaption.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(strCaption);
}

QString CSkinEditorDlg::GetDocumentName() const
{
    const std::filesystem::path path = m_skin.GetPath();
    return path.empty() ? QStringLiteral("[Untitled]") : pathToQString(path);
}

void CSkinEditorDlg::UpdateCommandStates()
{
    // Save asks to apply unapplied edits first, so it is offered for them too.
    GetCommand(ID_FILE_SAVE)->setEnabled(m_bModified || m_bComponentModified);
    GetCommand(ID_PREVIEW_SKIN)->setEnabled(m_skin.GetMissingPart() == SKINPART_NONE);
    GetCommand(ID_OPEN_IN_BITMAP_EDITOR)->setEnabled(!m_strBitmapPath.isEmpty());
    const std::pair<int, int> shows[] = {
        {ID_SHOW_NOTE_IMAGE, CSkinImageView::SHOW_NOTE_IMAGE},
        {ID_SHOW_TITLE, CSkinImageView::SHOW_TITLE},
        {ID_SHOW_MESSAGE, CSkinImageView::SHOW_MESSAGE},
        {ID_SHOW_CLOSE_BUTTON, CSkinImageView::SHOW_CLOSE_BUTTON},
    };
    for (const auto& [nId, nBit] : shows) {
        GetCommand(nId)->setChecked((m_wndImageView.m_nShowParts & nBit) != 0);
    }
}

void CSkinEditorDlg::PushFields()
{
    const std::tuple<QLineEdit*, CTextLimit*, const QString*> fields[] = {
        {&m_editBitmapPath, &m_limitPath, &m_strBitmapPath},
        {&m_editBottom, &m_limitBottom, &m_strBottom},
        {&m_editLeft, &m_limitLeft, &m_strLeft},
        {&m_editRight, &m_limitRight, &m_strRight},
        {&m_editTop, &m_limitTop, &m_strTop},
    };
    for (const auto& [pEdit, pLimit, pText] : fields) {
        pLimit->AllowText(*pText);
        pEdit->setText(*pText);
    }
    UpdateCommandStates();
}

void CSkinEditorDlg::PullFields()
{
    m_strBitmapPath = m_editBitmapPath.text();
    m_strBottom = m_editBottom.text();
    m_strLeft = m_editLeft.text();
    m_strRight = m_editRight.text();
    m_strTop = m_editTop.text();
    UpdateCommandStates();
}

void CSkinEditorDlg::accept() {}

void CSkinEditorDlg::reject()
{
    if (ConfirmDiscard()) {
        done(QDialog::Accepted);
    }
}
