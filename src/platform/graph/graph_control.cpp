#include "platform/graph/graph_control.h"

#include <fcntl.h>

#include <QBuffer>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgGenerator>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <string_view>

#include "platform/files/whole_file.h"
#include "platform/graph/graph_data_text.h"
#include "platform/graph/graph_dialogs.h"
#include "platform/graph/graph_look.h"
#include "platform/graph/graph_model.h"
#include "platform/graph/graph_painter.h"

namespace {

// How near a click must come to a drawn point to put the cursor on it.
constexpr double kPickDistance = 8.0;

bool Fail(std::string* error, const std::string& text) {
    if (error != nullptr) {
        *error = text;
    }
    return false;
}

bool Cancelled(std::string* error) {
    return Fail(error, std::string());
}

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

// Writes the whole file or nothing: an export that fails half-way leaves no
// truncated file behind, and the file it was to replace as it was.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* error) {
    files::WholeFileOptions options;
    options.KeepMode = true;
    options.FollowLinks = true;
    options.RefuseReadOnly = true;
    const int reason = files::WriteWholeFile(AT_FDCWD, path, bytes.data(), bytes.size(), options);
    if (reason != 0) {
        return Fail(error, "Cannot write " + Quoted(path) + ": " + std::strerror(reason));
    }
    return true;
}

