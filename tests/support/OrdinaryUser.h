// Permission checks need an ordinary user: root passes every read-only folder and file. Run as
// root (as CI does), a test calls RunsAsOrdinaryUser(), which runs that same test again in a new
// process as the user "nobody" (through setpriv) and reports that run's result as its own.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// True when this process is an ordinary user: the caller goes on with its checks. False when it
// is root: the test has then been run as "nobody", and a failure there failed this test.
inline bool RunsAsOrdinaryUser() {
    if (::geteuid() != 0) return true;
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    char exe[PATH_MAX] = {};
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    const passwd* pw = ::getpwnam("nobody");
    const std::string uid = std::to_string(pw ? pw->pw_uid : 65534);
    const std::string gid = std::to_string(pw ? pw->pw_gid : 65534);
    // A temporary folder the user can write in, whatever TMPDIR root has; the program is run from
    // a copy there, as the build folder may be closed to other users.
    char tmp[] = "/tmp/tolmo-user-XXXXXX";
    std::error_code ec;
    const bool made =
        n > 0 && ::mkdtemp(tmp) && ::chown(tmp, std::stoul(uid), std::stoul(gid)) == 0;
    const std::string program = std::string(tmp) + "/test-program";
    if (!made || !std::filesystem::copy_file(exe, program, ec) ||
        ::chmod(program.c_str(), 0755) != 0) {
        ADD_FAILURE() << "cannot prepare the test program for the ordinary user " << ec.message();
        return false;
    }
    const std::string command = "TMPDIR=" + std::string(tmp) + " setpriv --reuid=" + uid +
                                " --regid=" + gid + " --clear-groups -- " + program +
                                " --gtest_filter=" + info->test_suite_name() + "." + info->name();
    const int status = std::system(command.c_str());
    std::filesystem::remove_all(tmp, ec);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the test failed when run as the ordinary user " << uid;
    return false;
}
