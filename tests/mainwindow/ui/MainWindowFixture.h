// A main window with its pages over a temporary program and configuration folder.
#pragma once

#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/Pages.h"
#include "mainwindow/ui/PagesAttach.h"
#include "mainwindow/ui/SharedObjects.h"

#include "../../support/RecordingSink.h"
#include "../../support/ScopedEnv.h"
#include "../../support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class MainWindowFixture : public ::testing::Test {
  protected:
    MainWindowFixture() {
        std::filesystem::create_directories(d / "prog");
        info.programFolder = d / "prog/";
    }
    // Builds the window and attaches its pages.
    void MakeWindow() {
        fm = std::make_unique<TMainWindow>(dt, info);
        pages = AttachPages(*fm, dt);
    }

    TempDir d;
    ScopedEnv config{"XDG_CONFIG_HOME", d / "config"};
    RecordingSink sink;
    TStartUpInfo info;
    TSharedObjects dt;
    std::unique_ptr<TMainWindow> fm; // destroyed first, before the folders and the environment
    TPages* pages = nullptr;
};
