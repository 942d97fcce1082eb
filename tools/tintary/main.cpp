// tintary: a colour dialog that can also pick a colour from anywhere on the screen. Started
// without arguments; reports the chosen colour, or that none was chosen, as colourreport.h says.

#include "colourreport.h"

#include <QApplication>
#include <QColorDialog>

#include <iostream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("Tintary"));

    QColorDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Tintary"));
    // Qt's own dialog everywhere: some desktops' native colour dialogs lack the screen picker.
    dialog.setOption(QColorDialog::DontUseNativeDialog);

    std::optional<COLORREF> chosen;
    if (dialog.exec() == QDialog::Accepted) {
        const QColor colour = dialog.selectedColor();
        chosen = RGB(static_cast<BYTE>(colour.red()), static_cast<BYTE>(colour.green()),
                     static_cast<BYTE>(colour.blue()));
    }
    return ReportColour(chosen, std::cout);
}
