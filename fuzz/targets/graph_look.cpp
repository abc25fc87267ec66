// Arbitrary bytes as a saved graph look. Reading either refuses the bytes or
// gives a look that a model takes; that model's look written again must read
// back to the very same look.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/graph/graph_look.h"
#include "platform/graph/graph_model.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto look = ReadGraphLook(bytes, error);
    Require(look.has_value() == error.empty());
    if (!look) {
        return 0;
    }
    GraphModel model;
    model.ApplyLook(*look);
    Require(model.CurveCount() <= GraphMaxCurves && model.PointCount() <= GraphMaxPoints);
    Require(model.LookCount() >= model.CurveCount());

    const std::string written = WriteGraphLook(model.SaveLook());
    const auto again = ReadGraphLook(written, error);
    Require(again.has_value());
    Require(WriteGraphLook(*again) == written);
    (void)LegendCurves(model);
    return 0;
}
