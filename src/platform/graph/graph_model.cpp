#include "platform/graph/graph_model.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace {

using K = GraphKind;
using I = GraphIndexing;

constexpr GraphPropertyInfo kProperties[] = {
    {3, K::Boolean, I::Plain},     {4, K::Number, I::Plain},      {6, K::Number, I::Plain},
    {9, K::Text, I::Plain},        {10, K::Text, I::Plain},       {11, K::Number, I::Plain},
    {12, K::Number, I::Plain},     {14, K::Boolean, I::Plain},    {17, K::Boolean, I::Plain},
    {18, K::Boolean, I::Plain},    {19, K::Number, I::Plain},     {32, K::Text, I::Plain},
    {33, K::Text, I::Plain},       {40, K::Number, I::Plain},     {41, K::Number, I::Plain},
    {42, K::Number, I::Plain},     {43, K::Number, I::Plain},     {54, K::Number, I::Plain},
    {55, K::Number, I::Plain},     {56, K::Number, I::Plain},     {57, K::Number, I::Plain},
    {58, K::Number, I::Plain},     {59, K::Number, I::Plain},     {60, K::Number, I::Plain},
    {93, K::Number, I::Plain},     {96, K::Boolean, I::Plain},    {98, K::Number, I::Plain},
    {99, K::Boolean, I::Plain},    {108, K::Number, I::Plain},    {131, K::Text, I::PerCurve},
    {132, K::Number, I::PerCurve}, {134, K::Number, I::PerCurve}, {180, K::Number, I::PerCurve},
    {197, K::Boolean, I::Plain},   {207, K::Number, I::Plain},    {209, K::Number, I::Plain},
    {210, K::Number, I::Plain},    {222, K::Number, I::PerPoint}, {223, K::Boolean, I::Plain},
    {226, K::Number, I::Plain},    {227, K::Boolean, I::Plain},   {229, K::Number, I::Plain},
    {230, K::Boolean, I::Plain},   {231, K::Boolean, I::Plain},   {250, K::Number, I::PerPoint},
    {255, K::Boolean, I::Plain},   {256, K::Boolean, I::Plain},   {258, K::Number, I::Plain},
    {259, K::Number, I::Plain},    {278, K::Boolean, I::Plain},   {280, K::Boolean, I::Plain},
    {428, K::Boolean, I::Plain},   {595, K::Number, I::Plain},
};
constexpr size_t kPropertyCount = std::size(kProperties);

std::span<const GraphPropertyInfo> Table() {
    return {kProperties, kPropertyCount};
}

GraphValue DefaultValue(const GraphPropertyInfo& info) {
    switch (info.Id) {
        case 4:
            return int32_t{0x808080};
        case 6:
            return int32_t{0xC0C0C0};
        case 11:
            return int32_t{1};
        case 57:
        case 60:
            return 1.0;
        case 93:
        case 226:
            return int16_t{-9999};
        default:
            break;
    }
    switch (info.Kind) {
        case K::Boolean:
            return false;
        case K::Text:
            return std::string{};
        case K::Number:
            break;
    }
    return int32_t{0};
}

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

}  // namespace

std::span<const GraphPropertyInfo> GraphProperties() {
    return Table();
}

size_t GraphPropertyIndex(int32_t id) {
    const auto table = Table();
    const auto it =
        std::lower_bound(table.begin(), table.end(), id,
                         [](const GraphPropertyInfo& p, int32_t v) { return p.Id < v; });
    return static_cast<size_t>(it - table.begin());
}

const GraphPropertyInfo* FindGraphProperty(int32_t id) {
    const size_t index = GraphPropertyIndex(id);
    if (index < kPropertyCount && kProperties[index].Id == id) {
        return &kProperties[index];
    }
    return nullptr;
}

bool GraphKindFits(GraphKind kind, const GraphValue& value) {
    switch (kind) {
        case K::Boolean:
            return std::holds_alternative<bool>(value);
        case K::Text:
            return std::holds_alternative<std::string>(value);
        case K::Number:
            return GraphNumber(value).has_value();
    }
    return false;
}

