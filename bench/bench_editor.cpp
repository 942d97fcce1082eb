// The editor window with a large skin open, at 1024 x 1024 and 4096 x 4096 main images, each
// operation timed in turns with its floor (timeagainstfloor.h) on the offscreen platform:
//
// - a component switch and a picker release, each until painted, against one full repaint of
//   the image view; goal: within 2x;
// - opening a skin to its first paint, against a read of the file and one 24 to 32-bit pass over
//   the main image's pixels; goal: within 3x;
// - a text colour chosen until the view has painted it, against one drawImage of the view's size;
// - the editor's memory with the skin open, at peak and held, against the main image's raw pixel
//   bytes, measured in a process of its own (editor_memory.cpp); goal: held within 3x.
//
// "Until painted" means until the event loop has delivered every paint the operation asked for.

#include "benchskin.h"
#include "bytestream.h"
#include "colourpicker.h"
#include "skineditordlg.h"
#include "timeagainstfloor.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QTest>
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

fs::path Folder()
{
    static const bench::CTempFolder folder("tavelo-bench-editor-");
    return folder.GetPath();
}

// Two copies of the skin of each size, so that opening one never finds it already open.
fs::path SkinFile(std::uint32_t nSide, int nCopy = 0)
{
    static std::map<std::uint32_t, std::array<fs::path, 2>> files;
    auto [it, bNew] = files.try_emplace(nSide);
    if (bNew) {
        for (int n = 0; n < 2; ++n) {
            const fs::path path =
                Folder() / ("skin-" + std::to_string(nSide) + "-" + std::to_string(n) + ".skn");
            bench::WriteSkin(path, nSide);
            it->second.at(static_cast<std::size_t>(n)) = path;
        }
    }
    return it->second.at(static_cast<std::size_t>(nCopy));
}

// Counts the paints of a widget and of everything inside it.
class CPaintCounter : public QObject
{
public:
    explicit CPaintCounter(QWidget& widget) : m_widget(widget) { qApp->installEventFilter(this); }
    ~CPaintCounter() override { qApp->removeEventFilter(this); }
    CPaintCounter(const CPaintCounter&) = delete;
    CPaintCounter& operator=(const CPaintCounter&) = delete;

    int GetCount() const { return m_nPaints; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Paint && pWatched->isWidgetType()) {
            auto* const pWidget = static_cast<QWidget*>(pWatched);
            if (pWidget == &m_widget || m_widget.isAncestorOf(pWidget)) {
                ++m_nPaints;
            }
        }
        return false;
    }

private:
    QWidget& m_widget;
    int m_nPaints = 0;
};

// One editor window, shown, with a skin open.
class CEditorSession
{
public:
    explicit CEditorSession(const fs::path& skin)
    {
        m_dlg.show();
        if (!QTest::qWaitForWindowExposed(&m_dlg) || !m_dlg.OpenSkinFile(skin)) {
            throw std::runtime_error("the editor did not open " + skin.string());
        }
        PaintPending();
    }

    // Delivers every paint asked for so far.
    static void PaintPending() { QCoreApplication::processEvents(); }

    CSkinEditorDlg& Dialog() { return m_dlg; }
    CSkinImageView& View() { return m_view; }
    CColourPicker& TitleTextPicker() { return m_titleText; }
    const CPaintCounter& ViewPaints() const { return m_paints; }

    void ChooseComponent(int nComponent)
    {
        m_list.setCurrentIndex(nComponent);
        emit m_list.activated(nComponent);
    }

    // Turns of the operation, for those that alternate between two values.
    int m_nTurn = 0;

private:
    template <class T>
    T& Find(const QString& strName = {})
    {
        T* const pChild = m_dlg.findChild<T*>(strName);
        if (pChild == nullptr) {
            throw std::runtime_error("the editor has no control " + strName.toStdString());
        }
        return *pChild;
    }

    CSkinEditorDlg m_dlg;
    CSkinImageView& m_view = Find<CSkinImageView>();
    QComboBox& m_list = Find<QComboBox>(QString::number(CSkinEditorDlg::IDC_COMPONENT));
    CColourPicker& m_titleText =
        Find<CColourPicker>(QString::number(CSkinEditorDlg::IDC_TITLE_TEXT));
    CPaintCounter m_paints{m_view};
};

