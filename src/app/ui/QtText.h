// Qt text of the core's UTF-8 strings.
#pragma once

#include <QString>

#include <string>

inline QString QStr(const std::string& s) {
    return QString::fromStdString(s);
}
