// The editor window itself: controls, layout, menus, caption and closing.
#include "skineditordlg.h"

#include "dialogunits.h"
#include "imagefilewatcher.h"
#include "programrunner.h"
#include "qtconvert.h"
#include "recentfiles.h"
#include "settings.h"
#include "skinnednotewnd.h"
#include "windowplacement.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPushButton>
#include <QUndoStack>

#include <algorithm>
#include <iterator>
#include <span>
#include <tuple>
#include <utility>

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
    : QDialog(pParent), m_pDocument(std::make_unique<CSkinDocument>()), m_panelComponent(this),
      m_panelColours(this), m_panelView(this), m_wndMenuLine(this), m_menuBar(this),
      m_menuFile(tr("&File"), &m_menuBar), m_menuRecent(tr("Recent &Files"), &m_menuFile),
      m_menuEdit(tr("&Edit"), &m_menuBar), m_menuSkin(tr("&Skin"), &m_menuBar),
      m_menuView(tr("&View"), &m_menuBar),
      m_menuTransparency(tr("Transparency &Display"), &m_menuView),
      m_menuTools(tr("&Tools"), &m_menuBar), m_menuHelp(tr("&Help"), &m_menuBar)
{
    m_strChooserProgram = ChooserProgramPath();
    setWindowIcon(QIcon(QStringLiteral(":/icons/tavelo.png")));
    // A sizing border and a close box, but neither minimise nor maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_wndMenuLine.setFrameShape(QFrame::HLine);
    m_wndMenuLine.setFrameShadow(QFrame::Sunken);
    // Enter ends nothing and presses nothing: no button is a default one.
    for (QPushButton* pButton : findChildren<QPushButton*>()) {
        pButton->setAutoDefault(false);
        pButton->setDefault(false);
    }
    BuildLayout();
    BuildMenus();
    SetTabOrder();
    ConnectPanels();
    RestoreWindowPlacement();

    // Line edits take drops themselves and would paste a dropped file's address as text; the
    // filter gives files to the window wherever they land.
    setAcceptDrops(true);
    for (QWidget* pChild : findChildren<QWidget*>()) {
        if (pChild->acceptDrops()) {
            pChild->installEventFilter(this);
        }
    }

    const int nShowParts = GetSettingInt(SETTING_SHOW_COMPONENTS);
    if (nShowParts != 0) {
        m_panelView.View().m_nShowParts = nShowParts;
        m_panelView.View().update();
    }
    OnFileNew();
    m_panelComponent.ComponentList().setFocus();
}

CSkinEditorDlg::~CSkinEditorDlg()
{
    // The document outlives the menus it would otherwise report its last changes to.
    m_pDocument->disconnect(this);
    m_pDocument->UndoStack().disconnect(this);
}

