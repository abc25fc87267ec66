// The graph's data and look as plain values: what every numbered property
// holds, with the rules for counts, indices and "no data". Free of Qt, so the
// saved-look reader can be fuzzed and the writes timed without a display.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/graph/graph_value.h"

enum class GraphKind : uint8_t { Boolean, Number, Text };
enum class GraphIndexing : uint8_t { Plain, PerCurve, PerPoint };

struct GraphPropertyInfo {
    int32_t Id;
    GraphKind Kind;
    GraphIndexing Indexing;
};

// Every property the control knows, in id order.
std::span<const GraphPropertyInfo> GraphProperties();
const GraphPropertyInfo* FindGraphProperty(int32_t id);
// The place of a known id in GraphProperties(), and so in GraphLook::Plain.
size_t GraphPropertyIndex(int32_t id);
// Whether the value is of the kind the property holds; any number type fits
// a number.
bool GraphKindFits(GraphKind kind, const GraphValue& value);

// Bounds on the data, checked before anything is allocated.
inline constexpr int32_t GraphMaxCurves = 4096;
inline constexpr int32_t GraphMaxPoints = 32767;
inline constexpr int64_t GraphMaxTotalPoints = 8 * 1024 * 1024;
// Whether the data can take that many curves of that many points.
bool GraphCountsFit(int32_t curves, int32_t points);

// What each curve keeps apart from its points. It outlives a lowering of the
// curve count, so a curve that comes back keeps its look.
struct GraphCurveLook {
    std::string Label;
    GraphValue Colour = int32_t{0};
    GraphValue LineType = int32_t{0};
    GraphValue LegendEntry = int32_t{0};
};

// Writes one per-curve property (131, 132, 134 or 180) of a curve's look; the
// value is known to be of the property's kind.
void SetCurveLook(GraphCurveLook& look, int32_t id, const GraphValue& value);

// The look alone: every plain property and the kept curve looks, no data.
struct GraphLook {
    std::vector<GraphValue> Plain;  // in the order of GraphProperties()
    std::vector<GraphCurveLook> Curves;
};

class GraphModel {
public:
    GraphModel();

    // Each write is refused, changing nothing, for an unknown id, a value of
    // the wrong kind, a call with the wrong number of indices or an index out
    // of bounds. Curve index -1 writes every curve; point index -1 empties
    // every point of every curve.
    bool Set(int32_t id, const GraphValue& value);
    bool Set(int32_t id, int32_t curve, const GraphValue& value);
    bool Set(int32_t id, int32_t curve, int32_t point, const GraphValue& value);

    std::optional<GraphValue> Get(int32_t id) const;
    std::optional<GraphValue> Get(int32_t id, int32_t curve) const;
    std::optional<GraphValue> Get(int32_t id, int32_t curve, int32_t point) const;

    int32_t CurveCount() const { return curves_; }
    int32_t PointCount() const { return points_; }
    // Curves whose look is kept, at least CurveCount().
    int32_t LookCount() const { return static_cast<int32_t>(looks_.size()); }
    const GraphCurveLook& Look(int32_t curve) const { return looks_[static_cast<size_t>(curve)]; }

    // Raw point values (NaN where nothing was written).
    double X(int32_t curve, int32_t point) const { return xs_[Slot(curve, point)]; }
    double Y(int32_t curve, int32_t point) const { return ys_[Slot(curve, point)]; }
    // A point is drawn only when both its values are finite and neither is
    // the matching "no data" marker.
    bool HasData(int32_t curve, int32_t point) const;

    // Typed reads of plain properties for drawing; the id must be known and of
    // that kind.
    double Number(int32_t id) const;
    bool Flag(int32_t id) const;
    const std::string& Text(int32_t id) const;

    GraphLook SaveLook() const;
    // Replaces the look; the counts it holds resize the data as writes of the
    // counts would. The caller has validated it (ReadGraphLook).
    void ApplyLook(const GraphLook& look);

private:
    size_t Slot(int32_t curve, int32_t point) const {
        return static_cast<size_t>(curve) * static_cast<size_t>(points_) +
               static_cast<size_t>(point);
    }
    bool Resize(int32_t curves, int32_t points);
    GraphValue& PlainSlot(int32_t id);
    const GraphValue& PlainSlot(int32_t id) const;

    std::vector<GraphValue> plain_;
    std::vector<GraphCurveLook> looks_;
    std::vector<double> xs_;
    std::vector<double> ys_;
    int32_t curves_ = 0;
    int32_t points_ = 0;
};

// The whole count as a property holds it: a finite whole number in range, or
// nothing.
std::optional<int32_t> GraphWholeNumber(const GraphValue& value);

// The curves the legend lists: those in use with a legend entry (180) of 0 or
// more and a label, by entry, ties in curve order.
std::vector<int32_t> LegendCurves(const GraphModel& model);
