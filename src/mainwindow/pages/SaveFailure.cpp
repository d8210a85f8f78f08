// The cause of a failed save, named for the user.
#include "mainwindow/pages/SaveFailure.h"

#include "mainwindow/pages/MyFileList.h"
#include "platform/DiskStamp.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

bool mentions(const std::string& error, int err) {
    return error.find(std::strerror(err)) != std::string::npos;
}

} // namespace

std::string SaveFailureCause(const std::string& path, const std::string& error) {
    std::string folder = PathFolder(path);
    if (folder.empty()) folder = "./";
    const std::string name = PathFileName(path);
    long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (nameMax <= 0) nameMax = NAME_MAX;
    if (static_cast<long>(name.size()) > nameMax || mentions(error, ENAMETOOLONG))
        return "ファイル名が長すぎます（" + std::to_string(name.size()) +
               " バイト。このフォルダでは " + std::to_string(nameMax) + " バイトまでです）。";
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return "フォルダ [" + folder + "] がありません。";
    struct statvfs fs {};
    const bool haveFs = ::statvfs(folder.c_str(), &fs) == 0;
    if (mentions(error, ENOSPC) || mentions(error, EDQUOT) || (haveFs && fs.f_bavail == 0))
        return "ディスクに空きがありません（フォルダ [" + folder + "]）。";
    if (mentions(error, EROFS) || (haveFs && (fs.f_flag & ST_RDONLY)))
        return "フォルダ [" + folder + "] は読み取り専用の場所にあります。";
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return "フォルダ [" + folder + "] に書き込む許可がありません（保存では新しいファイルを" +
               "同じフォルダに書いてから置き換えるため、フォルダへの書き込みが要ります）。";
    if (::stat(path.c_str(), &st) == 0 && ::access(path.c_str(), W_OK) != 0)
        return "[" + path + "] に書き込む許可がありません。";
    return {};
}

std::string SaveFailureMessage(const std::string& path, const std::string& error) {
    // The user declined writing over another program's change: nothing failed.
    const std::string cause = error == kSaveDeclined ? "" : SaveFailureCause(path, error);
    std::string m = "[" + path + "]を保存できません。\r\n";
    if (!cause.empty())
        m += cause + "\r\n" + (error.empty() ? "" : "（" + error + "）\r\n");
    else if (!error.empty())
        m += error + "\r\n";
    return m + "テキストはページに残っています。";
}
