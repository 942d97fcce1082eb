#include "bundledfiles.h"

#include "qtconvert.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString FindBundledPath(const QString& strName)
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString& strFolder : {QStringLiteral("."), QStringLiteral("../Resources"),
                                     QStringLiteral(TAVELO_INSTALLED_DATA)}) {
        const QFileInfo file(programDir.filePath(strFolder + QLatin1Char('/') + strName));
        if (file.exists()) {
            return file.absoluteFilePath();
        }
    }
    return {};
}

std::vector<std::filesystem::path> FindTemplates()
{
    const QString strFolder = FindBundledPath(QStringLiteral("templates"));
    if (strFolder.isEmpty()) {
        return {};
    }
    std::vector<std::filesystem::path> templates;
    const QDir folder(strFolder);
    for (const QFileInfo& file : folder.entryInfoList({QStringLiteral("*.skn")},
                                                      QDir::Files | QDir::Readable, QDir::Name)) {
        templates.push_back(toPath(file.absoluteFilePath()));
    }
    return templates;
}