void CSkinEditorDlg::BuildLayout()
{
    m_layoutLeft.addWidget(&m_panelComponent);
    m_layoutLeft.addWidget(&m_panelColours);
    m_layoutLeft.addStretch(1);

    m_layoutRight.addWidget(&m_panelView, 1);
    m_layoutRight.addWidget(&m_panelIssues);
    m_layoutMain.addLayout(&m_layoutLeft);
    m_layoutMain.addLayout(&m_layoutRight, 1);

    const DialogUnits du(fontMetrics());
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
        {&Dlg::OnFileNew, {}, QT_TR_NOOP("&New"), ID_FILE_NEW, false},
        {&Dlg::OnFileNewFromTemplate,
         {},
         QT_TR_NOOP("New from &Template..."),
         ID_FILE_NEW_FROM_TEMPLATE,
         false},
        {&Dlg::OnFileOpen, {}, QT_TR_NOOP("&Open..."), ID_FILE_OPEN, false},
        {&Dlg::OnFileSave, {}, QT_TR_NOOP("&Save"), ID_FILE_SAVE, false},
        {&Dlg::OnFileSaveAs, {}, QT_TR_NOOP("Save &As..."), ID_FILE_SAVE_AS, false},
    };
    static const MenuItem kFileEnd[] = {
        {nullptr, {}, nullptr, 0, false},
        {&Dlg::OnFileExportPreview,
         {},
         QT_TR_NOOP("&Export Preview..."),
         ID_FILE_EXPORT_PREVIEW,
         false},
        {nullptr, {}, nullptr, 0, false},
        {&Dlg::OnFileExit, {}, QT_TR_NOOP("E&xit"), ID_FILE_EXIT, false},
    };
    static const MenuItem kEdit[] = {
        {&Dlg::OnEditUndo, {}, QT_TR_NOOP("&Undo"), ID_EDIT_UNDO, false},
        {&Dlg::OnEditRedo, {}, QT_TR_NOOP("&Redo"), ID_EDIT_REDO, false},
    };
    static const MenuItem kSkin[] = {
        {&Dlg::OnEditSkinDetails, QKeySequence(Qt::CTRL | Qt::Key_D),
         QT_TR_NOOP("&Edit Skin Details..."), ID_EDIT_SKIN_DETAILS, false},
        {nullptr, {}, nullptr, 0, false},
        {&Dlg::OnShowNoteImage, {}, QT_TR_NOOP("Show &Note Image"), ID_SHOW_NOTE_IMAGE, true},
        {&Dlg::OnShowTitle, {}, QT_TR_NOOP("Show &Title"), ID_SHOW_TITLE, true},
        {&Dlg::OnShowMessage, {}, QT_TR_NOOP("Show &Message"), ID_SHOW_MESSAGE, true},
        {&Dlg::OnShowCloseButton, {}, QT_TR_NOOP("Show &Close Button"), ID_SHOW_CLOSE_BUTTON, true},
        {nullptr, {}, nullptr, 0, false},
        {&Dlg::OnPreviewSkin, QKeySequence(Qt::CTRL | Qt::Key_P), QT_TR_NOOP("&Preview Skin"),
         ID_PREVIEW_SKIN, false},
    };
    static const MenuItem kTools[] = {
        {&Dlg::OnOpenInBitmapEditor,
         {},
         QT_TR_NOOP("Open In &Bitmap Editor..."),
         ID_OPEN_IN_BITMAP_EDITOR,
         false},
        {&Dlg::OnColourChooser, {}, QT_TR_NOOP("&Color Chooser..."), ID_COLOUR_CHOOSER, false},
    };
    static const MenuItem kHelp[] = {
        {&Dlg::OnHelp, {}, QT_TR_NOOP("&Tavelo Help..."), ID_HELP_CONTENTS, false},
        {nullptr, {}, nullptr, 0, false},
        {&Dlg::OnGetSkins, {}, QT_TR_NOOP("&Get Palimo Skins..."), ID_GET_SKINS, false},
        {&Dlg::OnWebSite, {}, QT_TR_NOOP("Tavelo &Website..."), ID_WEBSITE, false},
        {&Dlg::OnAbout, {}, QT_TR_NOOP("&About Tavelo..."), ID_ABOUT, false},
    };
    AddMenu(m_menuFile, kFile, std::size(kFile));
    BuildRecentMenu();
    AddMenu(m_menuFile, kFileEnd, std::size(kFileEnd));
    AddMenu(m_menuEdit, kEdit, std::size(kEdit));
    AddMenu(m_menuSkin, kSkin, std::size(kSkin));
    BuildViewMenu();
    AddMenu(m_menuTools, kTools, std::size(kTools));
    AddMenu(m_menuHelp, kHelp, std::size(kHelp));
    AssignStandardKeys();
    for (QMenu* pMenu :
         {&m_menuFile, &m_menuEdit, &m_menuSkin, &m_menuView, &m_menuTools, &m_menuHelp}) {
        m_menuBar.addMenu(pMenu);
        connect(pMenu, &QMenu::aboutToShow, this, &CSkinEditorDlg::UpdateCommandStates);
    }
}

