// A profile section held in memory, for the lists that store themselves in Tolmo.rec or Tolmo.ini.
#pragma once

#include "mainwindow/pages/MyFileList.h"

#include <map>
#include <string>

struct MemSection {
    std::map<std::string, std::string> values;
    int failAfter = -1; // number of writes that succeed, -1 = all
    TProfileSection section() {
        return {[this](const std::string& k, const std::string& d) {
                    auto it = values.find(k);
                    return it == values.end() ? d : it->second;
                },
                [this](const std::string& k, const std::string& v) {
                    if (failAfter == 0) return false;
                    if (failAfter > 0) --failAfter;
                    values[k] = v;
                    return true;
                }};
    }
};
