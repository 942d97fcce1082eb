#pragma once

// What the editor window tests share: finding controls by id, choosing components as the user
// does, a settings store of their own, and skin and bitmap files in a temporary folder.

#include "bitmaps.h"
#include "files.h"
#include "scriptedprompts.h"
#include "settings.h"
#include "skineditordlg.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>

inline const std::filesystem::path kSamplesDir = TAVELO_SAMPLES_DIR;

template <class T>
T* Control(const CSkinEditorDlg& dlg, int nId)
{
    T* const pControl = dlg.findChild<T*>(QString::number(nId));
    if (pControl == nullptr) {
        qFatal("no control %d", nId);
    }
    return pControl;
}

inline QLineEdit* Edit(const CSkinEditorDlg& dlg, int nId)
{
    return Control<QLineEdit>(dlg, nId);
}

// As the user's choice in the list: the selection changes, then the list notifies.
inline void ChooseComponent(CSkinEditorDlg& dlg, int nComponent)
{
    QComboBox* const pList = Control<QComboBox>(dlg, CSkinEditorDlg::IDC_COMPONENT);
    pList->setCurrentIndex(nComponent);
    emit pList->activated(nComponent);
}

inline void Trigger(CSkinEditorDlg& dlg, int nCommand)
{
    QAction* const pAction = dlg.GetCommand(nCommand);
    QVERIFY(pAction != nullptr);
    QVERIFY(pAction->isEnabled());
    pAction->trigger();
}

inline void Click(const CSkinEditorDlg& dlg, int nId)
{
    QTest::mouseClick(Control<QWidget>(dlg, nId), Qt::LeftButton);
}

inline void Type(const CSkinEditorDlg& dlg, int nId, const QString& strText)
{
    QLineEdit* const pEdit = Edit(dlg, nId);
    pEdit->clear();
    QTest::keyClicks(pEdit, strText);
}

inline QString FieldText(const CSkinEditorDlg& dlg, int nId)
{
    return Edit(dlg, nId)->text();
}

inline QStringList BoxFields(const CSkinEditorDlg& dlg)
{
    return {FieldText(dlg, CSkinEditorDlg::IDC_LEFT), FieldText(dlg, CSkinEditorDlg::IDC_TOP),
            FieldText(dlg, CSkinEditorDlg::IDC_RIGHT), FieldText(dlg, CSkinEditorDlg::IDC_BOTTOM)};
}

inline bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The settings of the test run live in a folder of their own, emptied for each test.
class SettingsSandbox
{
public:
    SettingsSandbox()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(m_dir.Path().string()));
    }
    static void Clear() { Open().clear(); }
    static QSettings Open()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Corvane"),
                         QStringLiteral("Tavelo"));
    }
    static QVariant Stored(const QString& strName)
    {
        return Open().value(QCoreApplication::applicationName() + QLatin1Char('/') + strName);
    }
    static void Store(const QString& strName, const QVariant& value)
    {
        Open().setValue(QCoreApplication::applicationName() + QLatin1Char('/') + strName, value);
    }

private:
    TempDir m_dir;
};

// A bitmap file of the given size, all one colour.
inline std::filesystem::path WriteBitmap(const TempDir& dir, const std::string& strName,
                                         LONG nWidth, LONG nHeight, std::uint8_t r = 200,
                                         std::uint8_t g = 100, std::uint8_t b = 50)
{
    const std::filesystem::path path = dir / strName;
    WriteBytesTo(path, MakeSolidBmp(nWidth, nHeight, r, g, b));
    return path;
}

// A copy of a sample skin in dir, for tests that write over it.
inline std::filesystem::path CopySample(const TempDir& dir, const std::string& strName)
{
    const std::filesystem::path path = dir / strName;
    std::filesystem::copy_file(kSamplesDir / strName, path,
                               std::filesystem::copy_options::overwrite_existing);
    return path;
}

// Marks the skin modified with the smallest change there is: one colour.
inline void MarkModified(CSkinEditorDlg& dlg)
{
    CSkinDocument& document = dlg.GetDocument();
    document.SetColour(SkinColour::TitleBack,
                       document.GetColour(SkinColour::TitleBack) ^ RGB(1, 1, 1));
}

// Opens a skin through the File menu, answering its file dialog.
inline void OpenThroughMenu(CSkinEditorDlg& dlg, CScriptedPrompts& prompts,
                            const std::filesystem::path& path)
{
    prompts.QueueSkinFileAnswer(path);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_OPEN);
}

// Browses a bitmap for the current component and applies it.
inline void ApplyBitmap(CSkinEditorDlg& dlg, CScriptedPrompts& prompts,
                        const std::filesystem::path& path)
{
    prompts.QueueBitmapFileAnswer(path);
    Click(dlg, CSkinEditorDlg::IDC_BROWSE_BITMAP);
    Click(dlg, CSkinEditorDlg::IDC_APPLY);
}

// An untitled skin with all three images, applied and so modified.
inline void MakeCompleteUntitledSkin(CSkinEditorDlg& dlg, CScriptedPrompts& prompts,
                                     const TempDir& dir)
{
    ApplyBitmap(dlg, prompts, WriteBitmap(dir, "main.bmp", 40, 30));
    ChooseComponent(dlg, COMPONENT_CLOSE_BUTTON);
    ApplyBitmap(dlg, prompts, WriteBitmap(dir, "close.bmp", 8, 8));
    ChooseComponent(dlg, COMPONENT_CLOSE_HOVER);
    ApplyBitmap(dlg, prompts, WriteBitmap(dir, "hover.bmp", 8, 8));
    ChooseComponent(dlg, COMPONENT_MAIN_WINDOW);
}

inline const std::string kSaveFirst =
    "You have made changes to this skin.  Would you like to save first?";
inline const std::string kApplyFirst = "You've changed this component.  Would you like to apply "
                                       "the changes before switching to a new component?";
inline const std::string kApplyBeforeSaving =
    "You've changed this component.  Would you like to apply the changes first?";
inline const std::string kMissingPart =
    "You have not entered valid information for the following portion of the skin:\n\n";
