#include "translationloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {

// The catalogue strName for locale from strFolder, installed and owned by app; null when there is
// none.
const QTranslator* InstallCatalogue(QCoreApplication& app, const QLocale& locale,
                                    const QString& strName, const QString& strFolder)
{
    auto pTranslator = std::make_unique<QTranslator>();
    if (!pTranslator->load(locale, strName, QStringLiteral("_"), strFolder)) {
        return nullptr;
    }
    QCoreApplication::installTranslator(pTranslator.get());
    pTranslator->setParent(&app);
    return pTranslator.release();
}

} // namespace

QString FindTranslationsFolder()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString& strFolder : {QStringLiteral("."), QStringLiteral("../Resources"),
                                     QStringLiteral(TAVELO_INSTALLED_DATA)}) {
        const QFileInfo folder(programDir.filePath(strFolder + QStringLiteral("/translations")));
        if (folder.isDir()) {
            return folder.absoluteFilePath();
        }
    }
    return {};
}

QString LoadTranslations(QCoreApplication& app, const QLocale& locale)
{
    const QString strFolder = FindTranslationsFolder();
    const QTranslator* const pOwn =
        strFolder.isEmpty() ? nullptr
                            : InstallCatalogue(app, locale, QStringLiteral("tavelo"), strFolder);
    if (pOwn == nullptr) {
        return {};
    }
    // Qt's own texts (standard buttons, file dialogs) only along with ours, so that a window
    // never mixes two languages; without them those stay English.
    InstallCatalogue(app, locale, QStringLiteral("qtbase"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return pOwn->language();
}
