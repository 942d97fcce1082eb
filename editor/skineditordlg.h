#pragma once

#include "colourpicker.h"
#include "skin.h"
#include "skinimageview.h"
#include "textlimit.h"

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <filesystem>
#include <map>
#include <memory>

class QAction;
class CProgramRunner;
class CSkinnedNoteWnd;

// The editor's five components, in the order of the Component list.
enum SkinComponent
{
    COMPONENT_NONE = -1,
    COMPONENT_MAIN_WINDOW = 0,
    COMPONENT_TITLE = 1,
    COMPONENT_CLOSE_BUTTON = 2,
    COMPONENT_CLOSE_HOVER = 3,
    COMPONENT_MESSAGE = 4,
};

// The main window: one skin document, edited one component at a time. The controls show the
// current component; "Apply" stores them into the skin. Two marks follow the edits: the skin is
// modified (" *" in the caption) and the controls hold changes not yet applied. Every command
// that would drop the skin asks first whether to save it.
//
// The class is split over several files by concern: the window, its layout and menus
// (skineditordlg.cpp), component editing (skineditordlgcomponent.cpp), the file commands
// (skineditordlgfile.cpp), the view and tool commands with the external colour chooser
// (skineditordlgview.cpp).
class CSkinEditorDlg : public QDialog
{
    Q_OBJECT

public:
    // Control and command ids; each widget and action carries its id as objectName.
    enum ControlId
    {
        IDC_BITMAP_PATH = 1001,
        IDC_BROWSE_BITMAP = 1002,
        IDC_LABEL_LEFT = 1003,
        IDC_LABEL_TOP = 1004,
        IDC_LABEL_RIGHT = 1005,
        IDC_LABEL_BOTTOM = 1006,
        IDC_VIEW_LINE = 1008,
        IDC_SET_BOX = 1009,
        IDC_LEFT = 1011,
        IDC_TOP = 1012,
        IDC_RIGHT = 1013,
        IDC_BOTTOM = 1014,
        IDC_COMPONENT = 1015,
        IDC_PICKER = 1016,
        IDC_BITMAP_GROUP = 1021,
        IDC_MESSAGE_BACK = 1023,
        IDC_VIEW_FRAME = 1024,
        IDC_APPLY = 1025,
        IDC_TRANSPARENT = 1026,
        IDC_TITLE_BACK = 1028,
        IDC_MESSAGE_TEXT = 1029,
        IDC_TITLE_TEXT = 1031,
        IDC_MESSAGE_FONT = 1032,
        IDC_TITLE_FONT = 1033,
    };
    enum CommandId
    {
        ID_FILE_NEW = 57600,
        ID_FILE_OPEN = 57601,
        ID_FILE_SAVE = 57603,
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
    };

    // Starts on a new, untitled skin with "Main Window" selected.
    explicit CSkinEditorDlg(QWidget* pParent = nullptr);
    ~CSkinEditorDlg() override;
    CSkinEditorDlg(const CSkinEditorDlg&) = delete;
    CSkinEditorDlg& operator=(const CSkinEditorDlg&) = delete;

    // Opens the skin file as the Open command does after its file dialog, without asking first.
    // The skin is replaced only by one read whole; on failure the user is told and everything
    // stays as it was. True when the file was opened.
    bool OpenSkinFile(const std::filesystem::path& strPath);

    void SetModified(bool bModified);
    // The controls hold edits of the current component that are not in the skin yet.
    void SetComponentModified(bool bModified);
    void UpdateCaption(const QString& strName, bool bModified);
    QString GetDocumentName() const;

    // True when the caller may drop or replace the skin: nothing unsaved, or the user saved it
    // or chose to drop it.
    bool ConfirmDiscard();
    // Before the skin is saved or dropped: asks whether changes of the current component not yet
    // applied go in first. False when the user cancels or they cannot be applied; "No" leaves
    // them in the controls, still marked.
    bool ConfirmApplyComponent();

    // Component editing.
    void SelectComponent();
    // Stores the controls into the skin; false, with the user told and the skin unchanged, when
    // the bitmap file named cannot be read as a BMP.
    bool ApplyComponent(int nComponent);
    // Asked when leaving a component; false when the user chose to apply and that failed.
    bool PromptApplyComponent(int nComponent);
    void RefreshImageView();
    RECT ReadBoxFields();
    void WriteBoxFields(int nLeft, int nTop, int nRight, int nBottom);
    void EnableBitmapGroup(bool bEnable);
    void EnableBoxGroup(bool bEnable);
    void UpdatePickerButton();

    const CSkin& GetSkin() const { return m_skin; }
    bool IsModified() const { return m_bModified; }
    bool IsComponentModified() const { return m_bComponentModified; }
    int GetComponent() const { return m_nComponent; }
    const std::filesystem::path& GetFilePath() const { return m_strFilePath; }
    const CSkinImageView& GetImageView() const { return m_wndImageView; }
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

    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileExit();

    void OnApply();
    void OnBrowseBitmap();
    void OnSetBox();
    void OnPickerButton();
    void OnEditSkinDetails();
    void OnShowNoteImage();
    void OnShowTitle();
    void OnShowMessage();
    void OnShowCloseButton();
    void OnPreviewSkin();
    void OnOpenInBitmapEditor();
    void OnColourChooser();
    void OnHelp();
    void OnWebSite();
    void OnGetSkins();
    void OnAbout();
    void OnMessageFont();
    void OnTitleFont();