// Mouse buttons and modifier keys as the window's handlers count them.
int ButtonValue(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int ShiftValue(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace

struct GraphControl::State {
    GraphModel Model;
    WriteObserver Observer;
    DialogRunner Runner;
    QPoint LastMouse;
    GraphCursor Cursor;
    std::unique_ptr<QPrinter> Printer;

    bool CursorOn() const { return Model.Number(258) == 1.0; }
};

GraphControl::GraphControl(QWidget* parent) : QWidget(parent), state_(std::make_unique<State>()) {
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

GraphControl::~GraphControl() = default;

bool GraphControl::SetProperty(int32_t id, const GraphValue& value) {
    const bool accepted = state_->Model.Set(id, value);
    if (state_->Observer) {
        state_->Observer(GraphWrite{id, std::nullopt, std::nullopt, value, accepted});
    }
    if (accepted && id == 259) {
        ApplyPointer();
    }
    if (accepted && id == 108 && GraphNumber(value) == 0.0) {
        update();
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

std::optional<QPointF> GraphControl::PixelToGraph(int axis, QPointF pixel) const {
    const GraphLayout layout = LayOutGraph(state_->Model, size(), MakeGraphFonts(font()));
    if (axis != 0 || layout.Plot.isEmpty()) {
        return std::nullopt;
    }
    return QPointF(layout.ToGraphX(pixel.x()), layout.ToGraphY(pixel.y()));
}

std::optional<QPointF> GraphControl::GraphToPixel(int axis, QPointF value) const {
    const GraphLayout layout = LayOutGraph(state_->Model, size(), MakeGraphFonts(font()));
    if (axis != 0 || layout.Plot.isEmpty()) {
        return std::nullopt;
    }
    return QPointF(layout.ToPixelX(value.x()), layout.ToPixelY(value.y()));
}

bool GraphControl::SaveLook(const std::string& path, std::string* error) const {
    const std::string bytes = WriteGraphLook(state_->Model.SaveLook());
    return WriteWholeFile(path, bytes, error);
}

bool GraphControl::LoadLook(const std::string& path, std::string* error) {
    // Only a plain file can be a saved look: opening a pipe would wait for a
    // writer.
    const QFileInfo info(QString::fromStdString(path));
    if (info.exists() && !info.isFile()) {
        return Fail(error, "Cannot read " + Quoted(path) + ": it is not a file.");
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return Fail(error, "Cannot read " + Quoted(path) + ": " + file.errorString().toStdString());
    }
    if (file.size() > static_cast<qint64>(GraphLookMaxFileSize)) {
        return Fail(error, Quoted(path) + ": The saved graph look is too large.");
    }
    // One byte more than allowed, so a file that grows while read is caught.
    const QByteArray bytes = file.read(static_cast<qint64>(GraphLookMaxFileSize) + 1);
    std::string reason;
    const auto look = ReadGraphLook(
        std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), reason);
    if (!look) {
        return Fail(error, Quoted(path) + ": " + reason);
    }
    state_->Model.ApplyLook(*look);
    state_->Cursor = {};
    ApplyPointer();
    update();
    return true;
}

void GraphControl::DrawTo(QPainter& painter) const {
    const GraphFonts fonts = MakeGraphFonts(font());
    const GraphLayout layout = LayOutGraph(state_->Model, size(), fonts);
    DrawGraph(painter, state_->Model, layout, fonts, size(),
              state_->CursorOn() ? state_->Cursor : GraphCursor{});
}

bool GraphControl::ExportImage(const std::string& path, GraphImageFormat format,
                               std::string* error) const {
    if (width() <= 0 || height() <= 0) {
        return Fail(error, "The graph has no size to export.");
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == GraphImageFormat::Png) {
        QImage image(size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            DrawTo(painter);
        }
        if (!image.save(&buffer, "PNG")) {
            return Fail(error, "The graph could not be made into a PNG image.");
        }
    } else {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size());
        generator.setViewBox(QRect(QPoint(0, 0), size()));
        generator.setTitle(QString::fromStdString(state_->Model.Text(9)));
        QPainter painter;
        if (!painter.begin(&generator)) {
            return Fail(error, "The graph could not be made into an SVG image.");
        }
        DrawTo(painter);
        painter.end();
    }
    return WriteWholeFile(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), error);
}

bool GraphControl::ExportData(const std::string& path, std::string* error) const {
    const std::string text = GraphDataText(state_->Model);
    return WriteWholeFile(path, text, error);
}

QPrinter& GraphControl::Printer() {
    if (!state_->Printer) {
        state_->Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *state_->Printer;
}

bool GraphControl::Print(bool askUser, std::string* error) {
    QPrinter& printer = Printer();
    if (askUser) {
        if (!state_->Runner) {
            return Fail(error, "No dialog can be shown to choose the printer.");
        }
        QPrintDialog dialog(&printer, this);
        if (state_->Runner(dialog) != QDialog::Accepted) {
            return Cancelled(error);
        }
    }
    const std::string target = printer.outputFileName().isEmpty()
                                   ? "the printer " + Quoted(printer.printerName().toStdString())
                                   : Quoted(printer.outputFileName().toStdString());
    if (width() <= 0 || height() <= 0) {
        return Fail(error, "The graph has no size to print.");
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return Fail(error, "The graph could not be printed on " + target + ".");
    }
    // The picture as seen on the screen, as large as the page allows.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = std::min(page.width() / width(), page.height() / height());
    if (std::isfinite(scale) && scale > 0.0) {
        painter.scale(scale, scale);
    }
    DrawTo(painter);
    if (!painter.end()) {
        return Fail(error, "The graph could not be printed on " + target + ".");
    }
    return true;
}

bool GraphControl::ShowExportDialog(std::string* error) {
    if (!state_->Runner) {
        return Fail(error, "No dialog can be shown to export the graph.");
    }
    GraphExportDialog dialog(this);
    if (state_->Runner(dialog) != QDialog::Accepted) {
        return Cancelled(error);
    }
    const std::string path = dialog.File().toStdString();
    if (path.empty()) {
        return Fail(error, "No file was named for the export.");
    }
    switch (dialog.Format()) {
        case 0:
            return ExportImage(path, GraphImageFormat::Png, error);
        case 1:
            return ExportImage(path, GraphImageFormat::Svg, error);
        default:
            return ExportData(path, error);
    }
}

bool GraphControl::ShowCustomizeDialog(std::string* error) {
    if (!state_->Runner) {
        return Fail(error, "No dialog can be shown to customize the graph.");
    }
    GraphCustomizeDialog dialog(state_->Model, state_->Runner, this);
    if (state_->Runner(dialog) != QDialog::Accepted) {
        return Cancelled(error);
    }
    const bool legendChanged = dialog.ApplyTo(state_->Model);
    update();
    if (legendChanged) {
        emit LegendChanged();
    }
    emit Relayout();
    emit AfterCustomize();
    return true;
}

void GraphControl::ApplyPointer() {
    if (state_->Model.Number(259) == 1.0) {
        setCursor(Qt::CrossCursor);
    } else {
        unsetCursor();
    }
}

void GraphControl::MoveCursor(int32_t curve, int32_t point) {
    if (curve == state_->Cursor.Curve && point == state_->Cursor.Point) {
        return;
    }
    state_->Cursor = {curve, point};
    update();
    emit CursorMoved(curve, point);
}

void GraphControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawTo(painter);
}

void GraphControl::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    state_->LastMouse = at.toPoint();
    emit MouseMoved(ButtonValue(event->buttons()), ShiftValue(event->modifiers()),
                    static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void GraphControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !state_->CursorOn()) {
        QWidget::mousePressEvent(event);
        return;
    }
    const GraphModel& model = state_->Model;
    const GraphLayout layout = LayOutGraph(model, size(), MakeGraphFonts(font()));
    if (layout.Plot.isEmpty()) {
        return;
    }
    const QPointF at = event->position();
    double best = kPickDistance * kPickDistance;
    GraphCursor nearest;
    for (int32_t c = 0; c < model.CurveCount(); ++c) {
        for (int32_t p = 0; p < model.PointCount(); ++p) {
            if (!model.HasData(c, p)) {
                continue;
            }
            const double dx = layout.ToPixelX(model.X(c, p)) - at.x();
            const double dy = layout.ToPixelY(model.Y(c, p)) - at.y();
            const double distance = dx * dx + dy * dy;
            if (distance <= best) {
                best = distance;
                nearest = {c, p};
            }
        }
    }
    if (nearest.Curve >= 0) {
        MoveCursor(nearest.Curve, nearest.Point);
    }
}

void GraphControl::keyPressEvent(QKeyEvent* event) {
    const GraphModel& model = state_->Model;
    const int key = event->key();
    if (!state_->CursorOn() ||
        (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down)) {
        QWidget::keyPressEvent(event);
        return;
    }
    GraphCursor cursor = state_->Cursor;
    const bool valid = cursor.Curve >= 0 && cursor.Curve < model.CurveCount() &&
                       cursor.Point >= 0 && cursor.Point < model.PointCount();
    if (!valid) {
        // The first key puts the cursor on the first point with data.
        for (int32_t c = 0; c < model.CurveCount(); ++c) {
            for (int32_t p = 0; p < model.PointCount(); ++p) {
                if (model.HasData(c, p)) {
                    MoveCursor(c, p);
                    return;
                }
            }
        }
        return;
    }
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        const int32_t step = key == Qt::Key_Right ? 1 : -1;
        for (int32_t p = cursor.Point + step; p >= 0 && p < model.PointCount(); p += step) {
            if (model.HasData(cursor.Curve, p)) {
                MoveCursor(cursor.Curve, p);
                return;
            }
        }
        return;
    }
    const int32_t step = key == Qt::Key_Up ? 1 : -1;
    for (int32_t c = cursor.Curve + step; c >= 0 && c < model.CurveCount(); c += step) {
        if (model.HasData(c, cursor.Point)) {
            MoveCursor(c, cursor.Point);
            return;
        }
    }
}

void GraphControl::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* customize = menu.addAction(tr("Customize\u2026"));
    if (menu.exec(event->globalPos()) == customize) {
        ShowCustomizeDialog();
    }
}
