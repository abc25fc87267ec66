// The common ground of the operation tests: fresh module state, an output
// folder "out" in the test's own folder, a main window of lists in memory and
// scripted prompts.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "frame/settings.h"
#include "spectrum/state.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

class BatchTest : public testing::Test {
protected:
    void SetUp() override {
        ResetSpectrumState();
        ResetSettingsState();
        std::filesystem::create_directories("out");
        OutputDirectory = (TestFolder::Path() / "out").string();
    }

    // Writes the file under name and puts it on the work list.
    void Add(const SpectrumFileBuilder& file, const std::string& name) {
        host.WorkList.AddItem(std::filesystem::absolute(file.WriteTo(name)).string());
    }

    std::string Output(const std::string& name) const { return OutputDirectory + "/" + name; }

    MemoryBatchHost host;
    ScriptedUi ui;
};
