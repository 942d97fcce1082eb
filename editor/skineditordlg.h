#pragma once

#include "colourspanel.h"
#include "componentpanel.h"
#include "controlids.h"
#include "droppedfile.h"
#include "imageviewpanel.h"
#include "issuespanel.h"
#include "skindocument.h"

#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>
#include <map>
#include <memory>

class QAction;
class CImageFileWatcher;
class CProgramRunner;
class CSkinnedNoteWnd;

// The main window: one skin document, edited one component at a time. The document holds the
// skin, its file and its undo history; the panels (the component's fields, the colours and fonts,
// the image view) each talk to it and follow its change signals. The window keeps the menus,
// the caption and the commands that replace or save the document. Every command that would drop
// the skin asks first whether to save it. A skin file dropped on the window opens; an image file
// becomes the current component's bitmap.
//
// The class is split over files by concern: the window, its layout, menus and placement
// (skineditordlg.cpp), the file and edit commands with Recent Files (skineditordlgfile.cpp),
// dropped files (skineditordlgdrop.cpp), the view and tool commands with the external colour
// chooser (skineditordlgview.cpp), bitmap files changed on disk (skineditordlgreload.cpp).
class CSkinEditorDlg : public QDialog
{
    Q_OBJECT

public:
    // Control and command ids; each widget and action carries its id as objectName.
    using enum ControlId;
    enum CommandId
    {
        ID_FILE_NEW = 57600,
        ID_FILE_OPEN = 57601,
        ID_FILE_SAVE = 57603,
        ID_FILE_SAVE_AS = 57604,
        ID_FILE_MRU_FILE1 = 57616, // up to ID_FILE_MRU_FILE1 + kMaxRecentFiles - 1
        ID_EDIT_UNDO = 57643,
        ID_EDIT_REDO = 57644,
        ID_FILE_EXIT = 32774,
        ID_EDIT_SKIN_DETAILS = 32776,
        ID_PREVIEW_SKIN = 32777,
        ID_OPEN_IN_BITMAP_EDITOR = 32778,
        ID_ABOUT = 32780,
        ID_HELP_CONTENTS = 32781,
        ID_WEBSITE = 32782,
        ID_GET_SKINS = 32783,
        ID_SHOW_NOTE_IMAGE = 32784,
        ID_SHOW_TITLE = 32785,
        ID_SHOW_MESSAGE = 32786,
        ID_SHOW_CLOSE_BUTTON = 32787,
        ID_COLOUR_CHOOSER = 32789,
        ID_FILE_MRU_CLEAR = 32790,
        ID_FILE_NEW_FROM_TEMPLATE = 32791,
        ID_FILE_EXPORT_PREVIEW = 32792,
        ID_VIEW_ZOOM_IN = 32800,
        ID_VIEW_ZOOM_OUT = 32801,
        ID_VIEW_ACTUAL_SIZE = 32802,
        ID_VIEW_FIT = 32803,
        ID_VIEW_GRID = 32804,
        ID_VIEW_TRANSPARENCY_KEY = 32805,
        ID_VIEW_TRANSPARENCY_CHECKERBOARD = 32806,
        ID_VIEW_TRANSPARENCY_DESKTOP = 32807,
        ID_VIEW_SNAP = 32808,
        ID_VIEW_ISSUES = 32809,
    };

    // Starts on a new, untitled skin with "Main Window" selected, where the window last closed.
    explicit CSkinEditorDlg(QWidget* pParent = nullptr);
    ~CSkinEditorDlg() override;
    CSkinEditorDlg(const CSkinEditorDlg&) = delete;
    CSkinEditorDlg& operator=(const CSkinEditorDlg&) = delete;

    // Opens the skin file as the Open command does after its file dialog, without asking first.
    // The skin is replaced only by one read whole; on failure the user is told and everything
    // stays as it was. True when the file was opened; it then heads Recent Files.
    bool OpenSkinFile(const std::filesystem::path& strPath);

    // True when the caller may drop or replace the skin: nothing unsaved, or the user saved it
    // or chose to drop it.
    bool ConfirmDiscard();

    CSkinDocument& GetDocument() const { return *m_pDocument; }
    const CSkin& GetSkin() const { return m_pDocument->GetSkin(); }
    bool IsModified() const { return m_pDocument->IsModified(); }
    bool IsComponentModified() const { return m_panelComponent.IsComponentModified(); }
    int GetComponent() const { return m_panelComponent.GetComponent(); }
    std::filesystem::path GetFilePath() const { return m_pDocument->GetFilePath(); }
    const CSkinImageView& GetImageView() const { return m_panelView.View(); }
    QString GetDocumentName() const;
    QAction* GetCommand(int nId) const;
    // The note preview window of the last Preview Skin; null before the first one and when the
    // skin was incomplete then.
    const CSkinnedNoteWnd* GetPreview() const { return m_pPreview.get(); }
    int GetColourRequestId() const { return m_nColourRequestId; }

    // The colour chooser program that the Color Chooser command and "Eyedropper Tool..." start;
    // tintary beside the editor's executable unless set otherwise.
    void SetChooserProgram(const QString& strPath) { m_strChooserProgram = strPath; }
    const QString& GetChooserProgram() const { return m_strChooserProgram; }

    // Where the HTML manual's first page lies, beside the program in the build tree or in the
    // installed tree; empty when neither holds one.
    static QString HelpFilePath();

public slots:
    // Enter does nothing.
    void accept() override;
    // Esc and the close box: ends the editor once ConfirmDiscard allows it.
    void reject() override;
    // Every way the editor ends: remembers where the window was.
    void done(int nResult) override;

