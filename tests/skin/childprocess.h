#pragma once

// Runs a piece of a test in a forked child under resource limits, so that running out of memory,
// hitting a file size limit or being killed can be tried without harming the test process.

#include <functional>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The child runs body and exits with its result; the wait status comes back (see sys/wait.h).
inline int RunInChild(const std::function<void()>& setUp, const std::function<int()>& body)
{
    const pid_t pid = fork();
    if (pid == 0) {
        setUp();
        _exit(body());
    }
    int nStatus = 0;
    waitpid(pid, &nStatus, 0);
    return nStatus;
}

inline void LimitResource(int nResource, rlim_t nBytes)
{
    const rlimit limit{nBytes, nBytes};
    setrlimit(nResource, &limit);
}
#endif

// AddressSanitizer reserves terabytes of address space, so an address-space limit cannot be
// tried under it.
#if defined(__SANITIZE_ADDRESS__)
#define TAVELO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVELO_ASAN 1
#endif
#endif
