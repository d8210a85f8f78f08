// A main window with its pages over a temporary program folder and configuration folder, the
// set-up the window tests share.
#pragma once

#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/Pages.h"
#include "mainwindow/ui/PagesAttach.h"
#include "mainwindow/ui/SharedObjects.h"

#include "../../support/RecordingSink.h"
#include "../../support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// Points an environment variable elsewhere for the life of the object.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            had_ = true;
            old_ = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

class MainWindowFixture : public ::testing::Test {
  protected:
    MainWindowFixture() {
        std::filesystem::create_directories(d / "prog");
        info.programFolder = d / "prog/";
    }
    // Builds the window and attaches its pages.
    void MakeWindow() {
        fm = std::make_unique<TfmEditor>(dt, info);
        pages = AttachPages(*fm, dt);
    }

    TempDir d;
    ScopedEnv config{"XDG_CONFIG_HOME", d / "config"};
    RecordingSink sink;
    TStartUpInfo info;
    TdtEditor dt;
    std::unique_ptr<TfmEditor> fm; // destroyed first, before the folders and the environment
    TPages* pages = nullptr;
};