    void OnFileNew();
    void OnFileNewFromTemplate();
    void OnFileExportPreview();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    // Entry nIndex of Recent Files: opens it as Open does, or drops it from the list when the
    // file is gone.
    void OnFileMruFile(int nIndex);
    void OnFileMruClear();
    void OnFileExit();
    void OnEditUndo();
    void OnEditRedo();

    void OnEditSkinDetails();
    void OnShowNoteImage();
    void OnShowTitle();
    void OnShowMessage();
    void OnShowCloseButton();
    void OnZoomIn();
    void OnZoomOut();
    void OnActualSize();
    void OnZoomToFit();
    void OnShowGrid();
    void OnSnapToEdges();
    void OnPreviewSkin();
    void OnOpenInBitmapEditor();
    void OnColourChooser();
    void OnHelp();
    void OnWebSite();
    void OnGetSkins();
    void OnAbout();

    // The file of image nPart changed on disk: it comes into the skin as one step, after asking
    // when the component holds a bitmap not applied yet. The status line says what happened.
    void OnImageFileChanged(int nPart, const QString& strPath);
    void OnImageFileVanished(int nPart, const QString& strPath);

    // What a picker release reports: the rectangle of the current component, as one step.
    void OnPickRectChanged(const RECT& rect);

    // Hands the choice of the colour of picker nPickerId to the external colour chooser. The
    // editor is disabled while the chooser runs; its answer arrives in OnChooserFinished.
    void RequestExternalColour(int nPickerId);
    void OnChooserStarted(qint64 nPid);
    void OnChooserFinished(qint64 nPid, quint32 nResult);

private slots:
    // Opens the skin dropped last, once its drop has ended.
    void OnSkinDropped();

protected:
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dragMoveEvent(QDragMoveEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    struct MenuItem;

    void BuildLayout();
    void BuildMenus();
    // The View menu: zoom, grid, how keyed pixels show, snapping; its choices are remembered.
    void BuildViewMenu();
    void SetTransparencyDisplay(CSkinImageView::TransparencyDisplay display);
    void AddMenu(QMenu& menu, const MenuItem* pItems, std::size_t nCount);
    void AssignStandardKeys();
    void SetTabOrder();
    void ConnectPanels();
    void BuildRecentMenu();
    // Shows the list as the settings hold it now; another editor may have changed it.
    void UpdateRecentMenu();
    // A skin was opened or saved under path: it heads Recent Files and the dialogs open there.
    void NoteSkinFile(const std::filesystem::path& path);
    void RestoreWindowPlacement();
    void SaveWindowPlacement() const;

    // Accepts the drag or drop of file when the window can take it now, as a copy.
    bool AcceptFileDrag(QDropEvent& event, const DroppedFile& file) const;
    bool CanTake(const DroppedFile& file) const;
    void AnswerDrag(QDragMoveEvent& event, bool bEnter);
    void TakeDrop(QDropEvent& event);

    // Refreshes the enabled and checked state of every menu command. Runs when a menu is about
    // to show and after every change of the state the commands depend on, so shortcuts find
    // them current without any idle polling.
    void UpdateCommandStates();
    void UpdateCaption();

    // Makes pDocument the one the window edits; the old one goes once nothing shows it.
    void SetDocument(std::unique_ptr<CSkinDocument> pDocument);
    // Watches the bitmap files of the current document's images.
    void WatchImageFiles();
    // Reads image nPart from its file into the skin, and says so in the status line.
    void ReloadImageFile(int nPart, const QString& strPath);
    // Steps through the history, asking about unapplied field edits first.
    void StepHistory(bool bUndo);
    // Runs the save; true when the skin was written. Save As, or an untitled skin, asks for
    // the name.
    bool SaveSkin(bool bAskName);
    void ShowMissingPart(int nPart);
    // The document colour that picker nId sets for the current component.
    SkinColour ColourOfPicker(int nId) const;
    CColourPicker* ColourPickerById(int nId);
    void ToggleShowPart(int nBit);
    void CheckIssues();
    void OnIssueChosen(const SkinIssue& issue);
    void OnShowIssues();

    std::unique_ptr<CSkinDocument> m_pDocument;
    // Declared after the document it watches, so it goes first.
    std::unique_ptr<CImageFileWatcher> m_pWatcher;
    // A reload waits for the user's answer; later saves of that file are taken in by it.
    bool m_bAskingReload = false;
    CComponentPanel m_panelComponent;
    CColoursPanel m_panelColours;
    CImageViewPanel m_panelView;
    CIssuesPanel m_panelIssues;
    // Checks the skin once the changes of one turn of the event loop are in.
    QTimer m_issuesCheck;
    int m_nColourRequestId = 0;

    std::unique_ptr<CSkinnedNoteWnd> m_pPreview;
    // Runs the chooser for "Eyedropper Tool..."; lives until its finished() has been handled.
    std::unique_ptr<CProgramRunner> m_pRunner;
    QString m_strChooserProgram;
    // What the picker showed when its palette last dropped down: a chooser that gives no colour
    // puts it back.
    int m_nDropDownId = 0;
    COLORREF m_crDropDownColour = 0;
    COLORREF m_crBeforeRequest = 0;

    QFrame m_wndMenuLine;
    QMenuBar m_menuBar;
    QMenu m_menuFile;
    QMenu m_menuRecent;
    QMenu m_menuEdit;
    QMenu m_menuSkin;
    QMenu m_menuView;
    QMenu m_menuTransparency;
    QMenu m_menuTools;
    QMenu m_menuHelp;
    std::map<int, QAction*> m_commands;
    // What the drag over the window brings, read as it entered.
    DroppedFile m_dragged;
    std::filesystem::path m_droppedSkin;

    QVBoxLayout m_layoutTop;
    QHBoxLayout m_layoutMain;
    QVBoxLayout m_layoutLeft;
    QVBoxLayout m_layoutRight;
};
