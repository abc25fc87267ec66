// The legend window: each labelled curve of the graph window with a swatch of
// its colour. The legend button over the graph opens and closes it; every
// plot refreshes it while it is open.
#pragma once

#include <QIcon>
#include <QWidget>
#include <array>
#include <cstdint>

class QTreeWidget;
class frmGraph;

// The colours of the 16-colour console palette as the curves store them
// (24-bit, red in the low byte), for index 0 to 15.
int32_t QBColor(int index);

// The swatch number of a colour: 1 + its palette index, or 0 for a colour
// outside the palette.
int16_t QBColorIndex(int32_t Colour);

class frmLegend : public QWidget {
    Q_OBJECT
public:
    // A small tool window over owner, listing owner's curves.
    explicit frmLegend(frmGraph& owner);
    ~frmLegend() override;

    // Lists the curves of the graph window again.
    void RefreshLegend();

    // "C" the swatch, "Name" the curve label.
    QTreeWidget* lvwLegend = nullptr;
    // Swatch k (1 to 15) is QBColor(k - 1); bright white has none.
    std::array<QIcon, 15> ImageList1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LoadLegendItems();
    void Form_Unload();
    QIcon Swatch(int32_t colour) const;

    frmGraph& owner_;
};