    void OnPickRectChanged(const RECT& rect);
    void OnColourPicked(COLORREF crColour, int nId);
    void OnTransparentColour(COLORREF cr);

    // Hands the choice of the colour of picker nPickerId to the external colour chooser. The
    // editor is disabled while the chooser runs; its answer arrives in OnChooserFinished.
    void RequestExternalColour(int nPickerId);
    void OnChooserStarted(qint64 nPid);
    void OnChooserFinished(qint64 nPid, quint32 nResult);

protected:
    void changeEvent(QEvent* pEvent) override;

private:
    struct MenuItem;

    void BuildControls();
    void BuildLayout();
    void BuildMenus();
    void AddMenu(QMenu& menu, const MenuItem* pItems, std::size_t nCount);
    void SetTabOrder();
    void ConnectControls();
    void OnInitDialog();
    // The "Transparency:" label names the whole group's colour and keeps its enabled look while
    // the group around it is disabled.
    void KeepTransparencyLabelLook();

    // Refreshes the enabled and checked state of every menu command. Runs when a menu is about
    // to show and after every change of the state the commands depend on, so shortcuts find
    // them current without any idle polling.
    void UpdateCommandStates();

    // UpdateData(FALSE) and UpdateData(TRUE): the five text members to and from their edits.
    void PushFields();
    void PullFields();

    bool NewSkin();
    // Shows the skin that has just replaced the old one, saved at strFilePath ("" untitled).
    void StartDocument(const std::filesystem::path& strFilePath);
    // Reads the bitmap file of the path field for Apply; null after telling the user why not.
    std::unique_ptr<CDib> ReadComponentBitmap();
    // Runs the save; true when the skin was written.
    bool SaveSkin();
    bool PromptForSkinFile(bool bOpen, std::filesystem::path& strPath);
    void SetPickersFromSkin();
    void ShowMissingPart(int nPart);

    void ToggleShowPart(int nBit);
    void ChooseSkinFont(bool bTitle);
    CColourPicker* ColourPickerById(int nId);

    // The group boxes become the parents of the controls laid out in them, so they are declared
    // first and destroyed last.
    QGroupBox m_groupBitmap;
    QGroupBox m_groupBox;
    QGroupBox m_groupColours;

    CColourPicker m_btnTransparent;
    CColourPicker m_btnTitleText;
    CColourPicker m_btnTitleBack;
    CColourPicker m_btnMessageText;
    CColourPicker m_btnMessageBack;
    QPushButton m_btnPicker;
    QFrame m_wndViewLine;
    QFrame m_wndViewFrame;
    QComboBox m_cbComponent;
    QString m_strBitmapPath;
    QString m_strBottom;
    QString m_strLeft;
    QString m_strRight;
    QString m_strTop;
    CSkinImageView m_wndImageView;
    std::filesystem::path m_strFilePath;
    std::unique_ptr<CDib> m_pComponentImage;
    CSkin m_skin;
    QString m_strMainImagePath;
    QString m_strCloseImagePath;
    QString m_strCloseHoverImagePath;
    bool m_bModified = false;
    bool m_bComponentModified = false;
    int m_nComponent = COMPONENT_NONE;
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

    // The plain controls of the window, in tab order.
    QLabel m_labelComponent;
    QPushButton m_btnApply;
    QLineEdit m_editBitmapPath;
    QPushButton m_btnBrowse;
    QLabel m_labelLeft;
    QLineEdit m_editLeft;
    QLabel m_labelTop;
    QLineEdit m_editTop;
    QLabel m_labelRight;
    QLineEdit m_editRight;
    QLabel m_labelBottom;
    QLineEdit m_editBottom;
    QLabel m_labelHint;
    QPushButton m_btnSetBox;
    QPushButton m_btnMessageFont;
    QPushButton m_btnTitleFont;
    QLabel m_labelImageView;
    QLabel m_labelMessageText;
    QLabel m_labelMessageBack;
    QLabel m_labelTitleText;
    QLabel m_labelTitleBack;
    QLabel m_labelTransparency;
    QFrame m_wndMenuLine;

    // As long as a path the system takes, so a pasted path is never refused whole.
    CTextLimit m_limitPath{4096};
    CTextLimit m_limitLeft{4};
    CTextLimit m_limitTop{4};
    CTextLimit m_limitRight{4};
    CTextLimit m_limitBottom{4};

    QMenuBar m_menuBar;
    QMenu m_menuFile;
    QMenu m_menuSkin;
    QMenu m_menuTools;
    QMenu m_menuHelp;
    std::map<int, QAction*> m_commands;
    QShortcut m_keyHelp{QKeySequence(QKeySequence::HelpContents), this};

    QVBoxLayout m_layoutTop;
    QHBoxLayout m_layoutMain;
    QVBoxLayout m_layoutLeft;
    QHBoxLayout m_layoutComponent;
    QGridLayout m_layoutBitmap;
    QGridLayout m_layoutBox;
    QGridLayout m_layoutColours;
    QHBoxLayout m_layoutFonts;
    QGridLayout m_layoutView;
};
