// Desktop entries, copies and deletions for setup.
#include "setup/SetupFiles.h"

#include "app/ShellUtil.h"
#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

extern char** environ;

std::string QuoteExecArgument(const std::string& arg) {
    bool plain = !arg.empty();
    for (char c : arg)
        if (std::string_view(" \t\n\"'\\><~|&;$*?#()`").find(c) != std::string_view::npos)
            plain = false;
    if (plain) return arg;
    std::string q = "\"";
    for (char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') q += '\\';
        q += c;
    }
    return q + "\"";
}

namespace {

// A string value: backslash, line breaks and tabs escaped.
std::string escapeValue(const std::string& v) {
    std::string out;
    for (char c : v) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string execValue(const std::string& program) {
    std::string exec;
    for (char c : QuoteExecArgument(program)) {
        if (c == '%') exec += '%';
        exec += c;
    }
    return escapeValue(exec) + " %F";
}

} // namespace

std::string DesktopEntryText(const TDesktopEntry& e) {
    std::string folder = fs::path(e.program).parent_path().string();
    std::string t = "[Desktop Entry]\nType=Application\n";
    t += "Name=" + escapeValue(e.name) + "\n";
    if (!e.comment.empty()) t += "Comment=" + escapeValue(e.comment) + "\n";
    t += "Exec=" + execValue(e.program) + "\n";
    t += "Path=" + escapeValue(folder) + "\n";
    t += "Icon=tolmo\nTerminal=false\nCategories=Utility;TextEditor;\n";
    if (!e.mimeType.empty()) t += "MimeType=" + e.mimeType + "\n";
    if (e.noDisplay) t += "NoDisplay=true\n";
    return t;
}

bool PathExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

void CreateShortcut(const std::string& program, const std::string& folder,
                    const std::string& name) {
    TDesktopEntry e;
    e.program = program;
    e.name = name.empty() ? fs::path(program).filename().string() + "へのショートカット" : name;
    e.comment = "日本語テキストのメモ帳";
    const std::string dir = IncludeTrailingChar(folder, "/");
    const std::string file = dir + e.name + kShortcutExt;
    if (!EnsureFolder(dir, true, nullptr) || !WriteFileAtomic(file, DesktopEntryText(e)) ||
        ::chmod(file.c_str(), 0755) != 0)
        throw ESetupError(kShortcutError);
}

namespace {
std::vector<std::string> shortcutNames(const std::string& ownName) {
    return {std::string("Tolmo") + kShortcutExt, std::string("トルモ") + kShortcutExt,
            ownName + kShortcutExt};
}
} // namespace

bool ShortcutPresent(const std::string& folder, const std::string& ownName) {
    for (const std::string& n : shortcutNames(ownName))
        if (PathExists(folder + n)) return true;
    return false;
}

void DeleteShortcuts(const std::string& folder, const std::string& ownName) {
    for (const std::string& n : shortcutNames(ownName))
        DeleteFileIfExists(folder + n);
}

void CopyFileOver(const std::string& source, const std::string& target) {
    struct stat st {};
    if (::stat(source.c_str(), &st) != 0 || !CopyFileStream(source, target) ||
        ::chmod(target.c_str(), st.st_mode & 07777) != 0)
        throw ESetupError(kCopyError);
}

void DeleteFileIfExists(const std::string& path) {
    std::error_code ec;
    if (!PathExists(path)) return;
    if (!fs::remove(path, ec)) throw ESetupError(kDeleteError);
}

bool StartDetached(const std::vector<std::string>& argv, const std::string& workingFolder) {
    if (argv.empty()) return false;
    // A child that starts the program and ends at once, so that the program never becomes our
    // zombie; the working folder is set in the child before the program runs.
    int pipeFd[2];
    if (::pipe2(pipeFd, O_CLOEXEC) != 0) return false;
    pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeFd[0]);
        ::close(pipeFd[1]);
        return false;
    }
    if (child == 0) {
        ::close(pipeFd[0]);
        int ok = 0;
        if (::chdir(workingFolder.c_str()) == 0) {
            std::vector<char*> args;
            for (const std::string& a : argv)
                args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            ::setsid();
            pid_t pid;
            ok = ::posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) == 0;
        }
        char c = ok ? '1' : '0';
        (void)::write(pipeFd[1], &c, 1);
        ::_exit(0);
    }
    ::close(pipeFd[1]);
    char c = '0';
    while (::read(pipeFd[0], &c, 1) < 0 && errno == EINTR) {
    }
    ::close(pipeFd[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return c == '1';
}
