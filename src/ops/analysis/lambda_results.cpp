#include "ops/analysis/lambda_results.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "frame/batch_pattern.h"
#include "frame/helpers.h"
#include "ops/analysis/kernels/lambda_result_text.h"
#include "ops/analysis/lambda_input.h"
#include "platform/text/codepage.h"
#include "platform/text/datetime.h"
#include "platform/ui/center.h"
#include "platform/ui/ui.h"

namespace {

frmLamResult* KeptForm = nullptr;

const char* const DataKindNames[] = {
    "Raw Data",
    "Reference Data",
    "Reference Data",
    "Radiance Data",
    "Irradiance Data",
    "Quantum Intensity Data",
    "Transmittance",
    "Unknown Data",
    "Absolute Data",
    "File-Added Data",
    "Constant-Added Data",
    "File-Multiplied Data",
    "Constant-Multiplied Data",
    "File-Ratioed Data",
    "Constant-Ratioed Data",
    "File-Subtracted Data",
    "Constant-Subtracted Data",
};

std::string NowText() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return GeneralDateText(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                           time.second());
}

// "Sum" or "Average", as the band dialog is set now.
std::string LastColumn() {
    return LamInputForm().Option1[0]->isChecked() ? "Sum" : "Average";
}

std::vector<LambdaResultFields> Entries(QListWidget& list) {
    std::vector<LambdaResultFields> entries;
    for (int row = 0; row < list.count(); ++row) {
        entries.push_back(SplitLambdaResult(list.item(row)->text().toStdString()));
    }
    return entries;
}

void PrinterError(const std::string& description) {
    MsgBox(description + "\rPrinter Error", vbOKOnly + vbCritical, AppTitle);
}

// Lays the pages out on the printer, each cell at its character column. A
// cell whose column the line has already passed goes to the next line, and a
// page that runs out of lines continues on a new one.
bool PaintPages(QPrinter& printer, const std::vector<PrintPage>& pages, QListWidget& list) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        PrinterError("The printer could not be started");
        return false;
    }
    QFont font = painter.font();
    font.setPointSize(12);
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font, &printer);
    const QRect area = painter.viewport();
    // Ninety-odd columns must fit the page's width.
    const double column =
        std::min<double>(metrics.averageCharWidth(), static_cast<double>(area.width()) / 100.0);
    const int lineHeight = metrics.lineSpacing();
    int row = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !printer.newPage()) {
            painter.end();
            PrinterError("The printer could not start a new page");
            return false;
        }
        int y = metrics.ascent();
        for (const PrintLine& line : pages[p]) {
            if (line.size() == 5 && row < list.count()) {
                list.setCurrentRow(row++);
            }
            double reached = 0;
            for (const PrintCell& cell : line) {
                const double x = (cell.Column - 1) * column;
                if (reached > x) {
                    y += lineHeight;
                }
                if (y > area.height()) {
                    if (!printer.newPage()) {
                        painter.end();
                        PrinterError("The printer could not start a new page");
                        return false;
                    }
                    y = metrics.ascent();
                }
                const QString text = QString::fromStdString(cell.Text);
                painter.drawText(QPointF(x, y), text);
                reached = x + metrics.horizontalAdvance(text);
            }
            y += lineHeight;
        }
    }
    if (!painter.end()) {
        PrinterError("The printout could not be finished");
        return false;
    }
    return true;
}

}  // namespace

frmLamResult::frmLamResult(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Lambda Integration Results"));
    List1 = new QListWidget(this);
    List1->setMinimumWidth(560);
    const char* captions[] = {"Print", "Save to Text File"};
    auto* buttons = new QHBoxLayout;
    for (std::size_t i = 0; i < Command2.size(); ++i) {
        Command2[i] = new QPushButton(QString::fromLatin1(captions[i]), this);
        connect(Command2[i], &QPushButton::clicked, this,
                [this, i] { Command2_Click(static_cast<int>(i)); });
        buttons->addWidget(Command2[i]);
    }
    buttons->addStretch(1);
    Command1 = new QPushButton(QStringLiteral("Close"), this);
    connect(Command1, &QPushButton::clicked, this, [this] { accept(); });
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List1, 1);
    layout->addLayout(buttons);
    adjustSize();
    CenterForm(*this);
}

void frmLamResult::Command2_Click(int index) {
    const bool done = index == 0 ? PrintLambdaResults(*List1, Printer) : SaveLambdaResults(*List1);
    if (done) {
        accept();
    }
}

frmLamResult& LamResultForm() {
    if (KeptForm == nullptr) {
        KeptForm = new frmLamResult(nullptr);
    }
    return *KeptForm;
}

void UnloadLamResultForm() {
    delete KeptForm;
    KeptForm = nullptr;
}

std::string GetDataKindName(int Code) {
    if (Code < 0 || Code >= static_cast<int>(std::size(DataKindNames))) {
        return "Unknown Data";
    }
    return DataKindNames[Code];
}

bool PrintLambdaResults(QListWidget& List, QPrinter* Printer) {
    if (List.count() == 0) {
        MsgBox("No Data to Print", vbOKOnly + vbExclamation, AppTitle);
        return false;
    }
    const auto pages = LambdaPrintPages(Entries(List), LastColumn(), NowText());
    if (Printer != nullptr) {
        return PaintPages(*Printer, pages, List);
    }
    QPrinter systemPrinter(QPrinter::HighResolution);
    return PaintPages(systemPrinter, pages, List);
}

bool SaveLambdaResults(QListWidget& List) {
    const std::string path =
        ShowSaveDialog("Select Lambda Data File", "LamData Files (*.lda)|*.lda", ".lda", true);
    if (path.empty()) {
        return false;
    }
    if (List.count() == 0) {
        MsgBox("Nothing to Save", vbOKCancel, AppTitle);
        return false;
    }
    std::string text = "Lambda Integration Results Saved " + NowText() + "\r\n";
    text += "Filename,Band,Start,End," + LastColumn() + "\r\n";
    List.setUpdatesEnabled(false);
    for (int row = 0; row < List.count(); ++row) {
        const QListWidgetItem& item = *List.item(row);
        text += LambdaDataRow(SplitLambdaResult(item.text().toStdString()),
                              GetDataKindName(item.data(DataKindRole).toInt())) +
                "\r\n";
    }
    List.setUpdatesEnabled(true);
    const std::string ansi = Utf8ToAnsi(text);
    return WriteOutputFile(path, std::vector<uint8_t>(ansi.begin(), ansi.end()));
}