// The desktop's own keys, which Qt shows in the menus; where a desktop has none (Save As on a
// bare X11), the usual one. Each command also keeps the other habit, so no user has to relearn.
void CSkinEditorDlg::AssignStandardKeys()
{
    using Key = QKeySequence;
    const std::tuple<int, Key::StandardKey, QList<Key>> commands[] = {
        {ID_FILE_NEW, Key::New, {Key(Qt::CTRL | Qt::Key_N)}},
        {ID_FILE_OPEN, Key::Open, {Key(Qt::CTRL | Qt::Key_O)}},
        {ID_FILE_SAVE, Key::Save, {Key(Qt::CTRL | Qt::Key_S)}},
        {ID_FILE_SAVE_AS, Key::SaveAs, {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}},
        {ID_EDIT_UNDO, Key::Undo, {Key(Qt::CTRL | Qt::Key_Z)}},
        {ID_EDIT_REDO,
         Key::Redo,
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), Key(Qt::CTRL | Qt::Key_Y)}},
        // Keyboards without a separate plus key reach it on the equals key.
        {ID_VIEW_ZOOM_IN,
         Key::ZoomIn,
         {Key(Qt::CTRL | Qt::Key_Plus), Key(Qt::CTRL | Qt::Key_Equal)}},
        {ID_VIEW_ZOOM_OUT, Key::ZoomOut, {Key(Qt::CTRL | Qt::Key_Minus)}},
        {ID_HELP_CONTENTS, Key::HelpContents, {Key(Qt::Key_F1)}},
    };
    for (const auto& [nId, standard, usual] : commands) {
        QList<Key> keys = Key::keyBindings(standard);
        for (const Key& key : usual) {
            if (!keys.contains(key)) {
                keys.push_back(key);
            }
        }
        GetCommand(nId)->setShortcuts(keys);
    }
}

void CSkinEditorDlg::AddMenu(QMenu& menu, const MenuItem* pItems, std::size_t nCount)
{
    for (const MenuItem& item : std::span(pItems, nCount)) {
        if (item.nId == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* const pAction = menu.addAction(tr(item.pszText));
        SetId(*pAction, item.nId);
        pAction->setCheckable(item.bCheckable);
        pAction->setShortcut(item.key);
        addAction(pAction);
        connect(pAction, &QAction::triggered, this, item.pHandler);
        m_commands[item.nId] = pAction;
    }
}

void CSkinEditorDlg::BuildRecentMenu()
{
    m_menuFile.addMenu(&m_menuRecent);
    m_menuRecent.setToolTipsVisible(true);
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        QAction* const pAction = m_menuRecent.addAction(QString());
        SetId(*pAction, ID_FILE_MRU_FILE1 + i);
        connect(pAction, &QAction::triggered, this, [this, i] { OnFileMruFile(i); });
        m_commands[ID_FILE_MRU_FILE1 + i] = pAction;
    }
    m_menuRecent.addSeparator();
    QAction* const pClear = m_menuRecent.addAction(tr("&Clear Menu"));
    SetId(*pClear, ID_FILE_MRU_CLEAR);
    connect(pClear, &QAction::triggered, this, &CSkinEditorDlg::OnFileMruClear);
    m_commands[ID_FILE_MRU_CLEAR] = pClear;
    connect(&m_menuFile, &QMenu::aboutToShow, this, &CSkinEditorDlg::UpdateRecentMenu);
    UpdateRecentMenu();
}

void CSkinEditorDlg::UpdateRecentMenu()
{
    const QStringList files = RecentFiles();
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        QAction* const pAction = GetCommand(ID_FILE_MRU_FILE1 + i);
        pAction->setVisible(i < files.size());
        if (i >= files.size()) {
            continue;
        }
        const QString strFullName = QDir::toNativeSeparators(files[i]);
        QString strName = QFileInfo(files[i]).fileName();
        strName.replace(QLatin1Char('&'), QStringLiteral("&&"));
        pAction->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(strName));
        pAction->setToolTip(strFullName);
        pAction->setStatusTip(strFullName);
        pAction->setData(files[i]);
    }
    m_menuRecent.menuAction()->setEnabled(!files.isEmpty());
}

