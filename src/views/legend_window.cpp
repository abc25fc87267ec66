#include "views/legend_window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPixmap>
#include <QTreeWidget>
#include <cmath>

#include "platform/graph/graph_control.h"
#include "views/graph_values.h"
#include "views/graph_window.h"
#include "views/state.h"

namespace {

constexpr std::array<int32_t, 16> Palette = {0,     8388608,  32768,   8421376,  128,   8388736,
                                             32896, 12632256, 8421504, 16711680, 65280, 16776960,
                                             255,   16711935, 65535,   16777215};

constexpr int SwatchSize = 16;

int Pixels(int twips) {
    return static_cast<int>(std::lrint(twips / 15.0));
}

QColor ColourOf(int32_t colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QIcon FilledSquare(int32_t colour) {
    QPixmap square(SwatchSize, SwatchSize);
    square.fill(ColourOf(colour));
    return QIcon(square);
}

}  // namespace

int32_t QBColor(int index) {
    return Palette.at(static_cast<std::size_t>(index));
}

int16_t QBColorIndex(int32_t Colour) {
    for (std::size_t i = 0; i < Palette.size(); ++i) {
        if (Palette[i] == Colour) {
            return static_cast<int16_t>(i + 1);
        }
    }
    return 0;
}

frmLegend::frmLegend(frmGraph& owner)
    : QWidget(&owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), owner_(owner) {
    setObjectName("frmLegend");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString());
    for (std::size_t k = 0; k < ImageList1.size(); ++k) {
        ImageList1[k] = FilledSquare(QBColor(static_cast<int>(k)));
    }
    lvwLegend = new QTreeWidget(this);
    lvwLegend->setObjectName("lvwLegend");
    lvwLegend->setRootIsDecorated(false);
    lvwLegend->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwLegend->setIconSize(QSize(SwatchSize, SwatchSize));
    resize(200, 160);
    LoadLegendItems();
}

frmLegend::~frmLegend() {
    if (LegendForm == this) {
        LegendForm = nullptr;
    }
}

void frmLegend::RefreshLegend() {
    LoadLegendItems();
}

QIcon frmLegend::Swatch(int32_t colour) const {
    const int16_t index = QBColorIndex(colour);
    if (index >= 1 && index <= static_cast<int16_t>(ImageList1.size())) {
        return ImageList1[static_cast<std::size_t>(index - 1)];
    }
    // Bright white and colours outside the palette have no image: their line
    // shows the curve's real colour.
    return FilledSquare(colour);
}

void frmLegend::LoadLegendItems() {
    lvwLegend->setGeometry(rect());
    lvwLegend->clear();
    lvwLegend->setColumnCount(2);
    lvwLegend->setHeaderLabels({QStringLiteral("C"), QStringLiteral("Name")});
    lvwLegend->setColumnWidth(0, Pixels(350));
    lvwLegend->setColumnWidth(1, std::max(0, lvwLegend->width() - Pixels(350) - Pixels(50)));

    GraphControl& graph = *owner_.Graph1;
    const auto curves = NumberOf(graph.GetProperty(11));
    const int n = curves ? static_cast<int>(*curves) : 0;
    for (int i = 0; i < n; ++i) {
        const std::string label = TextOf(graph.GetProperty(131, i));
        if (label.empty()) {
            continue;
        }
        const auto number = NumberOf(graph.GetProperty(132, i));
        auto* line = new QTreeWidgetItem(lvwLegend);
        line->setIcon(0, Swatch(number ? static_cast<int32_t>(*number) : 0));
        line->setText(1, QString::fromStdString(label));
    }
}

void frmLegend::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    lvwLegend->setGeometry(rect());
}

void frmLegend::Form_Unload() {
    if (CurrentGraph == &owner_) {
        owner_.SetLegendButtonState(false);
    }
    if (LegendForm == this) {
        LegendForm = nullptr;
    }
}

void frmLegend::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}
