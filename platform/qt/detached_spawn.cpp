#include "detached_spawn.h"

#include "launch_environment.h"

#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Everything below runs between fork and exec, so it sticks to async-signal-safe calls.
// Close-on-exec rather than closed: the report pipe must stay open until exec succeeds.
void MarkDescriptorsCloseOnExec() {
    if (close_range(3, ~0u, CLOSE_RANGE_CLOEXEC) == 0)
        return;
    for (int fd = 3; fd < 65536; ++fd)
        fcntl(fd, F_SETFD, FD_CLOEXEC);
}

// Dispositions the program set for itself (SIGXFSZ ignored for its saves, say) survive exec.
void DefaultSignals() {
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber)
        sigaction(signalNumber, &byDefault, nullptr); // SIGKILL, SIGSTOP: refused, harmless
}

[[noreturn]] void ExecProgram(char* const* argv, char* const* envp, int reportFd) {
    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull >= 0) {
        dup2(devNull, STDIN_FILENO);
        if (devNull != STDIN_FILENO)
            close(devNull);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    DefaultSignals();
    MarkDescriptorsCloseOnExec();
    execve(argv[0], argv, envp);
    const int error = errno;
    [[maybe_unused]] const auto written = write(reportFd, &error, sizeof error);
    _exit(127);
}

bool WaitForExit(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Pointers to each of `words`, then a null one, as exec takes them.
std::vector<char*> Pointers(std::vector<QByteArray>& words) {
    std::vector<char*> pointers;
    for (QByteArray& word : words)
        pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

int SpawnDetached(const QString& program, const QStringList& arguments) {
    const QString path =
        program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return ENOENT;
    // Built before fork: the child may not allocate.
    std::vector<QByteArray> words{QFile::encodeName(path)};
    for (const QString& argument : arguments)
        words.push_back(argument.toLocal8Bit());
    const QByteArrayList user = UserEnvironment();
    std::vector<QByteArray> environment(user.begin(), user.end());
    const std::vector<char*> argv = Pointers(words);
    const std::vector<char*> envp = Pointers(environment);

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return errno;
    const pid_t child = fork();
    if (child == 0) {
        // The middle process ends at once, so the program is handed to init and reaped there.
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0)
            ExecProgram(argv.data(), envp.data(), report[1]);
        _exit(grandchild > 0 ? 0 : 1);
    }
    close(report[1]);
    const bool forked = child > 0 && WaitForExit(child);
    int error = 0;
    ssize_t got = 0;
    do {
        got = read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    if (!forked)
        return ECHILD;
    // Nothing on the pipe: it closed at a successful exec.
    return got == 0 ? 0 : got == sizeof error ? error : EIO;
}