void CSkinEditorDlg::RestoreWindowPlacement()
{
    // Held well inside an int, so no sum of them overflows.
    const auto stored = [](int nSetting) {
        constexpr int kLimit = 1 << 20;
        return std::clamp(GetSettingInt(nSetting), -kLimit, kLimit);
    };
    const QRect rcSaved(stored(SETTING_WINDOW_LEFT), stored(SETTING_WINDOW_TOP),
                        stored(SETTING_WINDOW_WIDTH), stored(SETTING_WINDOW_HEIGHT));
    if (rcSaved.isEmpty()) {
        return;
    }
    setGeometry(RestoredWindowRect(rcSaved));
    if (GetSettingInt(SETTING_WINDOW_MAXIMIZED) != 0) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void CSkinEditorDlg::SaveWindowPlacement() const
{
    // A window never shown has no place of its own.
    const QRect rcNormal = isMaximized() ? normalGeometry() : geometry();
    if (!isVisible() || rcNormal.isEmpty()) {
        return;
    }
    WriteSettingInt(SETTING_WINDOW_LEFT, rcNormal.left());
    WriteSettingInt(SETTING_WINDOW_TOP, rcNormal.top());
    WriteSettingInt(SETTING_WINDOW_WIDTH, rcNormal.width());
    WriteSettingInt(SETTING_WINDOW_HEIGHT, rcNormal.height());
    WriteSettingInt(SETTING_WINDOW_MAXIMIZED, isMaximized() ? 1 : 0);
}

void CSkinEditorDlg::BuildViewMenu()
{
    using Dlg = CSkinEditorDlg;
    static const MenuItem kView[] = {
        {&Dlg::OnZoomIn, {}, QT_TR_NOOP("Zoom &In"), ID_VIEW_ZOOM_IN, false},
        {&Dlg::OnZoomOut, {}, QT_TR_NOOP("Zoom &Out"), ID_VIEW_ZOOM_OUT, false},
        {&Dlg::OnActualSize, QKeySequence(Qt::CTRL | Qt::Key_0), QT_TR_NOOP("&Actual Size"),
         ID_VIEW_ACTUAL_SIZE, false},
        {&Dlg::OnZoomToFit, QKeySequence(Qt::CTRL | Qt::Key_9), QT_TR_NOOP("&Fit"), ID_VIEW_FIT,
         false},
        {nullptr, {}, nullptr, 0, false},
        {&Dlg::OnShowGrid, QKeySequence(Qt::CTRL | Qt::Key_Apostrophe), QT_TR_NOOP("Show &Grid"),
         ID_VIEW_GRID, true},
    };
    AddMenu(m_menuView, kView, std::size(kView));

    using Display = CSkinImageView::TransparencyDisplay;
    const std::tuple<int, const char*, Display> displays[] = {
        {ID_VIEW_TRANSPARENCY_KEY, QT_TR_NOOP("&Key Color"), Display::KeyColour},
        {ID_VIEW_TRANSPARENCY_CHECKERBOARD, QT_TR_NOOP("&Checkerboard"), Display::Checkerboard},
        {ID_VIEW_TRANSPARENCY_DESKTOP, QT_TR_NOOP("&Desktop Color"), Display::Desktop},
    };
    m_menuView.addMenu(&m_menuTransparency);
    for (const auto& [nId, pszText, display] : displays) {
        QAction* const pAction = m_menuTransparency.addAction(tr(pszText));
        SetId(*pAction, nId);
        pAction->setCheckable(true);
        connect(pAction, &QAction::triggered, this,
                [this, display = display] { SetTransparencyDisplay(display); });
        m_commands[nId] = pAction;
    }
    m_menuView.addSeparator();
    QAction* const pSnap = m_menuView.addAction(tr("&Snap to Opaque Edges"));
    SetId(*pSnap, ID_VIEW_SNAP);
    pSnap->setCheckable(true);
    connect(pSnap, &QAction::triggered, this, &CSkinEditorDlg::OnSnapToEdges);
    m_commands[ID_VIEW_SNAP] = pSnap;
    m_menuView.addSeparator();
    QAction* const pIssues = m_menuView.addAction(tr("Issues &Panel"));
    SetId(*pIssues, ID_VIEW_ISSUES);
    pIssues->setCheckable(true);
    connect(pIssues, &QAction::triggered, this, &CSkinEditorDlg::OnShowIssues);
    m_commands[ID_VIEW_ISSUES] = pIssues;
    m_panelIssues.setVisible(GetSettingInt(SETTING_SHOW_ISSUES) != 0);
    pIssues->setChecked(!m_panelIssues.isHidden());

    CSkinImageView& view = m_panelView.View();
    const int nDisplay = GetSettingInt(SETTING_TRANSPARENCY_DISPLAY);
    if (nDisplay >= 0 && nDisplay <= static_cast<int>(Display::Desktop)) {
        view.SetTransparencyDisplay(static_cast<Display>(nDisplay));
    }
    view.SetShowGrid(GetSettingInt(SETTING_SHOW_GRID) != 0);
    view.SetSnapToOpaqueEdges(GetSettingInt(SETTING_SNAP_TO_EDGES) != 0);
    connect(&view, &CSkinImageView::zoomChanged, this, &CSkinEditorDlg::UpdateCommandStates);
}

QAction* CSkinEditorDlg::GetCommand(int nId) const
{
    const auto it = m_commands.find(nId);
    return it != m_commands.end() ? it->second : nullptr;
}

void CSkinEditorDlg::SetTabOrder()
{
    // As laid out: the left column from top to bottom, then the view, then the issues.
    const int order[] = {IDC_COMPONENT,     IDC_APPLY,        IDC_BITMAP_PATH,
                         IDC_BROWSE_BITMAP, IDC_TRANSPARENT,  IDC_LEFT,
                         IDC_TOP,           IDC_RIGHT,        IDC_BOTTOM,
                         IDC_SET_BOX,       IDC_MESSAGE_TEXT, IDC_MESSAGE_BACK,
                         IDC_TITLE_TEXT,    IDC_TITLE_BACK,   IDC_MESSAGE_FONT,
                         IDC_TITLE_FONT,    IDC_PICKER,       CSkinImageView::VIEW_ID,
                         IDC_ISSUES};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(findChild<QWidget*>(QString::number(order[i - 1])),
                    findChild<QWidget*>(QString::number(order[i])));
    }
}

