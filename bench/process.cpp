#include "process.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

extern char** environ;

namespace tallimo::bench {

pid_t spawn(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        throw std::runtime_error("cannot start " + command.front());
    }
    return pid;
}

Ended reap(pid_t pid) {
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        throw std::runtime_error("lost process " + std::to_string(pid));
    }
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

std::chrono::nanoseconds cpuTime(pid_t pid) {
    clockid_t clock{};
    timespec used{};
    if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &used) != 0) {
        throw std::runtime_error("no CPU clock for process " + std::to_string(pid));
    }
    return std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
}

std::map<pid_t, ThreadWakeUps> wakeUps(pid_t pid) {
    std::map<pid_t, ThreadWakeUps> threads;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks)) {
        ThreadWakeUps thread{"", -1};
        std::getline(std::ifstream(task.path() / "comm"), thread.name);
        std::ifstream status(task.path() / "status");
        std::string field;
        while (status >> field) {
            if (field == "voluntary_ctxt_switches:") {
                status >> thread.count;
            }
        }
        // A thread that ended while it was being read is left out.
        if (thread.count >= 0) {
            threads.emplace(std::stoi(task.path().filename().string()), thread);
        }
    }
    return threads;
}

}  // namespace tallimo::bench
