#include "game_process.h"

#include "test_images.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

void redirect(int stream, const std::string& path)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || dup2(fd, stream) < 0)
        _exit(127);
    close(fd);
}

// The caught-signal mask of a process, from /proc: bit n - 1 is signal n.
unsigned long long caughtSignals(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("SigCgt:", 0) == 0)
            return std::stoull(line.substr(7), nullptr, 16);
    return 0;
}

}  // namespace

RunDirectoryCopy::RunDirectoryCopy()
{
    char pattern[] = "/tmp/korvath-run-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("cannot make a temporary directory");
    path_ = pattern;
    fs::copy_file("korvath", path_ + "/korvath");
    fs::copy("media", path_ + "/media", fs::copy_options::recursive);
}

RunDirectoryCopy::~RunDirectoryCopy()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

GameProcess::GameProcess(const std::string& directory, const std::vector<std::string>& command,
                         const std::vector<std::string>& environment)
    : directory_(directory)
{
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);
    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        if (chdir(directory.c_str()) != 0)
            _exit(127);
        redirect(STDOUT_FILENO, "stdout.txt");
        redirect(STDERR_FILENO, "stderr.txt");
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        // No settings file of the tester's: every setting at its default.
        setenv("XDG_CONFIG_HOME", (directory + "/.config").c_str(), 1);
        for (const std::string& entry : environment) {
            const size_t equals = entry.find('=');
            if (equals == std::string::npos)
                unsetenv(entry.c_str());
            else
                setenv(entry.substr(0, equals).c_str(), entry.c_str() + equals + 1, 1);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
}

GameProcess::~GameProcess()
{
    if (!hasEnded()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status_, 0);
    }
}

bool GameProcess::hasEnded()
{
    if (!ended_ && waitpid(pid_, &status_, WNOHANG) == pid_)
        ended_ = true;
    return ended_;
}

bool GameProcess::waitUntil(const std::function<bool()>& state, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!state() && !hasEnded() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kPollInterval);
    return state();
}

bool GameProcess::waitToCatchQuitSignal(double seconds)
{
    return waitUntil([this] { return (caughtSignals(pid_) >> (SIGTERM - 1)) & 1; }, seconds);
}

void GameProcess::requestQuit()
{
    kill(pid_, SIGTERM);
}

std::vector<std::string> GameProcess::openFiles() const
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid_) + "/fd", error)) {
        const fs::path target = fs::read_symlink(fd.path(), error);
        if (!error)
            names.push_back(target.string());
    }
    return names;
}

int GameProcess::exitCode() const
{
    return ended_ && WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

int GameProcess::endingSignal() const
{
    return ended_ && WIFSIGNALED(status_) ? WTERMSIG(status_) : 0;
}

std::string GameProcess::standardOutput() const
{
    return readText(directory_ + "/stdout.txt");
}

std::string GameProcess::standardError() const
{
    return readText(directory_ + "/stderr.txt");
}

std::string GameProcess::summary() const
{
    std::ostringstream text;
    if (!ended_)
        text << "still running";
    else if (endingSignal())
        text << "killed by signal " << endingSignal();
    else
        text << "exit code " << exitCode();
    text << "; stdout \"" << standardOutput() << "\"; stderr \"" << standardError() << "\"";
    return text.str();
}
