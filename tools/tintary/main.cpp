// tintary: a colour dialog that can also pick a colour from anywhere on the screen. Started
// without arguments; reports the chosen colour, or that none was chosen, as colourreport.h says.

#include "colourreport.h"
#include "commandline.h"
#include "dialogscreenpicker.h"
#include "translationloader.h"

#include <QApplication>
#include <QColorDialog>
#include <QDBusConnection>
#include <QWindow>

#include <iostream>
#include <memory>

namespace {

// The window of the program that started the chooser, where another program's window can be
// named: X11 and Windows. Wayland keeps each program's windows to itself.
std::unique_ptr<QWindow> OwnerWindow()
{
    const QString strPlatform = QGuiApplication::platformName();
    if (strPlatform != QLatin1String("xcb") && strPlatform != QLatin1String("windows")) {
        return nullptr;
    }
    bool bOk = false;
    const qulonglong nId = qEnvironmentVariable(CHOOSER_OWNER_VARIABLE).toULongLong(&bOk);
    if (!bOk || nId == 0) {
        return nullptr;
    }
    return std::unique_ptr<QWindow>(QWindow::fromWinId(static_cast<WId>(nId)));
}

QStringList RawArguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int n = 0; n < argc; ++n) {
        arguments << QString::fromLocal8Bit(argv[n]);
    }
    return arguments;
}

} // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> nExit =
            AnswerWithoutDisplay(RawArguments(argc, argv), std::cout)) {
        return *nExit;
    }
    QApplication app(argc, argv);
    if (const std::optional<int> nExit = RefuseWrongUsage(QApplication::arguments(), std::cerr)) {
        return *nExit;
    }
    LoadTranslations(app);
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("Tintary"));
    // A part of Tavelo: desktops show it with the editor's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.corvane.Tavelo"));

    // Declared before the dialog, so it outlives the dialog's reference to it.
    const std::unique_ptr<QWindow> pOwner = OwnerWindow();
    QColorDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Tintary"));
    // Qt's own dialog everywhere: some desktops' native colour dialogs lack the screen picker.
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (pOwner) {
        // A modal dialog of the editor: the window manager keeps it above the editor and gives
        // it the clicks meant for the editor, which waits for it.
        dialog.winId();
        dialog.windowHandle()->setTransientParent(pOwner.get());
    }
    auto* const pScreenPicker = new CDialogScreenPicker(&dialog, QDBusConnection::sessionBus());
    pScreenPicker->Start(CurrentScreenPickContext());

    std::optional<COLORREF> chosen;
    if (dialog.exec() == QDialog::Accepted) {
        const QColor colour = dialog.selectedColor();
        chosen = RGB(static_cast<BYTE>(colour.red()), static_cast<BYTE>(colour.green()),
                     static_cast<BYTE>(colour.blue()));
    }
    return ReportColour(chosen, std::cout);
}
