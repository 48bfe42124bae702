#pragma once
// Runs a program as its own process with a given standard input and collects its
// standard output, standard error and exit status. Files stand in for pipes, so a
// chatty program can never deadlock the caller.

#include "support/TempDir.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace quantrel::test {

struct ProcessResult {
    int exitCode = -1; ///< -1 when the program could not be started or was killed
    std::string out;
    std::string err;
};

inline ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                                const std::string& input = {}) {
    const TempDir dir;
    const std::string inPath = dir.Write("in", input), outPath = dir.File("out"),
                      errPath = dir.File("err");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<char*> argv;
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    ProcessResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
            result.exitCode = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    const auto slurp = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    };
    result.out = slurp(outPath);
    result.err = slurp(errPath);
    return result;
}

} // namespace quantrel::test
