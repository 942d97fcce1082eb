#include "qtpromptservice.h"

#include "logfontdialog.h"
#include "qtconvert.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {

const char* const kTitle = "Tavelo";

QMessageBox::StandardButtons ButtonsOf(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok:
        return QMessageBox::Ok;
    case PromptButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::None:
        return QMessageBox::NoIcon;
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Exclamation:
        return QMessageBox::Warning;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Stop:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

// The open modal dialog (the editor itself runs as one) before the active window: right after a
// file dialog closes, the window manager may not have handed the focus back yet, and a box
// without a parent would open at the screen's centre, apart from the editor.
QWidget* CQtPromptService::DialogParent()
{
    if (QWidget* const pModal = QApplication::activeModalWidget()) {
        return pModal;
    }
    return QApplication::activeWindow();
}

PromptAnswer CQtPromptService::ShowMessage(std::string_view text, PromptButtons buttons,
                                           PromptIcon icon)
{
    QMessageBox box(IconOf(icon), kTitle,
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    ButtonsOf(buttons), DialogParent());
    // Escape and the close box give the answer that changes nothing.
    switch (box.exec()) {
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    default:
        return SafeAnswer(buttons);
    }
}

std::optional<COLORREF> CQtPromptService::ChooseColour(COLORREF crInitial)
{
    const QColor colour = QColorDialog::getColor(toQColor(crInitial), DialogParent());
    if (!colour.isValid()) {
        return std::nullopt;
    }
    return toColorRef(colour);
}

std::optional<std::filesystem::path>
CQtPromptService::ChooseSkinFile(FileDialogMode mode, const std::filesystem::path& folder)
{
    QFileDialog dialog(DialogParent());
    if (!folder.empty()) {
        dialog.setDirectory(pathToQString(folder));
    }
    dialog.setNameFilter(QCoreApplication::translate("CQtPromptService", "Skin Files(*.skn)"));
    dialog.setDefaultSuffix(QStringLiteral("skn"));
    if (mode == FileDialogMode::Save) {
        // Save As: choosing an existing skin asks before replacing it.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return toPath(dialog.selectedFiles().constFirst());
}

std::optional<std::filesystem::path>
CQtPromptService::ChoosePngFile(const std::filesystem::path& suggested)
{
    QFileDialog dialog(DialogParent());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QCoreApplication::translate("CQtPromptService", "PNG Images (*.png)"));
    dialog.setDefaultSuffix(QStringLiteral("png"));
    if (!suggested.parent_path().empty()) {
        dialog.setDirectory(pathToQString(suggested.parent_path()));
    }
    dialog.selectFile(pathToQString(suggested.filename()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return toPath(dialog.selectedFiles().constFirst());
}

std::optional<LOGFONT> CQtPromptService::ChooseFont(const LOGFONT& initial)
{
    CLogFontDialog dialog(initial, DialogParent());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.GetLogFont();
}
