// The real game as a child process in a throw-away copy of the run
// directory, its output caught in files there.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

// A copy of the run directory's korvath and media/ under /tmp, removed again
// when the copy goes out of scope.
class RunDirectoryCopy {
public:
    RunDirectoryCopy();
    ~RunDirectoryCopy();
    RunDirectoryCopy(const RunDirectoryCopy&) = delete;
    RunDirectoryCopy& operator=(const RunDirectoryCopy&) = delete;

    const std::string& path() const { return path_; }
    // A file of the copy, given relative to it ("media/backdrop.tga").
    std::string file(const std::string& relative) const { return path_ + "/" + relative; }

private:
    std::string path_;
};

// A command, ./korvath by default, started in a directory with the dummy
// sound driver unless the environment names one and the directory's own
// (empty) .config/; `environment` holds NAME=value entries to set and bare
// NAMEs to remove. Killed if still running when it goes out of scope.
class GameProcess {
public:
    explicit GameProcess(const std::string& directory, const std::vector<std::string>& command = {"./korvath"},
                         const std::vector<std::string>& environment = {});
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    bool hasEnded();
    // Polls until `state` holds, the process ends or `seconds` pass; whether it holds.
    bool waitUntil(const std::function<bool()>& state, double seconds);
    bool waitForEnd(double seconds) { return waitUntil([this] { return hasEnded(); }, seconds); }
    // Waits for SDL to catch SIGTERM, from then on turning it into the quit
    // event that the main loop honours (before, it would kill the game).
    bool waitToCatchQuitSignal(double seconds);
    // Sends SIGTERM, as the platform does when it asks a program to close.
    void requestQuit();
    pid_t pid() const { return pid_; }
    // What its open file descriptors name now: paths, "socket:[n]", ...
    std::vector<std::string> openFiles() const;

    // After the end: the exit code as the shell sees it (-1 when a signal
    // ended it), the signal (0 if none), and what it wrote.
    int exitCode() const;
    int endingSignal() const;
    std::string standardOutput() const;
    std::string standardError() const;
    // One line saying how it ended and what it wrote, for failure messages.
    std::string summary() const;

private:
    std::string directory_;
    pid_t pid_;
    bool ended_ = false;
    int status_ = 0;
};
