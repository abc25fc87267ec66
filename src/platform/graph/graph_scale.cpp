#include "platform/graph/graph_scale.h"

#include <algorithm>
#include <cmath>

namespace {

// Beyond this the difference of the ends could overflow.
constexpr double kLargest = 1e300;
// Narrower ranges (relative to their place) would give ticks that a double
// cannot tell apart.
constexpr double kNarrowest = 1e-9;
constexpr double kSmallestWidth = 1e-290;

double Step(double width, int wantedTicks) {
    const double raw = width / std::clamp(wantedTicks, 1, GraphMaxTicks);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / power;
    const double nice = fraction <= 1.0   ? 1.0
                        : fraction <= 2.0 ? 2.0
                        : fraction <= 5.0 ? 5.0
                                          : 10.0;
    return nice * power;
}

}  // namespace

GraphRange SaneRange(double a, double b) {
    if (!std::isfinite(a) && !std::isfinite(b)) {
        return {};
    }
    if (!std::isfinite(a)) {
        a = b;
    }
    if (!std::isfinite(b)) {
        b = a;
    }
    a = std::clamp(a, -kLargest, kLargest);
    b = std::clamp(b, -kLargest, kLargest);
    double low = std::min(a, b);
    double high = std::max(a, b);
    const double magnitude = std::max(std::fabs(low), std::fabs(high));
    const double least = std::max(magnitude * kNarrowest, kSmallestWidth);
    if (high - low < least) {
        // Equal (or nearly equal) ends: open the range around their middle.
        const double middle = low / 2 + high / 2;
        const double half = magnitude == 0.0 ? 1.0 : std::max(magnitude * 0.1, kSmallestWidth);
        low = middle - half;
        high = middle + half;
    }
    return {low, high};
}

std::optional<GraphRange> DataRange(const GraphModel& model, bool yAxis) {
    double low = HUGE_VAL;
    double high = -HUGE_VAL;
    for (int32_t c = 0; c < model.CurveCount(); ++c) {
        for (int32_t p = 0; p < model.PointCount(); ++p) {
            if (!model.HasData(c, p)) {
                continue;
            }
            const double v = yAxis ? model.Y(c, p) : model.X(c, p);
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    if (low > high) {
        return std::nullopt;
    }
    return GraphRange{low, high};
}

namespace {

GraphRange AxisRange(const GraphModel& model, bool yAxis, int wantedTicks) {
    const int32_t fixedId = yAxis ? 55 : 58;
    if (model.Number(fixedId) != 0.0) {
        return yAxis ? SaneRange(model.Number(56), model.Number(57))
                     : SaneRange(model.Number(59), model.Number(60));
    }
    const auto data = DataRange(model, yAxis);
    if (!data) {
        return {};
    }
    GraphRange range = SaneRange(data->Low, data->High);
    const double step = Step(range.High - range.Low, wantedTicks);
    if (std::isfinite(step) && step > 0.0) {
        const double low = std::floor(range.Low / step) * step;
        const double high = std::ceil(range.High / step) * step;
        if (std::isfinite(low) && std::isfinite(high)) {
            range = SaneRange(low, high);
        }
    }
    return range;
}

}  // namespace

GraphRange XRange(const GraphModel& model, int wantedTicks) {
    return AxisRange(model, false, wantedTicks);
}

GraphRange YRange(const GraphModel& model, int wantedTicks) {
    return AxisRange(model, true, wantedTicks);
}

std::vector<double> GraphTicks(GraphRange range, int wantedTicks) {
    std::vector<double> ticks;
    const double width = range.High - range.Low;
    if (!(width > 0.0) || !std::isfinite(width)) {
        return ticks;
    }
    const double step = Step(width, wantedTicks);
    if (!std::isfinite(step) || step <= 0.0) {
        return ticks;
    }
    const double first = std::ceil(range.Low / step);
    const double slack = width * 1e-9;
    for (int i = 0; i <= GraphMaxTicks; ++i) {
        double value = (first + i) * step;
        if (value > range.High + slack) {
            break;
        }
        if (std::fabs(value) < step * 1e-9) {
            value = 0.0;  // no "-0" or "1E-17" where zero is meant
        }
        if (ticks.size() < static_cast<size_t>(GraphMaxTicks)) {
            ticks.push_back(value);
        }
    }
    return ticks;
}