void CSkinEditorDlg::ConnectPanels()
{
    m_issuesCheck.setSingleShot(true);
    m_issuesCheck.setInterval(0);
    connect(&m_issuesCheck, &QTimer::timeout, this, &CSkinEditorDlg::CheckIssues);
    connect(&m_panelIssues, &CIssuesPanel::issueChosen, this, &CSkinEditorDlg::OnIssueChosen);
    connect(&m_panelComponent, &CComponentPanel::componentChanged, this, [this] {
        m_panelView.SetComponentName(m_panelComponent.GetComponentName());
        m_panelView.SetComponent(m_panelComponent.GetComponent(),
                                 m_panelComponent.GetPendingImage(),
                                 m_panelComponent.HasPendingPath());
        UpdateCommandStates();
    });
    connect(&m_panelComponent, &CComponentPanel::pendingImageChanged, this, [this] {
        m_panelView.SetComponent(m_panelComponent.GetComponent(),
                                 m_panelComponent.GetPendingImage(),
                                 m_panelComponent.HasPendingPath());
    });
    connect(&m_panelComponent, &CComponentPanel::componentModifiedChanged, this,
            &CSkinEditorDlg::UpdateCommandStates);
    connect(&m_panelComponent, &CComponentPanel::bitmapPathChanged, this,
            &CSkinEditorDlg::UpdateCommandStates);
    connect(&m_panelComponent, &CComponentPanel::imageConverted, this,
            [this](const QString& strFileName, const QString& strFormat) {
                m_panelView.ShowMessage(
                    tr("%1 was converted from %2 to a 24-bit bitmap").arg(strFileName, strFormat));
            });
    connect(&m_panelComponent, &CComponentPanel::boxShown, &m_panelView,
            &CImageViewPanel::ShowTypedRect);
    connect(&m_panelComponent, &CComponentPanel::externalColourRequested, this,
            &CSkinEditorDlg::RequestExternalColour);
    connect(&m_panelColours, &CColoursPanel::externalColourRequested, this,
            &CSkinEditorDlg::RequestExternalColour);
    for (CColourPicker* pPicker : findChildren<CColourPicker*>()) {
        connect(pPicker, &CColourPicker::dropDown, this, [this](COLORREF crColour, int nId) {
            m_nDropDownId = nId;
            m_crDropDownColour = crColour;
        });
    }
}

void CSkinEditorDlg::SetDocument(std::unique_ptr<CSkinDocument> pDocument)
{
    // The old document stays until the panels no longer show its images.
    if (m_pDocument) {
        m_pDocument->disconnect(this);
        m_pDocument->UndoStack().disconnect(this);
    }
    std::swap(m_pDocument, pDocument);
    CSkinDocument* const pNew = m_pDocument.get();
    WatchImageFiles();
    m_panelView.SetDocument(pNew);
    m_panelColours.SetDocument(pNew);
    m_panelComponent.SetDocument(pNew);
    m_panelView.SetComponentName(m_panelComponent.GetComponentName());
    m_panelView.SetComponent(m_panelComponent.GetComponent(), m_panelComponent.GetPendingImage(),
                             m_panelComponent.HasPendingPath());
    connect(pNew, &CSkinDocument::changed, this, &CSkinEditorDlg::UpdateCommandStates);
    connect(pNew, &CSkinDocument::changed, &m_issuesCheck, qOverload<>(&QTimer::start));
    m_issuesCheck.start();
    connect(pNew, &CSkinDocument::modifiedChanged, this, [this] {
        UpdateCaption();
        UpdateCommandStates();
    });
    connect(pNew, &CSkinDocument::filePathChanged, this, &CSkinEditorDlg::UpdateCaption);
    QUndoStack* const pStack = &pNew->UndoStack();
    for (const auto pSignal : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged}) {
        connect(pStack, pSignal, this, &CSkinEditorDlg::UpdateCommandStates);
    }
    for (const auto pSignal : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged}) {
        connect(pStack, pSignal, this, &CSkinEditorDlg::UpdateCommandStates);
    }
    UpdateCaption();
    UpdateCommandStates();
}

