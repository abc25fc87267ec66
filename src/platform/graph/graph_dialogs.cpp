#include "platform/graph/graph_dialogs.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/graph/graph_painter.h"

namespace {

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QLineEdit* TextField(const std::string& text, const char* name, QWidget* parent) {
    auto* field = new QLineEdit(QString::fromStdString(text), parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

void ShowColour(QPushButton* button, int32_t colour) {
    const QColor shown = GraphColour(colour);
    button->setText(shown.name());
    button->setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                              .arg(shown.name(), shown.lightness() < 128 ? "white" : "black"));
}

}  // namespace

GraphExportDialog::GraphExportDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GraphExportDialog"));
    setWindowTitle(tr("Export"));
    format_ = new QComboBox(this);
    format_->setObjectName(QStringLiteral("format"));
    format_->addItems({tr("PNG image"), tr("SVG image"), tr("Data text (tab-separated)")});
    file_ = new QLineEdit(this);
    file_->setObjectName(QStringLiteral("file"));
    auto* form = new QFormLayout;
    form->addRow(tr("Format:"), format_);
    form->addRow(tr("File:"), file_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancel(this));
}

int GraphExportDialog::Format() const {
    return format_->currentIndex();
}

QString GraphExportDialog::File() const {
    return file_->text().trimmed();
}

GraphCustomizeDialog::GraphCustomizeDialog(const GraphModel& model, Runner runner, QWidget* parent)
    : QDialog(parent), runner_(std::move(runner)) {
    setObjectName(QStringLiteral("GraphCustomizeDialog"));
    setWindowTitle(tr("Customize"));
    title_ = TextField(model.Text(9), "title", this);
    subtitle_ = TextField(model.Text(10), "subtitle", this);
    xTitle_ = TextField(model.Text(32), "xTitle", this);
    yTitle_ = TextField(model.Text(33), "yTitle", this);
    legend_ = new QCheckBox(tr("Show the legend"), this);
    legend_->setObjectName(QStringLiteral("legend"));
    legend_->setChecked(model.Flag(428));

    curves_ = new QTableWidget(model.CurveCount(), 3, this);
    curves_->setObjectName(QStringLiteral("curves"));
    curves_->setHorizontalHeaderLabels({tr("Curve"), tr("Colour"), tr("Line")});
    curves_->verticalHeader()->setVisible(false);
    // Tab goes on to the cells' controls and then to OK; the arrows move
    // within the table.
    curves_->setTabKeyNavigation(false);
    const auto& names = GraphLineTypeNames();
    for (int32_t c = 0; c < model.CurveCount(); ++c) {
        const auto& look = model.Look(c);
        const QString label =
            look.Label.empty() ? QString::number(c + 1) : QString::fromStdString(look.Label);
        auto* item = new QTableWidgetItem(label);
        item->setFlags(Qt::ItemIsEnabled);
        curves_->setItem(c, 0, item);

        colours_.push_back(GraphColourValue(GraphColour(look.Colour)));
        auto* colour = new QPushButton(curves_);
        colour->setObjectName(QStringLiteral("colour%1").arg(c));
        ShowColour(colour, colours_.back());
        connect(colour, &QPushButton::clicked, this, [this, c] { ChooseColour(c); });
        curves_->setCellWidget(c, 1, colour);

        auto* lineType = new QComboBox(curves_);
        lineType->setObjectName(QStringLiteral("lineType%1").arg(c));
        for (size_t n = 0; n < names.size(); ++n) {
            lineType->addItem(tr(names[n]), static_cast<int>(n));
        }
        const auto current = GraphWholeNumber(look.LineType);
        const int index = current ? lineType->findData(*current) : -1;
        if (index >= 0) {
            lineType->setCurrentIndex(index);
        } else {
            // A type the list does not name stays as it is unless changed.
            lineType->addItem(tr("Other"), QVariant());
            lineType->setCurrentIndex(lineType->count() - 1);
        }
        curves_->setCellWidget(c, 2, lineType);
    }
    curves_->resizeColumnsToContents();

    auto* form = new QFormLayout;
    form->addRow(tr("Title:"), title_);
    form->addRow(tr("Subtitle:"), subtitle_);
    form->addRow(tr("X-axis title:"), xTitle_);
    form->addRow(tr("Y-axis title:"), yTitle_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(legend_);
    layout->addWidget(new QLabel(tr("Curves:"), this));
    layout->addWidget(curves_);
    layout->addWidget(OkCancel(this));
}

void GraphCustomizeDialog::ChooseColour(int curve) {
    if (!runner_) {
        return;
    }
    QColorDialog dialog(GraphColour(colours_[static_cast<size_t>(curve)]), this);
    if (runner_(dialog) != QDialog::Accepted) {
        return;
    }
    colours_[static_cast<size_t>(curve)] = GraphColourValue(dialog.currentColor());
    ShowColour(static_cast<QPushButton*>(curves_->cellWidget(curve, 1)),
               colours_[static_cast<size_t>(curve)]);
}

bool GraphCustomizeDialog::ApplyTo(GraphModel& model) const {
    model.Set(9, title_->text().toStdString());
    model.Set(10, subtitle_->text().toStdString());
    model.Set(32, xTitle_->text().toStdString());
    model.Set(33, yTitle_->text().toStdString());
    const int32_t curves = std::min<int32_t>(model.CurveCount(), curves_->rowCount());
    for (int32_t c = 0; c < curves; ++c) {
        const auto before = model.Get(132, c);
        if (!before || GraphColourValue(GraphColour(*before)) != colours_[static_cast<size_t>(c)]) {
            model.Set(132, c, colours_[static_cast<size_t>(c)]);
        }
        const auto* box = static_cast<QComboBox*>(curves_->cellWidget(c, 2));
        const QVariant chosen = box->currentData();
        if (chosen.isValid() && GraphWholeNumber(model.Look(c).LineType) != chosen.toInt()) {
            model.Set(134, c, int32_t{chosen.toInt()});
        }
    }
    const bool legendChanged = legend_->isChecked() != model.Flag(428);
    model.Set(428, legend_->isChecked());
    return legendChanged;
}
