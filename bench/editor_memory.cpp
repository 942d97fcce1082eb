// The memory helper of the editor benchmark: shows the editor window, opens the skin given and
// prints two numbers, the bytes the process took beyond its resident set before the open at the
// peak of opening the skin up to its first paint, and the bytes it still holds beyond it then.
// A process of its own, so no other benchmark's allocations count.
#include "skineditordlg.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// A field of /proc/self/status ("VmRSS", "VmHWM") in bytes; -1 when missing.
long long StatusBytes(const std::string& strField)
{
    std::ifstream status("/proc/self/status");
    std::string strName;
    long long nKiB = 0;
    std::string strUnit;
    while (status >> strName) {
        if (strName == strField + ":" && status >> nKiB >> strUnit) {
            return nKiB * 1024;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

// Starts the peak anew from the present resident set.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.skn\n", argv[0]);
        return 2;
    }
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    CSkinEditorDlg dlg;
    dlg.show();
    if (!QTest::qWaitForWindowExposed(&dlg)) {
        return 1;
    }
    QCoreApplication::processEvents();

    ResetPeak();
    const long long nBefore = StatusBytes("VmRSS");
    if (!dlg.OpenSkinFile(argv[1])) {
        return 1;
    }
    QCoreApplication::processEvents();
    const long long nPeak = StatusBytes("VmHWM");
    const long long nHeld = StatusBytes("VmRSS");
    if (nBefore < 0 || nPeak < 0 || nHeld < 0) {
        return 1;
    }
    std::printf("%lld %lld\n", nPeak - nBefore, nHeld - nBefore);
    return 0;
}