bool GraphCountsFit(int32_t curves, int32_t points) {
    return curves >= 0 && curves <= GraphMaxCurves && points >= 0 && points <= GraphMaxPoints &&
           static_cast<int64_t>(curves) * points <= GraphMaxTotalPoints;
}

void SetCurveLook(GraphCurveLook& look, int32_t id, const GraphValue& value) {
    switch (id) {
        case 131:
            look.Label = std::get<std::string>(value);
            break;
        case 132:
            look.Colour = value;
            break;
        case 134:
            look.LineType = value;
            break;
        default:
            look.LegendEntry = value;
            break;
    }
}

std::optional<int32_t> GraphWholeNumber(const GraphValue& value) {
    const auto number = GraphNumber(value);
    if (!number || !std::isfinite(*number) || std::trunc(*number) != *number ||
        *number < std::numeric_limits<int32_t>::min() ||
        *number > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(*number);
}

GraphModel::GraphModel() {
    plain_.reserve(kPropertyCount);
    for (const auto& info : Table()) {
        plain_.push_back(DefaultValue(info));
    }
    Resize(1, 0);
}

GraphValue& GraphModel::PlainSlot(int32_t id) {
    return plain_[GraphPropertyIndex(id)];
}

const GraphValue& GraphModel::PlainSlot(int32_t id) const {
    return plain_[GraphPropertyIndex(id)];
}

bool GraphModel::Resize(int32_t curves, int32_t points) {
    if (!GraphCountsFit(curves, points)) {
        return false;
    }
    if (curves == curves_ && points == points_) {
        return true;
    }
    const size_t total = static_cast<size_t>(curves) * static_cast<size_t>(points);
    std::vector<double> xs(total, kNoValue);
    std::vector<double> ys(total, kNoValue);
    const int32_t keepCurves = std::min(curves, curves_);
    const int32_t keepPoints = std::min(points, points_);
    for (int32_t c = 0; c < keepCurves; ++c) {
        const size_t from = Slot(c, 0);
        const size_t to = static_cast<size_t>(c) * static_cast<size_t>(points);
        std::copy_n(xs_.begin() + static_cast<std::ptrdiff_t>(from), keepPoints,
                    xs.begin() + static_cast<std::ptrdiff_t>(to));
        std::copy_n(ys_.begin() + static_cast<std::ptrdiff_t>(from), keepPoints,
                    ys.begin() + static_cast<std::ptrdiff_t>(to));
    }
    xs_ = std::move(xs);
    ys_ = std::move(ys);
    curves_ = curves;
    points_ = points;
    if (looks_.size() < static_cast<size_t>(curves)) {
        looks_.resize(static_cast<size_t>(curves));
    }
    return true;
}

bool GraphModel::Set(int32_t id, const GraphValue& value) {
    const auto* info = FindGraphProperty(id);
    if (info == nullptr || info->Indexing != I::Plain || !GraphKindFits(info->Kind, value)) {
        return false;
    }
    if (id == 11 || id == 12) {
        const auto count = GraphWholeNumber(value);
        if (!count || !Resize(id == 11 ? *count : curves_, id == 12 ? *count : points_)) {
            return false;
        }
    }
    PlainSlot(id) = value;
    return true;
}

bool GraphModel::Set(int32_t id, int32_t curve, const GraphValue& value) {
    const auto* info = FindGraphProperty(id);
    if (info == nullptr || info->Indexing != I::PerCurve || !GraphKindFits(info->Kind, value)) {
        return false;
    }
    if (curve != -1 && (curve < 0 || curve >= curves_)) {
        return false;
    }
    const auto apply = [&](GraphCurveLook& look) { SetCurveLook(look, id, value); };
    if (curve == -1) {
        std::for_each(looks_.begin(), looks_.end(), apply);
    } else {
        apply(looks_[static_cast<size_t>(curve)]);
    }
    return true;
}

bool GraphModel::Set(int32_t id, int32_t curve, int32_t point, const GraphValue& value) {
    const auto* info = FindGraphProperty(id);
    if (info == nullptr || info->Indexing != I::PerPoint) {
        return false;
    }
    const auto number = GraphNumber(value);
    // Emptying the data names curve 0 even when the graph has no curve yet,
    // as a reset does before it sets the count.
    const int32_t curveLimit = point == -1 ? std::max(curves_, 1) : curves_;
    if (!number || curve < -1 || curve >= curveLimit) {
        return false;
    }
    if (point == -1) {
        std::fill(xs_.begin(), xs_.end(), kNoValue);
        std::fill(ys_.begin(), ys_.end(), kNoValue);
        return true;
    }
    if (curve < 0 || point < 0 || point >= points_) {
        return false;
    }
    (id == 250 ? xs_ : ys_)[Slot(curve, point)] = *number;
    return true;
}

std::optional<GraphValue> GraphModel::Get(int32_t id) const {
    const auto* info = FindGraphProperty(id);
    if (info == nullptr || info->Indexing != I::Plain) {
        return std::nullopt;
    }
    return PlainSlot(id);
}

std::optional<GraphValue> GraphModel::Get(int32_t id, int32_t curve) const {
    const auto* info = FindGraphProperty(id);
    if (info == nullptr || info->Indexing != I::PerCurve || curve < 0 || curve >= curves_) {
        return std::nullopt;
    }
    const auto& look = looks_[static_cast<size_t>(curve)];
    switch (id) {
        case 131:
            return GraphValue{look.Label};
        case 132:
            return look.Colour;
        case 134:
            return look.LineType;
        default:
            return look.LegendEntry;
    }
}

std::optional<GraphValue> GraphModel::Get(int32_t id, int32_t curve, int32_t point) const {
    const auto* info = FindGraphProperty(id);
    if (info == nullptr || info->Indexing != I::PerPoint || curve < 0 || curve >= curves_ ||
        point < 0 || point >= points_) {
        return std::nullopt;
    }
    // Built in place: a move of the variant here trips a false warning of
    // the sanitizer build.
    return std::optional<GraphValue>(std::in_place, std::in_place_type<double>,
                                     id == 250 ? X(curve, point) : Y(curve, point));
}

bool GraphModel::HasData(int32_t curve, int32_t point) const {
    const double x = X(curve, point);
    const double y = Y(curve, point);
    return std::isfinite(x) && std::isfinite(y) && x != Number(93) && y != Number(226);
}

double GraphModel::Number(int32_t id) const {
    return GraphNumber(PlainSlot(id)).value_or(0.0);
}

bool GraphModel::Flag(int32_t id) const {
    const auto* flag = std::get_if<bool>(&PlainSlot(id));
    return flag != nullptr && *flag;
}

const std::string& GraphModel::Text(int32_t id) const {
    static const std::string empty;
    const auto* text = std::get_if<std::string>(&PlainSlot(id));
    return text != nullptr ? *text : empty;
}

GraphLook GraphModel::SaveLook() const {
    return GraphLook{plain_, looks_};
}

void GraphModel::ApplyLook(const GraphLook& look) {
    const auto curves = GraphWholeNumber(look.Plain[GraphPropertyIndex(11)]).value_or(curves_);
    const auto points = GraphWholeNumber(look.Plain[GraphPropertyIndex(12)]).value_or(points_);
    if (!Resize(curves, points)) {
        return;
    }
    plain_ = look.Plain;
    looks_ = look.Curves;
    if (looks_.size() < static_cast<size_t>(curves_)) {
        looks_.resize(static_cast<size_t>(curves_));
    }
}

std::vector<int32_t> LegendCurves(const GraphModel& model) {
    std::vector<std::pair<double, int32_t>> entries;
    for (int32_t c = 0; c < model.CurveCount(); ++c) {
        const auto& look = model.Look(c);
        const double entry = GraphNumber(look.LegendEntry).value_or(-1.0);
        if (entry >= 0.0 && !look.Label.empty()) {
            entries.emplace_back(entry, c);
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int32_t> curves;
    curves.reserve(entries.size());
    for (const auto& entry : entries) {
        curves.push_back(entry.second);
    }
    return curves;
}
