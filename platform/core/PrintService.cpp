#include "platform/core/PrintService.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

std::string Trimmed(std::string s)
{
    while (!s.empty() && (s.back() == '\n' || s.back() == ' ' || s.back() == '\r'))
        s.pop_back();
    return s;
}

} // namespace

std::string PrintServiceCommand()
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        const size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = folders.substr(start, end - start);
        if (!folder.empty()) {
            const std::string candidate = folder + "/lp";
            if (::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

void RequirePrintService()
{
    if (PrintServiceCommand().empty())
        throw EPrintError("There is no print service on this computer: the lp command of the print system (CUPS) "
                          "was not found. Install it, or export the chart to a PDF file and print that.");
}

std::string PrintPdfFile(const std::string& Path, const std::string& Title)
{
    RequirePrintService();
    const std::string command = PrintServiceCommand();
    // What lp prints, on standard output and error alike, comes back through a pipe.
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        throw EPrintError(std::string("The print service could not be started: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::vector<std::string> args{"lp", "-t", Title, "--", Path};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, command.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        throw EPrintError("The print service (" + command + ") could not be started: " + std::strerror(spawned));
    }
    std::string said;
    char buffer[1024];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0)
            said.append(buffer, size_t(n));
    ::close(pipeFds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    said = Trimmed(said);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw EPrintError("The print service did not take the chart" + (said.empty() ? std::string(".") : ": " + said));
    return said;
}
