// SIGINT and SIGTERM end the process as they would have, and take its temporary files along.

#include "../skin/childprocess.h"
#include "files.h"
#include "interruptcleanup.h"

#include <gtest/gtest.h>

#include <csignal>

TEST(InterruptCleanup, ASignalRemovesThePathsAndStillEndsTheProcess)
{
#ifdef _WIN32
    GTEST_SKIP() << "needs fork";
#else
    for (const int nSignal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(nSignal);
        TempDir dir;
        const std::filesystem::path folder = dir / "staging";
        const int nStatus = RunInChild([=] { std::signal(nSignal, SIG_DFL); },
                                       [&] {
                                           CInterruptCleanup cleanup;
                                           cleanup.WhileHeld([&] {
                                               std::filesystem::create_directory(folder);
                                               cleanup.Add(folder);
                                               // Held back until both are in place.
                                               std::raise(nSignal);
                                               WriteBytesTo(folder / "file", {1, 2, 3});
                                               cleanup.Add(folder / "file");
                                               return true;
                                           });
                                           return 0;
                                       });
        ASSERT_TRUE(WIFSIGNALED(nStatus));
        EXPECT_EQ(WTERMSIG(nStatus), nSignal);
        EXPECT_TRUE(dir.FileNames().empty());
    }
#endif
}
