#include "platform/graph/graph_data_text.h"

#include "platform/text/codepage.h"
#include "platform/text/number.h"

std::string GraphDataText(const GraphModel& model) {
    std::string text = "Curve\t" + model.Text(32) + "\t" + model.Text(33) + "\r\n";
    for (int32_t curve = 0; curve < model.CurveCount(); ++curve) {
        const std::string& label = model.Look(curve).Label;
        for (int32_t point = 0; point < model.PointCount(); ++point) {
            if (!model.HasData(curve, point)) {
                continue;
            }
            text += label;
            text += '\t';
            text += CStrDouble(model.X(curve, point));
            text += '\t';
            text += CStrDouble(model.Y(curve, point));
            text += "\r\n";
        }
    }
    return Utf8ToAnsi(text);
}