std::unique_ptr<CEditorSession>& CurrentSession()
{
    static std::unique_ptr<CEditorSession> pSession;
    return pSession;
}

// Each benchmark function runs many times; its editor stays open between them. One editor at a
// time, so that a 4096 x 4096 skin is not held twice.
CEditorSession& Session(const std::string& strBenchmark, std::uint32_t nSide)
{
    static std::string strKey;
    std::unique_ptr<CEditorSession>& pSession = CurrentSession();
    const std::string strWanted = strBenchmark + "/" + std::to_string(nSide);
    if (!pSession || strKey != strWanted) {
        pSession.reset();
        pSession = std::make_unique<CEditorSession>(SkinFile(nSide));
        strKey = strWanted;
    }
    return *pSession;
}

std::uint32_t Side(const benchmark::State& state)
{
    return static_cast<std::uint32_t>(state.range(0));
}

// The floor of a repaint depends on how much of the image the view shows.
void LabelWithViewSize(benchmark::State& state, const CSkinImageView& view)
{
    state.SetLabel("view " + std::to_string(view.width()) + " x " + std::to_string(view.height()));
}

// Round the component list, each switch until painted, against floor.
template <class Floor>
void TimeComponentSwitch(benchmark::State& state, const std::string& strSession, Floor floor)
{
    CEditorSession& s = Session(strSession, Side(state));
    bench::TimeAgainstFloor(
        state,
        [&s] {
            s.ChooseComponent(++s.m_nTurn % 5);
            CEditorSession::PaintPending();
            return true;
        },
        [&s, &floor] {
            floor(s);
            return true;
        });
    LabelWithViewSize(state, s.View());
}

void BM_ComponentSwitch(benchmark::State& state)
{
    TimeComponentSwitch(state, "switch", [](CEditorSession& s) { s.View().repaint(); });
}

// The same switch against what the user sees change: one full repaint of the whole window.
void BM_ComponentSwitchVsWindow(benchmark::State& state)
{
    TimeComponentSwitch(state, "switch-window", [](CEditorSession& s) { s.Dialog().repaint(); });
}

// Two places in turn, so each release moves the rectangle.
void BM_PickerRelease(benchmark::State& state)
{
    const auto nSide = static_cast<LONG>(Side(state));
    CEditorSession& s = Session("release", Side(state));
    if (s.m_nTurn == 0) {
        s.ChooseComponent(COMPONENT_TITLE);
        CEditorSession::PaintPending();
    }
    const std::array<RECT, 2> places{RECT{24, 16, nSide - 64, 48}, RECT{40, 24, nSide / 2, 60}};
    bench::TimeAgainstFloor(
        state,
        [&s, &places] {
            emit s.View().pickRectChanged(places.at(static_cast<std::size_t>(++s.m_nTurn % 2)));
            CEditorSession::PaintPending();
            return true;
        },
        [&s] {
            s.View().repaint();
            return true;
        });
    LabelWithViewSize(state, s.View());
}

// The floor: the file read whole, and the main image's pixels once from 24 to 32 bits.
bool ReadAndWiden(benchmark::State& state, const fs::path& path, std::uint32_t nSide)
{
    std::vector<std::uint8_t> bytes;
    const std::size_t nStride = (std::size_t{nSide} * 3 + 3) / 4 * 4;
    if (!ReadWholeFile(path, bytes) || bytes.size() < nStride * nSide) {
        state.SkipWithError("cannot read the benchmark skin");
        return false;
    }
    const auto nWidth = static_cast<int>(nSide);
    const QImage pixels(bytes.data(), nWidth, nWidth, static_cast<qsizetype>(nStride),
                        QImage::Format_BGR888);
    benchmark::DoNotOptimize(pixels.convertToFormat(QImage::Format_RGB32).constBits());
    return true;
}

void BM_OpenSkin(benchmark::State& state)
{
    const std::uint32_t nSide = Side(state);
    CEditorSession& s = Session("open", nSide);
    bench::TimeAgainstFloor(
        state,
        [&s, &state, nSide] {
            const int nPaints = s.ViewPaints().GetCount();
            if (!s.Dialog().OpenSkinFile(SkinFile(nSide, ++s.m_nTurn % 2))) {
                state.SkipWithError("the editor did not open the skin");
                return false;
            }
            CEditorSession::PaintPending();
            if (s.ViewPaints().GetCount() == nPaints) {
                state.SkipWithError("the opened skin was not painted");
                return false;
            }
            return true;
        },
        [&state, nSide] { return ReadAndWiden(state, SkinFile(nSide, 1), nSide); });
}

