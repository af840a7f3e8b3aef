#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace tallimo::bench {

// Starts a program, looked up on PATH, with the benchmark's own environment; the first element
// names the program.
pid_t spawn(const std::vector<std::string>& command);

struct Ended {
    int exitCode;  // -1 when a signal ended the process
    long peakResidentKib;
};

// Waits for a started program to end.
Ended reap(pid_t pid);

// CPU time the process has used so far, all threads together.
std::chrono::nanoseconds cpuTime(pid_t pid);

struct ThreadWakeUps {
    std::string name;
    long count;
};

// How often each running thread of the process, by thread id, has gone to sleep and been woken
// again so far: its voluntary context switches.
std::map<pid_t, ThreadWakeUps> wakeUps(pid_t pid);

}  // namespace tallimo::bench
