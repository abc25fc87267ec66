// The control's own dialogs. They are built here and shown by the control
// through the runner its host sets; their controls carry object names so that
// a test can fill them in before it answers for the user.
#pragma once

#include <QDialog>
#include <functional>

#include "platform/graph/graph_model.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableWidget;

// Format and file of an export. Object names: "format" (0 PNG image, 1 SVG
// image, 2 data text), "file".
class GraphExportDialog : public QDialog {
    Q_OBJECT
public:
    explicit GraphExportDialog(QWidget* parent = nullptr);
    int Format() const;
    QString File() const;

private:
    QComboBox* format_;
    QLineEdit* file_;
};

// Titles, curve colours and line types, and the legend. Object names:
// "title", "subtitle", "xTitle", "yTitle", "legend", and per curve i
// "colour<i>" (a button that asks for a colour) and "lineType<i>".
class GraphCustomizeDialog : public QDialog {
    Q_OBJECT
public:
    using Runner = std::function<int(QDialog&)>;
    GraphCustomizeDialog(const GraphModel& model, Runner runner, QWidget* parent = nullptr);

    // Writes what the dialog holds into the model; true when the legend
    // setting changed.
    bool ApplyTo(GraphModel& model) const;

private:
    void ChooseColour(int curve);

    Runner runner_;
    QLineEdit* title_;
    QLineEdit* subtitle_;
    QLineEdit* xTitle_;
    QLineEdit* yTitle_;
    QCheckBox* legend_;
    QTableWidget* curves_;
    std::vector<int32_t> colours_;
};