// A title text colour chosen in its picker, until the view has painted it.
void BM_EditToRepaint(benchmark::State& state)
{
    CEditorSession& s = Session("edit", Side(state));
    QAction* const pShowTitle = s.Dialog().GetCommand(CSkinEditorDlg::ID_SHOW_TITLE);
    if (pShowTitle != nullptr && !pShowTitle->isChecked()) {
        pShowTitle->trigger();
    }
    CEditorSession::PaintPending();
    const QImage opaque(s.View().size(), QImage::Format_RGB32);
    QImage target(s.View().size(), QImage::Format_ARGB32_Premultiplied);
    bench::TimeAgainstFloor(
        state,
        [&s, &state] {
            const int nPaints = s.ViewPaints().GetCount();
            const COLORREF crText = ++s.m_nTurn % 2 == 0 ? RGB(200, 40, 40) : RGB(40, 40, 200);
            CColourPicker& picker = s.TitleTextPicker();
            picker.SetColour(crText);
            emit picker.colourOk(crText, picker.GetDlgCtrlID());
            CEditorSession::PaintPending();
            if (s.ViewPaints().GetCount() == nPaints) {
                state.SkipWithError("the view did not repaint after the edit");
                return false;
            }
            return true;
        },
        [&opaque, &target] {
            QPainter painter(&target);
            painter.drawImage(0, 0, opaque);
            painter.end();
            benchmark::DoNotOptimize(target.constBits());
            return true;
        });
    LabelWithViewSize(state, s.View());
}

// What a helper process reports: the bytes the editor took at its peak while opening the skin,
// and the bytes it holds once the skin is shown.
bool MeasureMemory(const fs::path& skin, std::int64_t& nPeak, std::int64_t& nHeld)
{
    std::array<int, 2> pipeEnds{};
    if (pipe(pipeEnds.data()) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::string strProgram = TAVELO_EDITOR_MEMORY_PROGRAM;
    std::string strSkin = skin.string();
    std::array<char*, 3> argv{strProgram.data(), strSkin.data(), nullptr};
    pid_t pid = 0;
    const bool bStarted = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string strOutput;
    std::array<char, 256> buffer{};
    for (ssize_t n = 0; bStarted && (n = read(pipeEnds[0], buffer.data(), buffer.size())) > 0;) {
        strOutput.append(buffer.data(), static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    int nStatus = 0;
    if (!bStarted || waitpid(pid, &nStatus, 0) != pid || !WIFEXITED(nStatus) ||
        WEXITSTATUS(nStatus) != 0) {
        return false;
    }
    long long nPeakRead = 0;
    long long nHeldRead = 0;
    if (std::sscanf(strOutput.c_str(), "%lld %lld", &nPeakRead, &nHeldRead) != 2) {
        return false;
    }
    nPeak = nPeakRead;
    nHeld = nHeldRead;
    return true;
}

void BM_EditorMemory(benchmark::State& state)
{
    const std::uint32_t nSide = Side(state);
    const fs::path skin = SkinFile(nSide);
    std::int64_t nPeak = 0;
    std::int64_t nHeld = 0;
    for ([[maybe_unused]] auto _ : state) {
        if (!MeasureMemory(skin, nPeak, nHeld)) {
            state.SkipWithError("the memory helper failed");
            return;
        }
    }
    state.counters["peak_bytes"] = static_cast<double>(nPeak);
    state.counters["held_bytes"] = static_cast<double>(nHeld);
    state.counters["raw_bytes"] = static_cast<double>(std::int64_t{nSide} * nSide * 3);
}

} // namespace

BENCHMARK(BM_ComponentSwitch)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ComponentSwitchVsWindow)
    ->Arg(1024)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK(BM_PickerRelease)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_OpenSkin)
    ->Arg(1024)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(2.0);
BENCHMARK(BM_EditToRepaint)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_EditorMemory)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QApplication app(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString((Folder() / "settings").string()));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    CurrentSession().reset();
    benchmark::Shutdown();
    return 0;
}
