#include "render.h"

#include "commands.h"
#include "notepicture.h"
#include "skin.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <ostream>

namespace {

constexpr char kToolName[] = "tavelo-skn";

int Fail(std::ostream& err, const std::string& strSubject, const std::string& strProblem)
{
    err << kToolName << ": " << strSubject << ": " << strProblem << '\n';
    return kExitFailure;
}

// Scripts run on build machines without a display, and thumbnailers in sandboxes where DISPLAY
// names one they cannot reach: Qt would refuse to start on either. Offscreen also draws the same
// picture whatever the user's screen scale is. An explicit platform is still honoured.
void ChooseOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

// Qt's own notices (no runtime folder, no window masks offscreen) would break the promise of one
// line per failure.
void DropQtNotices(QtMsgType type, const QMessageLogContext& /*context*/, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s: %s\n", kToolName, qPrintable(text));
    }
}

} // namespace

int RunRender(const std::string& strFile, const std::string& strOut, const RenderOptions& options,
              std::ostream& err)
{
    CSkin skin;
    CSkinFileStatus status;
    if (!skin.Load(std::filesystem::path(strFile), &status)) {
        return Fail(err, strFile, status.Describe());
    }
    if (const int nMissing = skin.GetMissingPart(); nMissing != SKINPART_NONE) {
        return Fail(err, strFile, "missing part: " + CSkin::GetPartName(nMissing));
    }

    ChooseOffscreen();
    qInstallMessageHandler(DropQtNotices);
    int argc = 1;
    char szName[] = "tavelo-skn";
    char* argv[] = {szName, nullptr};
    const QApplication app(argc, argv);

    QImage image = RenderNote(skin, options.message);
    if (image.isNull()) {
        return Fail(err, strFile, "the images of the skin cannot be drawn");
    }
    if (options.nSize) {
        image = ScaledToLongerSide(image, *options.nSize);
    }
    std::string strProblem;
    if (!WriteNotePng(image, std::filesystem::path(strOut), strProblem)) {
        return Fail(err, strOut, "cannot write the image: " + strProblem);
    }
    return kExitOk;
}