void CSkinEditorDlg::UpdateCaption()
{
    QString strCaption = tr("Tavelo - %1").arg(GetDocumentName());
    if (IsModified()) {
        strCaption += QStringLiteral(" *");
    }
    // "[*]" would be taken as Qt's modified placeholder; doubled, it shows as itself.
    strCaption.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(strCaption);
}

QString CSkinEditorDlg::GetDocumentName() const
{
    const std::filesystem::path path = GetFilePath();
    return path.empty() ? tr("[Untitled]") : pathToQString(path);
}

void CSkinEditorDlg::UpdateCommandStates()
{
    // Save asks to apply unapplied edits first, so it is offered for them too.
    GetCommand(ID_FILE_SAVE)->setEnabled(IsModified() || IsComponentModified());
    GetCommand(ID_PREVIEW_SKIN)->setEnabled(GetSkin().GetMissingPart() == SKINPART_NONE);
    GetCommand(ID_OPEN_IN_BITMAP_EDITOR)->setEnabled(!m_panelComponent.GetBitmapPath().isEmpty());
    const QUndoStack& stack = m_pDocument->UndoStack();
    const std::tuple<int, bool, QString, QString> steps[] = {
        {ID_EDIT_UNDO, stack.canUndo(), tr("&Undo"), tr("&Undo %1").arg(stack.undoText())},
        {ID_EDIT_REDO, stack.canRedo(), tr("&Redo"), tr("&Redo %1").arg(stack.redoText())},
    };
    for (const auto& [nId, bCan, strVerb, strStep] : steps) {
        QAction* const pAction = GetCommand(nId);
        pAction->setEnabled(bCan);
        pAction->setText(bCan ? strStep : strVerb);
    }
    const std::pair<int, int> shows[] = {
        {ID_SHOW_NOTE_IMAGE, CSkinImageView::SHOW_NOTE_IMAGE},
        {ID_SHOW_TITLE, CSkinImageView::SHOW_TITLE},
        {ID_SHOW_MESSAGE, CSkinImageView::SHOW_MESSAGE},
        {ID_SHOW_CLOSE_BUTTON, CSkinImageView::SHOW_CLOSE_BUTTON},
    };
    for (const auto& [nId, nBit] : shows) {
        GetCommand(nId)->setChecked((GetImageView().m_nShowParts & nBit) != 0);
    }
    const CSkinImageView& view = GetImageView();
    GetCommand(ID_VIEW_ZOOM_IN)->setEnabled(view.CanZoomIn());
    GetCommand(ID_VIEW_ZOOM_OUT)->setEnabled(view.CanZoomOut());
    GetCommand(ID_VIEW_GRID)->setChecked(view.IsGridShown());
    GetCommand(ID_VIEW_SNAP)->setChecked(view.IsSnapToOpaqueEdges());
    using Display = CSkinImageView::TransparencyDisplay;
    GetCommand(ID_VIEW_TRANSPARENCY_KEY)
        ->setChecked(view.GetTransparencyDisplay() == Display::KeyColour);
    GetCommand(ID_VIEW_TRANSPARENCY_CHECKERBOARD)
        ->setChecked(view.GetTransparencyDisplay() == Display::Checkerboard);
    GetCommand(ID_VIEW_TRANSPARENCY_DESKTOP)
        ->setChecked(view.GetTransparencyDisplay() == Display::Desktop);
}

void CSkinEditorDlg::accept() {}

void CSkinEditorDlg::reject()
{
    if (ConfirmDiscard()) {
        done(QDialog::Accepted);
    }
}

void CSkinEditorDlg::done(int nResult)
{
    SaveWindowPlacement();
    QDialog::done(nResult);
}
