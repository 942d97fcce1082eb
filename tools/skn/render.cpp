#include "render.h"

#include "commands.h"
#include "quietprompts.h"
#include "skin.h"
#include "skinnednotewnd.h"

#include <QApplication>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>

namespace {

constexpr char kToolName[] = "tavelo-skn";

int Fail(std::ostream& err, const std::string& strSubject, const std::string& strProblem)
{
    err << kToolName << ": " << strSubject << ": " << strProblem << '\n';
    return kExitFailure;
}

bool HasEnv(const char* pszName)
{
    const char* const pszValue = std::getenv(pszName);
    return pszValue != nullptr && *pszValue != '\0';
}

// Scripts run on build machines without a display; Qt would refuse to start there.
void ChooseOffscreenWithoutDisplay()
{
#if defined(Q_OS_LINUX) || (defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN))
    if (!HasEnv("QT_QPA_PLATFORM") && !HasEnv("DISPLAY") && !HasEnv("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
}

// Qt's own notices (no runtime folder, no window masks offscreen) would break the promise of one
// line per failure.
void DropQtNotices(QtMsgType type, const QMessageLogContext& /*context*/, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s: %s\n", kToolName, qPrintable(text));
    }
}

// The note as drawn, with pixels outside its shape made fully transparent.
QImage DrawNote(CSkinnedNoteWnd& note)
{
    QImage image = note.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QRegion shape = note.mask();
    for (int y = 0; y < image.height(); ++y) {
        auto* const pRow = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            pRow[x] = shape.contains(QPoint(x, y)) ? (pRow[x] | 0xFF000000u) : 0u;
        }
    }
    return image;
}

bool WritePng(const QImage& image, const std::string& strOut, std::string& strProblem)
{
    QSaveFile file(QString::fromStdString(strOut));
    if (!file.open(QIODevice::WriteOnly)) {
        strProblem = file.errorString().toStdString();
        return false;
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        strProblem = writer.errorString().toStdString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        strProblem = file.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace

int RunRender(const std::string& strFile, const std::string& strOut,
              const std::optional<std::string>& message, std::ostream& err)
{
    const CQuietPromptScope quietPrompts;
    CSkin skin;
    CSkinFileStatus status;
    if (!skin.Load(std::filesystem::path(strFile), &status)) {
        return Fail(err, strFile, status.Describe());
    }
    if (const int nMissing = skin.GetMissingPart(); nMissing != SKINPART_NONE) {
        return Fail(err, strFile, "missing part: " + CSkin::GetPartName(nMissing));
    }

    ChooseOffscreenWithoutDisplay();
    qInstallMessageHandler(DropQtNotices);
    int argc = 1;
    char szName[] = "tavelo-skn";
    char* argv[] = {szName, nullptr};
    const QApplication app(argc, argv);

    CSkinnedNoteWnd note;
    // Drawn for the file only, never shown on a screen that happens to be there.
    note.setAttribute(Qt::WA_DontShowOnScreen);
    note.Create(nullptr);
    note.ApplySkin(&skin);
    if (!note.isVisible() || note.size().isEmpty()) {
        return Fail(err, strFile, "the images of the skin cannot be drawn");
    }
    if (message) {
        note.SetMessageText(QString::fromStdString(*message));
    }
    std::string strProblem;
    if (!WritePng(DrawNote(note), strOut, strProblem)) {
        return Fail(err, strOut, "cannot write the image: " + strProblem);
    }
    return kExitOk;
}
