// The common ground of the graph window tests: fresh module state, a work
// list in memory, scripted prompts, distinct stored curve colours, and the
// graph window closed and deleted after each test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <string>
#include <vector>

#include "frame/settings.h"
#include "platform/graph/graph_control.h"
#include "spectrum/state.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"
#include "views/graph_window.h"
#include "views/state.h"

class GraphTest : public testing::Test {
protected:
    void SetUp() override {
        ResetSpectrumState();
        ResetSettingsState();
        ResetViewState();
        SettingsFolder = TestFolder::Path().string() + "/";
        for (int i = 0; i < 16; ++i) {
            LineColor[static_cast<std::size_t>(i)] = 1000 + i;
            LineType[static_cast<std::size_t>(i)] = i % 9;
        }
    }

    void TearDown() override {
        if (frmGraph* window = ActiveGraphWindow()) {
            window->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Writes the file under name and puts its full name on the work list.
    std::string Add(const SpectrumFileBuilder& file, const std::string& name) {
        const std::string path = std::filesystem::absolute(file.WriteTo(name)).string();
        host.WorkList.AddItem(path);
        return path;
    }

    // The graph window of a Graph Data command: opened when there is none,
    // styled for the work list.
    GraphControl& Graph() {
        if (ActiveGraphWindow() == nullptr) {
            OpenGraphWindow();
        }
        InitGraph(static_cast<int16_t>(host.WorkList.ListCount()));
        return *ActiveGraphWindow()->Graph1;
    }

    // Typed reads of the graph of the open window.
    GraphValue Get(int32_t id) const { return *ActiveGraphWindow()->Graph1->GetProperty(id); }
    GraphValue Get(int32_t id, int32_t curve) const {
        return *ActiveGraphWindow()->Graph1->GetProperty(id, curve);
    }
    double Number(int32_t id) const { return *GraphNumber(Get(id)); }
    double Number(int32_t id, int32_t curve) const { return *GraphNumber(Get(id, curve)); }
    std::string Text(int32_t id) const { return std::get<std::string>(Get(id)); }
    std::string Label(int32_t curve) const { return std::get<std::string>(Get(131, curve)); }
    bool Flag(int32_t id) const { return std::get<bool>(Get(id)); }
    double Y(int32_t curve, int32_t point) const {
        return *GraphNumber(*ActiveGraphWindow()->Graph1->GetProperty(222, curve, point));
    }
    double X(int32_t curve, int32_t point) const {
        return *GraphNumber(*ActiveGraphWindow()->Graph1->GetProperty(250, curve, point));
    }
    // Records every later write to the graph.
    void Observe() {
        writes.clear();
        ActiveGraphWindow()->Graph1->SetWriteObserver(
            [this](const GraphWrite& write) { writes.push_back(write); });
    }
    bool Written(int32_t id) const {
        for (const auto& write : writes) {
            if (write.Id == id) {
                return true;
            }
        }
        return false;
    }

    MemoryBatchHost host;
    ScriptedUi ui;
    std::vector<GraphWrite> writes;
};
