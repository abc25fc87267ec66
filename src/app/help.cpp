#include "app/help.h"

#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>
#include <filesystem>

#include "app/main_window.h"
#include "frame/settings.h"
#include "platform/shell/desktop.h"
#include "platform/ui/center.h"
#include "platform/ui/ui.h"

QPixmap ProgramIcon(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(245, 247, 250));
    painter.setPen(QPen(QColor(90, 100, 120), size / 24.0));
    painter.drawRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 8.0, size / 8.0);
    QPainterPath curve;
    const double s = size;
    curve.moveTo(0.12 * s, 0.80 * s);
    curve.cubicTo(0.30 * s, 0.78 * s, 0.38 * s, 0.70 * s, 0.45 * s, 0.72 * s);
    curve.cubicTo(0.52 * s, 0.74 * s, 0.55 * s, 0.25 * s, 0.65 * s, 0.25 * s);
    curve.cubicTo(0.75 * s, 0.25 * s, 0.78 * s, 0.45 * s, 0.88 * s, 0.40 * s);
    painter.setPen(QPen(QColor(40, 150, 70), size / 14.0, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(curve);
    return picture;
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Lumivex");
    auto* layout = new QGridLayout(this);
    picIcon = new QLabel(this);
    picIcon->setPixmap(ProgramIcon(48));
    lblTitle = new QLabel("Lumivex", this);
    QFont title = lblTitle->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    lblTitle->setFont(title);
    QPalette black = lblTitle->palette();
    black.setColor(QPalette::WindowText, QColor(0, 0, 0));
    lblTitle->setPalette(black);
    lblVersion = new QLabel(QString::fromStdString("Version " + VersionText + "." +
                                                   std::to_string(LUMIVEX_VERSION_PATCH)),
                            this);
    const char* lines[4] = {
        "Viewing, conversion and batch processing", "of field spectroradiometer spectra.",
        "Reflectance, radiometry, derivatives, statistics,", "exports and colorimetry."};
    layout->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(lblTitle, 0, 1);
    layout->addWidget(lblVersion, 1, 1);
    for (int i = 0; i < 4; ++i) {
        lblDescription[static_cast<std::size_t>(i)] = new QLabel(lines[i], this);
        layout->addWidget(lblDescription[static_cast<std::size_t>(i)], 2 + i, 1);
    }
    lblDisclaimer = new QLabel(
        "This program is provided as it is, without warranty of any kind. Check results that "
        "matter against an independent method.",
        this);
    lblDisclaimer->setWordWrap(true);
    layout->addWidget(lblDisclaimer, 6, 0, 1, 2);
    cmdOK = new QPushButton("OK", this);
    cmdOK->setDefault(true);
    layout->addWidget(cmdOK, 7, 1, Qt::AlignRight);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    adjustSize();
    CenterForm(*this);
}

std::string UsersGuideFolder(const std::string& FileName, const std::string& ProgramFolder) {
    std::error_code error;
    if (std::filesystem::is_regular_file(std::filesystem::path(ProgramFolder) / FileName, error)) {
        return ProgramFolder;
    }
    const auto shared =
        (std::filesystem::path(ProgramFolder) / ".." / "share" / "lumivex").lexically_normal();
    if (std::filesystem::is_regular_file(shared / FileName, error)) {
        return shared.string();
    }
    return ProgramFolder;
}

void ShowUsersGuide(const std::string& FileName, const std::string& Folder) {
    const std::string caption =
        MainWindow ? MainWindow->windowTitle().toStdString() : std::string(AppTitle);
    std::error_code error;
    const auto path = std::filesystem::path(Folder) / FileName;
    if (!std::filesystem::is_regular_file(path, error)) {
        MsgBox(FileName + " file not found.", vbOKOnly + vbExclamation, caption);
        return;
    }
    if (const WindowHandle window = FindWindowByTitle(FileName)) {
        switch (WindowShowState(window)) {
            case -1:
                break;
            case 1:
            case 2:
                ActivateWindow(window);
                break;
            default:
                MapWindow(window);
                break;
        }
        return;
    }
    const std::string reader = FindRegisteredProgram(FileName, Folder);
    if (reader.empty()) {
        MsgBox("PDF Reader not found.", vbOKOnly + vbExclamation, caption);
        return;
    }
    OpenWithProgram(reader, FileName, Folder);
}
