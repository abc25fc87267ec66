// The reflectance batch through the real batch code, over 2,000 full-size
// version-7 files, against reading and writing the same bytes with plain
// calls: what the batch machinery costs on top of the disk.
//
// Reports the batch's files per second, the plain pass's, and their ratio.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "frame/batch_host.h"
#include "frame/settings.h"
#include "ops/calibration/reflectance_batch.h"
#include "platform/ui/ui.h"
#include "support/memory_host.h"
#include "support/spectrum_builder.h"

namespace fs = std::filesystem;

namespace {

constexpr int FileCount = 2000;

// Answers every prompt as a user would who wants the run done.
class QuietUi : public UserInterface {
public:
    int MsgBox(const std::string&, int, const std::string&) override { return vbOK; }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    int ShowModal(QDialog&) override { return 0; }
    void DoEvents() override {}
    void SetWaitCursor(bool) override {}
    FileDialogAnswer ShowFileDialog(const CommonDialog&, bool) override { return {}; }
};

struct Workspace {
    fs::path root = fs::temp_directory_path() / "lumivex-bench-reflectance";
    std::vector<std::string> inputs;

    Workspace() {
        fs::remove_all(root);
        fs::create_directories(root / "in");
        std::vector<double> values(2151), reference(2151);
        for (std::size_t i = 0; i < values.size(); ++i) {
            values[i] = 1000.0 + static_cast<double>(i % 97);
            reference[i] = 2000.0 + static_cast<double>(i % 89);
        }
        auto file = MakeCompleteSpectrum(7, values);
        file.ReferenceValues = reference;
        const auto bytes = file.Bytes();
        for (int i = 0; i < FileCount; ++i) {
            const auto path = root / "in" / ("leaf" + std::to_string(i) + ".001");
            WriteBytes(path.string(), bytes);
            inputs.push_back(path.string());
        }
    }
    ~Workspace() { fs::remove_all(root); }

    void FreshOutput(const char* name) const {
        fs::remove_all(root / name);
        fs::create_directories(root / name);
    }
};

// The plain pass: read each input whole, write an output of the batch's size.
void PlainPass(const Workspace& ws) {
    std::vector<char> buffer;
    const std::vector<char> output(484 + 2151 * 4, 1);
    for (const auto& input : ws.inputs) {
        std::ifstream in(input, std::ios::binary);
        buffer.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(buffer.data());
        const auto target = ws.root / "plain" / (fs::path(input).filename().string() + ".ref");
        std::ofstream(target, std::ios::binary)
            .write(output.data(), static_cast<std::streamsize>(output.size()));
    }
}

void ReflectanceBatchFiles(benchmark::State& state) {
    const Workspace ws;
    QuietUi ui;
    UserInterface* previous = InstallUserInterface(&ui);
    double batchSeconds = 0, plainSeconds = 0;
    for (auto _ : state) {
        ws.FreshOutput("plain");
        ws.FreshOutput("out");
        const auto plainStart = std::chrono::steady_clock::now();
        PlainPass(ws);
        const auto plainEnd = std::chrono::steady_clock::now();

        MemoryBatchHost host;
        for (const auto& input : ws.inputs) {
            host.WorkList.AddItem(input);
        }
        OutputDirectory = (ws.root / "out").string();
        const auto batchStart = std::chrono::steady_clock::now();
        CreateReflectanceFiles();
        const auto batchEnd = std::chrono::steady_clock::now();

        const double batch = std::chrono::duration<double>(batchEnd - batchStart).count();
        state.SetIterationTime(batch);
        batchSeconds += batch;
        plainSeconds += std::chrono::duration<double>(plainEnd - plainStart).count();
        if (host.VisibleList.ListCount() != FileCount) {
            state.SkipWithError("the batch did not write every file");
        }
    }
    InstallUserInterface(previous);
    const double runs = static_cast<double>(state.iterations());
    state.counters["batch_files_per_s"] = FileCount * runs / batchSeconds;
    state.counters["plain_files_per_s"] = FileCount * runs / plainSeconds;
    state.counters["batch_to_plain_time"] = batchSeconds / plainSeconds;
}
BENCHMARK(ReflectanceBatchFiles)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
