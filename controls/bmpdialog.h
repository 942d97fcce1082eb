#pragma once

#include "bmppreview.h"
#include "bmppreviewbox.h"
#include "bmppreviewloader.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QWidget>

// The file open dialog for bitmaps, with a pane below the standard controls that previews the
// selected file scaled to fit and lists its width, height, colours and size. Images of other
// formats Qt reads are offered too, previewed as the 24-bit bitmaps they will become. "Show
// Preview" switches the preview off; its state holds for the rest of the run. Pictures load off the
// interface thread, only the current selection's is decoded, and the pane only ever shows the
// facts and picture of the current selection, or a note on why there is no picture.
class CBmpDialog : public QFileDialog
{
    Q_OBJECT

public:
    enum ControlId
    {
        IDC_PREVIEW = 5001,
        IDC_WIDTH = 5002,
        IDC_HEIGHT = 5003,
        IDC_COLOURS = 5004,
        IDC_SIZE = 5005,
        IDC_SHOW_PREVIEW = 5006,
        IDC_CONVERSION = 5007,
    };

    explicit CBmpDialog(QWidget* pParent = nullptr);
    ~CBmpDialog() override;
    CBmpDialog(const CBmpDialog&) = delete;
    CBmpDialog& operator=(const CBmpDialog&) = delete;

    // The chosen file's full path after the dialog was accepted.
    QString GetPathName() const;
    // Shows the preview being loaded now instead of when it is ready.
    void WaitForPreview();
    // The transparent colour of the component the file is for: a picture of another format is
    // previewed as it will be stored, its pixels with less than half alpha in this colour.
    void SetTransparentColour(COLORREF crTransparent);

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    void BuildPane();
    void OnSelChange(const QString& strPath);
    void OnShowPreviewClicked(bool bChecked);
    void ShowSelection();
    void ReleasePreview();
    void SetFactLines(const BmpPreview* pPreview);
    void OnPreviewLoaded(const BmpPreview& preview);

    // Lives for the run: the next opening starts with the user's last choice.
    static bool s_bShowPreview;

    QWidget m_pane;
    QGridLayout m_layoutPane{&m_pane};
    QLabel m_labelPreview;
    CBmpPreviewBox m_boxPreview;
    QLabel m_lineWidth;
    QLabel m_lineHeight;
    QLabel m_lineColours;
    QLabel m_lineSize;
    QLabel m_lineConversion;
    QCheckBox m_checkShowPreview;
    QString m_strSelection;
    CBmpPreviewLoader m_loader{this};
};
