#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

// The folder of the program's catalogues (tavelo_<language>.qm), found relative to the program as
// its other bundled files are; empty when there is none.
QString FindTranslationsFolder();

// Installs the program's catalogue and Qt's own for the first of the user's languages that has
// one, into app, which owns them. Needs no display, so command-line tools may call it too.
// Returns the language of the program's catalogue taken, or an empty string when English stays.
QString LoadTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());
