#pragma once

#include "promptservice.h"
#include "skin.h"
#include "skincomponent.h"

#include <QFlags>
#include <QObject>
#include <QUndoStack>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

// One part of the skin that an operation changed; views repaint or refill only what they show.
enum class SkinChange : unsigned
{
    TitleRect = 1U << 0,
    MessageRect = 1U << 1,
    CloseRect = 1U << 2,
    MainImage = 1U << 3,
    CloseImage = 1U << 4,
    CloseHoverImage = 1U << 5,
    MainTransparent = 1U << 6,
    CloseTransparent = 1U << 7,
    CloseHoverTransparent = 1U << 8,
    MessageText = 1U << 9,
    MessageBack = 1U << 10,
    TitleText = 1U << 11,
    TitleBack = 1U << 12,
    TitleFont = 1U << 13,
    MessageFont = 1U << 14,
    Information = 1U << 15,
    ImagePath = 1U << 16, // the bitmap file a component's image was taken from
    All = (1U << 17) - 1,
};
Q_DECLARE_FLAGS(SkinChanges, SkinChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(SkinChanges)

SkinChange ChangeOf(SkinRect rect);
SkinChange ChangeOf(SkinColour colour);
SkinChange ChangeOf(SkinFont font);
SkinChange ImageChangeOf(int nPart);

// What Apply stores for one component: the fields the user edited.
struct ComponentEdit
{
    std::optional<RECT> rect;        // for components whose rectangle is typed
    std::unique_ptr<CDib> pImage;    // a new image; null keeps the one the skin has
    std::filesystem::path imagePath; // the bitmap file the component's image comes from
};

// One skin being edited: the skin, its file and its history. The skin changes only through the
// operations below; each one that changes something is one undo step and emits changed() once,
// saying what changed. The document is modified while its undo stack is away from the index at
// which it was last loaded or saved.
//
// The document shows nothing: the editor's panels and views listen to its signals.
class CSkinDocument : public QObject
{
    Q_OBJECT

public:
    // A new, untitled skin with the defaults of CSkin.
    explicit CSkinDocument(QObject* pParent = nullptr);
    ~CSkinDocument() override;
    CSkinDocument(const CSkinDocument&) = delete;
    CSkinDocument& operator=(const CSkinDocument&) = delete;

    // A document holding the skin file at path, or null with the reason in status.
    static std::unique_ptr<CSkinDocument> Open(const std::filesystem::path& path,
                                               CSkinFileStatus& status);
    // A new, untitled skin holding what the template at path holds: saving it asks for a name, so
    // the template itself is never written. Null with the reason in status when it cannot be read.
    static std::unique_ptr<CSkinDocument> FromTemplate(const std::filesystem::path& path,
                                                       CSkinFileStatus& status);

    const CSkin& GetSkin() const { return m_skin; }
    // The file the skin was read from or last saved as; empty while untitled.
    std::filesystem::path GetFilePath() const { return m_skin.GetPath(); }
    bool IsUntitled() const { return GetFilePath().empty(); }
    bool IsModified() const { return !m_undoStack.isClean(); }
    QUndoStack& UndoStack() { return m_undoStack; }
    const QUndoStack& UndoStack() const { return m_undoStack; }

    RECT GetRect(SkinRect rect) const;
    COLORREF GetColour(SkinColour colour) const;
    LOGFONT GetFont(SkinFont font) const;
    SkinInformation GetInformation() const;
    // The bitmap file a component's image was last taken from; a skin file holds none.
    std::filesystem::path GetImagePath(int nPart) const;

    // The operations. Each is one undo step named after what it changes, and does nothing when
    // the skin already holds the value.
    void SetRect(SkinRect rect, const RECT& rc);
    // The same from the keyboard: a burst of nudges of one rectangle is one step.
    void NudgeRect(SkinRect rect, const RECT& rc);
    void SetColour(SkinColour colour, COLORREF cr);
    void SetFont(SkinFont font, const LOGFONT& lf);
    void SetInformation(const SkinInformation& info);
    // Stores what Apply takes for nComponent as one step, "Apply <component>".
    void ApplyComponent(SkinComponent nComponent, ComponentEdit edit);
    // Image nPart read again from its file, which changed on disk: "Reload <image>".
    void ReloadImage(int nPart, std::unique_ptr<CDib> pImage);

    // Writes the skin to path; on success the document takes that name and becomes clean, on
    // failure nothing changes and status says why.
    bool Save(const std::filesystem::path& path, CSkinFileStatus& status);

    // What the undo and redo steps are called.
    static QString RectName(SkinRect rect);
    static QString ColourName(SkinColour colour);
    static QString FontName(SkinFont font);
    static QString ImageName(int nPart);

signals:
    void changed(SkinChanges what);
    void modifiedChanged(bool bModified);
    void filePathChanged();

private:
    template <class Key, class Value>
    friend class CExchangeCommand;
    friend class CBatchCommand;
    friend class CNudgeCommand;

    // Each exchanges the value held by the skin with value; undo and redo both come down to it.
    void Exchange(SkinRect rect, RECT& value);
    void Exchange(SkinColour colour, COLORREF& value);
    void Exchange(SkinFont font, LOGFONT& value);
    void Exchange(std::nullptr_t, SkinInformation& value);
    void Exchange(int nPart, std::unique_ptr<CDib>& value);
    // The bitmap file of image nPart.
    void Exchange(int nPart, std::filesystem::path& value);

    // Changes made between BeginChange and EndChange are announced together, once.
    void BeginChange();
    void EndChange();
    void Announce(SkinChanges what);

    CSkin m_skin;
    std::array<std::filesystem::path, 3> m_imagePaths;
    QUndoStack m_undoStack;
    int m_nChangeDepth = 0;
    SkinChanges m_pending;
};
