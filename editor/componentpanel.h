#pragma once

#include "colourpicker.h"
#include "skindocument.h"
#include "textlimit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <filesystem>
#include <memory>

// The left-hand controls of one component: the Component list with Apply, the bitmap file with
// its transparent colour, and the typed bounding rectangle. The fields show what the document
// holds for the component; edits of the path and the rectangle wait for Apply, and mark the
// component until then. The transparent colour goes into the document as soon as it is chosen.
class CComponentPanel : public QWidget
{
    Q_OBJECT

public:
    explicit CComponentPanel(QWidget* pParent = nullptr);

    // Shows the document's values for the current component, dropping unapplied edits.
    void SetDocument(CSkinDocument* pDocument);

    int GetComponent() const { return m_nComponent; }
    // The component's name as the list shows it.
    QString GetComponentName() const { return m_cbComponent.itemText(m_nComponent); }
    const ComponentTraits* GetTraits() const { return TraitsOf(m_nComponent); }
    bool IsComponentModified() const { return m_bComponentModified; }
    void SetComponentModified(bool bModified);
    QString GetBitmapPath() const { return m_editBitmapPath.text(); }
    // The image read from a path field not applied yet; null when there is none or it cannot be
    // read (HasPendingPath tells the two apart).
    const CDib* GetPendingImage() const { return m_pPendingImage.get(); }
    bool HasPendingPath() const { return !m_pendingPath.empty(); }

    // Stores the fields into the document as one step; false, with the user told and nothing
    // stored, when the bitmap file named cannot be read as a BMP.
    bool ApplyComponent();
    // Asked when leaving a component: Yes or No. False when the user chose to apply and that
    // failed.
    bool PromptApplyComponent();
    // Before the skin is saved or dropped: Yes, No or Cancel. False when the user cancels or the
    // edits cannot be applied; "No" leaves them in the fields, still marked.
    bool ConfirmApplyComponent();
    // The fields show the document again, without their unapplied edits.
    void ShowComponent();
    // Moves to nComponent as the user's choice in the list does, asking about unapplied changes
    // first; false when the user stays.
    bool ChooseComponent(int nComponent);
    // The path field names another file for image nPart than the document holds, and waits for
    // Apply.
    bool HasBitmapEdit(int nPart) const;
    // The path field shows the document's file again; typed numbers stay as they are.
    void DropBitmapEdit();
    // True when the component has a bitmap, so a dropped image can become it.
    bool CanTakeBitmap() const;
    // The dropped file takes the path field as a browsed one does.
    void TakeDroppedBitmap(const std::filesystem::path& path);
    // The list takes the focus when the window opens.
    QComboBox& ComponentList() { return m_cbComponent; }

signals:
    // The list moved to another component and the fields show it.
    void componentChanged(int nComponent);
    void componentModifiedChanged(bool bModified);
    // The path field names another file than the document holds, or no longer does.
    void pendingImageChanged();
    void bitmapPathChanged();
    // Apply stored image nPart as read from its file just now.
    void imageTaken(int nPart);
    // The file Apply read was not a BMP and became one.
    void imageConverted(const QString& strFileName, const QString& strFormat);
    // Set Box: the typed rectangle should show in the view, with the picker.
    void boxShown(const RECT& rect);
    // The automatic entry of the transparent colour's palette was chosen.
    void externalColourRequested(int nPickerId);

protected:
    void changeEvent(QEvent* pEvent) override;

private:
    // Sets the path field as Browse does: the component is marked and the view shows the file.
    void TakeBitmapPath(const QString& strPath);
    // The typed rectangle, normalised.
    RECT ReadBoxFields();
    void BuildControls();
    // The names a screen reader gives the controls.
    void NameControls();
    void BuildLayout();
    void OnComponentActivated();
    void OnBrowseBitmap();
    void OnSetBox();
    void OnPathEdited();
    void OnTransparentColour(COLORREF cr, int nId);
    void OnDocumentChanged(SkinChanges what);
    void WriteBoxFields(const RECT& rc);
    void WriteBitmapPath(const QString& strPath);
    void ShowTransparentColour();
    // Reads the path field's file for the view when it differs from the document's.
    void UpdatePendingImage();
    // Reads the bitmap file of the path field for Apply; null after telling the user why not.
    // Reads the path field's file; says why when it cannot, and that it converted when it did.
    std::unique_ptr<CDib> ReadComponentBitmap();
    // The key colour of the component's image, which clear pixels of a converted image take.
    COLORREF TransparentColour() const;
    void KeepTransparencyLabelLook();

    QPointer<CSkinDocument> m_pDocument;
    int m_nComponent = COMPONENT_MAIN_WINDOW;
    bool m_bComponentModified = false;
    std::unique_ptr<CDib> m_pPendingImage;
    std::filesystem::path m_pendingPath;

    // The group boxes parent the controls laid out in them, so they are declared first.
    QGroupBox m_groupBitmap;
    QGroupBox m_groupBox;
    QLabel m_labelComponent;
    QComboBox m_cbComponent;
    QPushButton m_btnApply;
    QLineEdit m_editBitmapPath;
    QPushButton m_btnBrowse;
    QLabel m_labelTransparency;
    CColourPicker m_btnTransparent;
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

    // As long as a path the system takes, so a pasted path is never refused whole.
    CTextLimit m_limitPath{4096};
    CTextLimit m_limitLeft{4};
    CTextLimit m_limitTop{4};
    CTextLimit m_limitRight{4};
    CTextLimit m_limitBottom{4};

    QVBoxLayout m_layout;
    QHBoxLayout m_layoutComponent;
    QGridLayout m_layoutBitmap;
    QGridLayout m_layoutBox;
};
