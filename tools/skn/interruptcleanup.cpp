#include "interruptcleanup.h"

#include <array>
#include <csignal>
#include <cstring>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

using Char = std::filesystem::path::value_type;

// The handler may only read what is already in place: fixed buffers, no allocation.
constexpr std::size_t kMaxPaths = 8;
constexpr std::size_t kMaxPathLength = 4096;
std::array<std::array<Char, kMaxPathLength>, kMaxPaths> g_paths{};
volatile std::sig_atomic_t g_nPaths = 0;

constexpr std::array<int, 2> kSignals = {SIGINT, SIGTERM};

void RemovePath(const Char* pszPath)
{
#ifdef _WIN32
    if (_wunlink(pszPath) != 0) {
        _wrmdir(pszPath);
    }
#else
    if (unlink(pszPath) != 0) {
        rmdir(pszPath);
    }
#endif
}

extern "C" void RemoveTemporaryPaths(int nSignal)
{
    for (std::sig_atomic_t n = g_nPaths; n > 0; --n) {
        RemovePath(g_paths[static_cast<std::size_t>(n - 1)].data());
    }
    // The handler is reset to the default one, which ends the process once this returns.
    std::signal(nSignal, SIG_DFL);
    std::raise(nSignal);
}

#ifndef _WIN32
std::array<struct sigaction, kSignals.size()> g_previous{};

sigset_t HeldSignals()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int nSignal : kSignals) {
        sigaddset(&set, nSignal);
    }
    return set;
}
#endif

} // namespace

CInterruptCleanup::CInterruptCleanup()
{
    g_nPaths = 0;
#ifdef _WIN32
    for (const int nSignal : kSignals) {
        std::signal(nSignal, RemoveTemporaryPaths);
    }
#else
    struct sigaction action = {};
    action.sa_handler = RemoveTemporaryPaths;
    action.sa_mask = HeldSignals();
    for (std::size_t n = 0; n < kSignals.size(); ++n) {
        sigaction(kSignals[n], nullptr, &g_previous[n]);
        // A signal the caller chose to ignore (a job started with nohup) stays ignored.
        if (g_previous[n].sa_handler != SIG_IGN) {
            sigaction(kSignals[n], &action, nullptr);
        }
    }
#endif
}

CInterruptCleanup::~CInterruptCleanup()
{
#ifdef _WIN32
    for (const int nSignal : kSignals) {
        std::signal(nSignal, SIG_DFL);
    }
#else
    for (std::size_t n = 0; n < kSignals.size(); ++n) {
        sigaction(kSignals[n], &g_previous[n], nullptr);
    }
#endif
    g_nPaths = 0;
}

bool CInterruptCleanup::WhileHeld(const std::function<bool()>& step)
{
#ifdef _WIN32
    return step();
#else
    const sigset_t held = HeldSignals();
    sigset_t previous;
    sigprocmask(SIG_BLOCK, &held, &previous);
    const bool bResult = step();
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    return bResult;
#endif
}

void CInterruptCleanup::Add(const std::filesystem::path& path)
{
    const std::filesystem::path::string_type& native = path.native();
    if (g_nPaths >= static_cast<std::sig_atomic_t>(kMaxPaths) || native.size() >= kMaxPathLength) {
        return;
    }
    auto& slot = g_paths[static_cast<std::size_t>(g_nPaths)];
    std::memcpy(slot.data(), native.c_str(), (native.size() + 1) * sizeof(Char));
    // Counted only once the path is whole.
    g_nPaths = g_nPaths + 1;
}

void CInterruptCleanup::Clear()
{
    g_nPaths = 0;
}
