#include "platform/graph/graph_control.h"

#include <QPainter>
#include <QPrinter>

#include "platform/graph/graph_model.h"

struct GraphControl::State {
    GraphModel Model;
    WriteObserver Observer;
    DialogRunner Runner;
    QPoint LastMouse;
    QPrinter Printer;
};

GraphControl::GraphControl(QWidget* parent) : QWidget(parent), state_(std::make_unique<State>()) {}

GraphControl::~GraphControl() = default;

bool GraphControl::SetProperty(int32_t id, const GraphValue& value) {
    const bool accepted = state_->Model.Set(id, value);
    if (state_->Observer) {
        state_->Observer(GraphWrite{id, std::nullopt, std::nullopt, value, accepted});
    }
    return accepted;
}

bool GraphControl::SetProperty(int32_t id, int32_t curve, const GraphValue& value) {
    const bool accepted = state_->Model.Set(id, curve, value);
    if (state_->Observer) {
        state_->Observer(GraphWrite{id, curve, std::nullopt, value, accepted});
    }
    return accepted;
}

bool GraphControl::SetProperty(int32_t id, int32_t curve, int32_t point, const GraphValue& value) {
    const bool accepted = state_->Model.Set(id, curve, point, value);
    if (state_->Observer) {
        state_->Observer(GraphWrite{id, curve, point, value, accepted});
    }
    return accepted;
}

std::optional<GraphValue> GraphControl::GetProperty(int32_t id) const {
    return state_->Model.Get(id);
}

std::optional<GraphValue> GraphControl::GetProperty(int32_t id, int32_t curve) const {
    return state_->Model.Get(id, curve);
}

std::optional<GraphValue> GraphControl::GetProperty(int32_t id, int32_t curve,
                                                    int32_t point) const {
    return state_->Model.Get(id, curve, point);
}

void GraphControl::SetWriteObserver(WriteObserver observer) {
    state_->Observer = std::move(observer);
}

void GraphControl::SetDialogRunner(DialogRunner runner) {
    state_->Runner = std::move(runner);
}

QPoint GraphControl::LastMousePixel() const {
    return state_->LastMouse;
}

std::optional<QPointF> GraphControl::PixelToGraph(int, QPointF) const {
    return std::nullopt;
}

std::optional<QPointF> GraphControl::GraphToPixel(int, QPointF) const {
    return std::nullopt;
}

namespace {
bool NotYet(std::string* error) {
    if (error != nullptr) {
        *error = "Not available.";
    }
    return false;
}
}  // namespace

bool GraphControl::SaveLook(const std::string&, std::string* error) const {
    return NotYet(error);
}

bool GraphControl::LoadLook(const std::string&, std::string* error) {
    return NotYet(error);
}

bool GraphControl::ExportImage(const std::string&, GraphImageFormat, std::string* error) const {
    return NotYet(error);
}

bool GraphControl::ExportData(const std::string&, std::string* error) const {
    return NotYet(error);
}

bool GraphControl::Print(bool, std::string* error) {
    return NotYet(error);
}

QPrinter& GraphControl::Printer() {
    return state_->Printer;
}

bool GraphControl::ShowExportDialog(std::string* error) {
    return NotYet(error);
}

bool GraphControl::ShowCustomizeDialog(std::string* error) {
    return NotYet(error);
}

void GraphControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}

void GraphControl::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
}

void GraphControl::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
}

void GraphControl::keyPressEvent(QKeyEvent* event) {
    QWidget::keyPressEvent(event);
}

void GraphControl::contextMenuEvent(QContextMenuEvent* event) {
    QWidget::contextMenuEvent(event);
}
