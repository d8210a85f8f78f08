// Permission checks need an ordinary user: root passes every read-only folder and file. Run as
// root (as CI does), a test calls RunsAsOrdinaryUser(), which runs that same test again in a new
// process as the user "nobody" (through setpriv) and reports that run's result as its own.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// True when this process is an ordinary user: the caller goes on with its checks. False when it
// is root: the test has then been run as "nobody", and a failure there failed this test.
inline bool RunsAsOrdinaryUser() {
    if (::geteuid() != 0) return true;
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter =
        std::string("--gtest_filter=") + info->test_suite_name() + "." + info->name();
    char exe[PATH_MAX] = {};
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    const passwd* pw = ::getpwnam("nobody");
    const uid_t uid = pw ? pw->pw_uid : 65534;
    const gid_t gid = pw ? pw->pw_gid : 65534;
    // A temporary folder the user can write in, whatever TMPDIR root has; the program is run from
    // a copy there, as the build folder may be closed to other users.
    char tmp[] = "/tmp/tolmo-user-XXXXXX";
    std::error_code ec;
    const auto program = [&] { return std::string(tmp) + "/test-program"; };
    if (n <= 0 || !::mkdtemp(tmp) || ::chown(tmp, uid, gid) != 0 ||
        !std::filesystem::copy_file(std::string(exe, static_cast<std::size_t>(n)), program(), ec) ||
        ::chmod(program().c_str(), 0755) != 0) {
        ADD_FAILURE() << "cannot prepare the test program for the ordinary user " << ec.message();
        return false;
    }
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("TMPDIR=", 0) != 0) env.emplace_back(*e);
    env.push_back(std::string("TMPDIR=") + tmp);
    std::vector<std::string> args = {"setpriv",
                                     "--reuid=" + std::to_string(uid),
                                     "--regid=" + std::to_string(gid),
                                     "--clear-groups",
                                     "--",
                                     program(),
                                     filter};
    std::vector<char*> envp, argv;
    for (std::string& e : env)
        envp.push_back(e.data());
    for (std::string& a : args)
        argv.push_back(a.data());
    envp.push_back(nullptr);
    argv.push_back(nullptr);
    pid_t pid = 0;
    int status = -1;
    const int spawned = ::posix_spawnp(&pid, "setpriv", nullptr, nullptr, argv.data(), envp.data());
    if (spawned == 0) ::waitpid(pid, &status, 0);
    std::filesystem::remove_all(tmp, ec);
    EXPECT_EQ(spawned, 0) << "setpriv could not be started";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the test failed when run as the ordinary user " << uid;
    return false;
}
