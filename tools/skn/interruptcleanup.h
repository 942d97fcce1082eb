#pragma once

#include <filesystem>
#include <functional>

// Removes the temporary files and folders of the running command when SIGINT or SIGTERM ends the
// process, then lets the signal end it as it would have. Paths are added last-created last and
// removed in the opposite order, files before the folder that holds them. One object at a time.
class CInterruptCleanup
{
public:
    CInterruptCleanup();
    ~CInterruptCleanup();

    CInterruptCleanup(const CInterruptCleanup&) = delete;
    CInterruptCleanup& operator=(const CInterruptCleanup&) = delete;

    // Runs step with both signals held back, so that creating or renaming a file and adding or
    // clearing its path happen as one. Returns what step returns.
    bool WhileHeld(const std::function<bool()>& step);
    // A path that the handler removes (a file, or an empty folder).
    void Add(const std::filesystem::path& path);
    void Clear();
};
