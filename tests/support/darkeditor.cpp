// Not a test: the editor as a desktop with a dark colour scheme shows it, for the manual's
// screenshot (scripts/dark-screenshot). Takes the editor's own command line.
#include "darkpalette.h"
#include "skineditorapp.h"

#include <QStyleFactory>

int main(int argc, char* argv[])
{
    CSkinEditorApp app(argc, argv);
    // The palette after the style: setting a style puts back the style's own palette.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(DarkPalette());
    return app.InitInstance();
}
