#pragma once

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brim::test {

// Runs `part` as an ordinary user: in a child that gives up root's rights when the tests run as
// root, whom folder and file permissions do not stop, after handing it `ownTree`. The child's
// exit code, `part`'s result, is the verdict; -1 when the child did not end normally.
inline int runAsOrdinaryUser(const std::filesystem::path& ownTree,
                             const std::function<int()>& part) {
    constexpr uid_t kUnprivilegedId = 65534; // "nobody"
    if (geteuid() != 0) {
        return part();
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ownTree)) {
        EXPECT_EQ(lchown(entry.path().c_str(), kUnprivilegedId, kUnprivilegedId), 0);
    }
    EXPECT_EQ(chown(ownTree.c_str(), kUnprivilegedId, kUnprivilegedId), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        if (setgid(kUnprivilegedId) != 0 || setuid(kUnprivilegedId) != 0) {
            _exit(99);
        }
        _exit(part());
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

} // namespace brim::test
