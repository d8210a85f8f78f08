// File stamps and the questions about files changed by other programs.
#include "platform/DiskStamp.h"

#include <sys/stat.h>

TDiskStamp StampOf(const std::string& path) {
    struct stat st {};
    TDiskStamp s;
    if (::stat(path.c_str(), &st) != 0) return s;
    s.exists = true;
    s.dev = st.st_dev;
    s.ino = st.st_ino;
    s.size = st.st_size;
    s.mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.ctimeNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return s;
}

TDiskChange CompareStamps(const TDiskStamp& known, const TDiskStamp& now) {
    if (known.exists && !now.exists) return TDiskChange::Deleted;
    if (!now.exists || known == now) return TDiskChange::None;
    return TDiskChange::Changed;
}

std::string OverwriteChangedQuestion(const std::string& path) {
    return "[ " + path + "] は読み込んだ後に他のプログラムで変更されています。\r\n上書きしますか？";
}

std::string SaveDeletedQuestion(const std::string& path) {
    return "[ " + path + "] は他のプログラムで削除されています。\r\n保存し直しますか？";
}
