#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPolygon>
#include <QUrl>
#include <algorithm>
#include <filesystem>

#include "app/command_line.h"
#include "app/file_selection.h"
#include "app/help.h"
#include "frame/drive_dir.h"
#include "frame/settings.h"
#include "ops/analysis/lambda_integration.h"
#include "ops/analysis/state.h"
#include "ops/calibration/state.h"
#include "platform/shell/paths.h"
#include "platform/text/vbstring.h"
#include "platform/ui/end_control.h"
#include "platform/ui/ui.h"
#include "views/state.h"
#include "zelutil/binding.h"

frmLVX* MainWindow = nullptr;

// ---- ListBox --------------------------------------------------------------

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {}

int ListBox::ListCount() const {
    return count();
}

QString ProgressBar::text() const {
    return isTextVisible() ? QProgressBar::text() : QString();
}

std::string ListBox::List(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text().toStdString() : std::string();
}

void ListBox::AddItem(const std::string& text) {
    addItem(QString::fromStdString(text));
}

void ListBox::AddItems(const std::vector<std::string>& texts) {
    QStringList items;
    items.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts) {
        items.append(QString::fromStdString(text));
    }
    // Thousands of names would otherwise be laid out and drawn one by one.
    setUpdatesEnabled(false);
    addItems(items);
    setUpdatesEnabled(true);
}

void ListBox::Clear() {
    clear();
}

bool ListBox::Selected(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry != nullptr && entry->isSelected();
}

int ListBox::ListIndex() const {
    return currentRow();
}

void ListBox::SetListIndex(int index) {
    // Moving the current entry must not change what the user selected.
    setCurrentRow(index, QItemSelectionModel::NoUpdate);
}

void ListBox::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void ListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void ListBox::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    // Text or remote links are not files: nothing happens.
    if (paths.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    emit FilesDropped(paths);
}

// ---- frmLVX ---------------------------------------------------------------

namespace {}  // namespace

QString GeneralDateTimeText(const QDateTime& when) {
    // The desktop's short date and time, with seconds, as a general date shows
    // them; the long time form would add a time-zone name.
    const QLocale locale = QLocale::system();
    QString time = locale.timeFormat(QLocale::ShortFormat);
    if (!time.contains("ss")) {
        const auto minutes = time.indexOf("mm");
        if (minutes >= 0) {
            time.insert(minutes + 2, ":ss");
        }
    }
    return locale.toString(when.date(), QLocale::ShortFormat) + " " +
           locale.toString(when.time(), time);
}

namespace {

QPixmap Triangle(const QColor& color) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(color.darker(150));
    painter.setBrush(color);
    painter.drawPolygon(QPolygon({QPoint(8, 2), QPoint(14, 13), QPoint(2, 13)}));
    return picture;
}

}  // namespace

frmLVX::frmLVX() {
    setObjectName("frmLVX");
    resize(760, 480);
    Toolbar1 = addToolBar("Toolbar1");
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setMovable(false);
    Toolbar1->setFixedHeight(8);

    auto* client = new QWidget(this);
    setCentralWidget(client);
    client->installEventFilter(this);
    list1_ = new ListBox(client);
    list1_->setObjectName("List1");
    list1_->hide();
    list2_ = new ListBox(client);
    list2_->setObjectName("List2");
    list2_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list2_->setAcceptDrops(true);
    list2_->setDragDropMode(QAbstractItemView::DropOnly);
    connect(list2_, &ListBox::FilesDropped, this, &frmLVX::List2_DragDrop);
    ProgressBar1 = new ProgressBar(client);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setFixedHeight(18);

    StatusBar1 = statusBar();
    StatusPanel1 = new QLabel(StatusBar1);
    StatusPanel2Picture = new QLabel(StatusBar1);
    StatusPanel2 = new QLabel(StatusBar1);
    StatusPanel3 = new QLabel(StatusBar1);
    StatusBar1->addWidget(StatusPanel1);
    StatusBar1->addWidget(StatusPanel2Picture);
    StatusBar1->addWidget(StatusPanel2);
    StatusBar1->addWidget(StatusPanel3, 1);
    Picture1 = Triangle(QColor(200, 30, 30));
    Picture2 = Triangle(QColor(30, 160, 60));

    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, &frmLVX::Timer1_Timer);

    BuildMenus();
    previousHost_ = InstallBatchHost(this);
    MainWindow = this;
    Form_Load();
}

frmLVX::~frmLVX() {
    if (!unloaded_) {
        Form_QueryUnload();
        Form_Unload();
    }
    InstallBatchHost(previousHost_);
    if (MainWindow == this) {
        MainWindow = nullptr;
    }
}

QAction* frmLVX::Item(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    return action;
}

void frmLVX::BuildMenus() {
    QMenuBar* bar = menuBar();
    mnuFile = bar->addMenu("&File");
    mnuFile->setObjectName("mnuFile");
    mnuOpen = Item(mnuFile, "mnuOpen", "&Open");
    mnuClose = Item(mnuFile, "mnuClose", "&Close");
    spcFile = mnuFile->addSeparator();
    spcFile->setObjectName("spcFile");
    mnuExit = Item(mnuFile, "mnuExit", "E&xit");

    mnuProcess = bar->addMenu("&Process");
    mnuProcess->setObjectName("mnuProcess");
    mnuReflectance = Item(mnuProcess, "mnuReflectance", "Reflectance (Transmittance)");
    mnuAbsoluteReflectance = Item(mnuProcess, "mnuAbsoluteReflectance", "&Absolute Reflectance");
    mnuRCalc = Item(mnuProcess, "mnuRCalc", "&Radiometric Calculation");
    mnuLog = Item(mnuProcess, "mnuLog", "&Log 1/R (Log 1/T)");
    mnuFirstDerivative = Item(mnuProcess, "mnuFirstDerivative", "1st Derivative");
    mnuSecondDerivative = Item(mnuProcess, "mnuSecondDerivative", "2nd Derivative");
    mnuPcorr = Item(mnuProcess, "mnuPcorr", "&Parabolic Correction");
    mnuSCorr = Item(mnuProcess, "mnuSCorr", "Splice Correction");
    mnuLaminit = Item(mnuProcess, "mnuLaminit", "Lam&bda Integration");
    mnuPpfd = Item(mnuProcess, "mnuPpfd", "P&hotosynthetic Photon Flux Density");
    mnuQicalc = Item(mnuProcess, "mnuQicalc", "&Quantum Intensity");
    mnuReftoraw = Item(mnuProcess, "mnuReftoraw", "Re&f to Raw");
    mnuRawtoref = Item(mnuProcess, "mnuRawtoref", "Raw to Ref");
    mnuDcsub = Item(mnuProcess, "mnuDcsub", "&Dark Current Subtraction");
    mnuInterpolate = Item(mnuProcess, "mnuInterpolate", "&Interpolate");
    mnuSstat = Item(mnuProcess, "mnuSstat", "&Statistics");
    mnuNedl = Item(mnuProcess, "mnuNedl", "&NEDL");
    mnuFRAscii = Item(mnuProcess, "mnuFRAscii", "&ASCII Export");
    mnuImportXY = Item(mnuProcess, "mnuImportXY", "&Import Ascii X,Y");
    mnuFRJcamp = Item(mnuProcess, "mnuFRJcamp", "&JCAMP-DX Export");
    mnuBra = Item(mnuProcess, "mnuBra", "&Bran+Luebbe");
    mnuColorimetry = Item(mnuProcess, "mnuColorimetry", "C&olorimetry...");
    mnuGPSLog = Item(mnuProcess, "mnuGPSLog", "&GPS Log");
    mnuCustom = Item(mnuProcess, "mnuCustom", "&Custom...");
    // Operations that were never finished stay out of sight for good.
    for (QAction* hidden : {mnuPpfd, mnuReftoraw, mnuRawtoref, mnuDcsub}) {
        hidden->setVisible(false);
    }

    mnuView = bar->addMenu("View");
    mnuView->setObjectName("mnuView");
    mnuGraph = Item(mnuView, "mnuGraph", "&Graph Data");
    mnuGraphRef = Item(mnuView, "mnuGraphRef", "Graph Reference");
    mnuGraphRef->setVisible(false);
    mnuGraphRef->setEnabled(false);
    mnuHeader = Item(mnuView, "mnuHeader", "&Header Info");

    mnuSetup = bar->addMenu("&Setup");
    mnuSetup->setObjectName("mnuSetup");
    mnuInputDir = Item(mnuSetup, "mnuInputDir", "&Input Directory");
    mnuOutputDir = Item(mnuSetup, "mnuOutputDir", "&Output Directory");

    frmHelp = bar->addMenu("&Help");
    frmHelp->setObjectName("frmHelp");
    mnuHelpUsersGuide = Item(frmHelp, "mnuHelpUsersGuide", "Users Guide");
    mnuHeplSpacer1 = frmHelp->addSeparator();
    mnuHeplSpacer1->setObjectName("mnuHeplSpacer1");
    mnuAbout = Item(frmHelp, "mnuAbout", "About Lumivex");

    connect(mnuOpen, &QAction::triggered, this, &frmLVX::mnuOpen_Click);
    connect(mnuClose, &QAction::triggered, this, &frmLVX::mnuClose_Click);
    connect(mnuExit, &QAction::triggered, this, &frmLVX::mnuExit_Click);
    connect(mnuReflectance, &QAction::triggered, this, &frmLVX::Reflectance);
    connect(mnuAbsoluteReflectance, &QAction::triggered, this,
            &frmLVX::mnuAbsoluteReflectance_Click);
    connect(mnuLog, &QAction::triggered, this, &frmLVX::Log);
    connect(mnuInterpolate, &QAction::triggered, this, &frmLVX::Interp);
    connect(mnuQicalc, &QAction::triggered, this, &frmLVX::Qicalc);
    connect(mnuRCalc, &QAction::triggered, this, &frmLVX::Rcalc);
    connect(mnuSCorr, &QAction::triggered, this, &frmLVX::SCorr);
    connect(mnuPcorr, &QAction::triggered, this, &frmLVX::PCorr);
    connect(mnuFRAscii, &QAction::triggered, this, &frmLVX::ASCII);
    connect(mnuSstat, &QAction::triggered, this, &frmLVX::Stats);
    connect(mnuLaminit, &QAction::triggered, this, &frmLVX::LamInt);
    connect(mnuFRJcamp, &QAction::triggered, this, &frmLVX::Jcamp);
    connect(mnuBra, &QAction::triggered, this, &frmLVX::BandL);
    connect(mnuImportXY, &QAction::triggered, this, &frmLVX::mnuImportXY_Click);
    connect(mnuGPSLog, &QAction::triggered, this, &frmLVX::mnuGPSLog_Click);
    connect(mnuHeader, &QAction::triggered, this, &frmLVX::mnuHeader_Click);
    connect(mnuColorimetry, &QAction::triggered, this, &frmLVX::mnuColorimetry_Click);
    connect(mnuGraph, &QAction::triggered, this, &frmLVX::mnuGraph_Click);
    HideUnavailableItems();
    connect(mnuNedl, &QAction::triggered, this, &frmLVX::Nedl);
    connect(mnuCustom, &QAction::triggered, this, &frmLVX::mnuCustom_Click);
    connect(mnuFirstDerivative, &QAction::triggered, this, &frmLVX::Deriv1);
    connect(mnuSecondDerivative, &QAction::triggered, this, &frmLVX::Deriv2);
    connect(mnuInputDir, &QAction::triggered, this, &frmLVX::mnuInputDir_Click);
    connect(mnuOutputDir, &QAction::triggered, this, &frmLVX::mnuOutputDir_Click);
    connect(mnuHelpUsersGuide, &QAction::triggered, this, &frmLVX::mnuHelpUsersGuide_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmLVX::mnuAbout_Click);
}

void frmLVX::SetProgressMax(int max) {
    ProgressBar1->setMaximum(max);
    // A new run: its first value is drawn.
    progressDrawn_.invalidate();
}

void frmLVX::SetProgressValue(int value) {
    // Batches do not return to the event loop between files, so the bar is
    // drawn here, but no faster than a screen shows it: drawing it for every
    // file of a fast run cost more than the files. Where drawing it is slow (a
    // styled bar, a remote display) it is drawn less often still, so that it
    // takes no more than about a fiftieth of the run. The first value, the last
    // and 0 are always drawn, so the bar never rests on a stale value.
    constexpr qint64 FrameNanoseconds = 16'000'000;
    constexpr qint64 DrawingShare = 50;
    // However slow one drawing was, the bar still moves a few times a second.
    constexpr qint64 LongestFrameNanoseconds = 250'000'000;
    const bool draw = value == 0 || value == ProgressBar1->maximum() || !progressDrawn_.isValid() ||
                      progressDrawn_.nsecsElapsed() >= progressFrameNanoseconds_;
    // The bar takes every value with its updates off: left on, it repaints
    // itself on a visible step, which between frames is too often and on a
    // frame paints it twice, once there and once below. Turning them on
    // schedules a full repaint, so they stay off between frames rather than
    // being turned off and on for each value; if the event loop runs before
    // the next frame, the bar is drawn there as it stands.
    const bool wasEnabled = ProgressBar1->updatesEnabled();
    if (wasEnabled) {
        ProgressBar1->setUpdatesEnabled(false);
    }
    ProgressBar1->setValue(value);
    if (draw) {
        QElapsedTimer drawing;
        drawing.start();
        ProgressBar1->setUpdatesEnabled(true);
        ProgressBar1->repaint();
        progressFrameNanoseconds_ = std::clamp(DrawingShare * drawing.nsecsElapsed(),
                                               FrameNanoseconds, LongestFrameNanoseconds);
        progressDrawn_.start();
    } else if (wasEnabled) {
        QTimer::singleShot(0, ProgressBar1, [bar = ProgressBar1] { bar->setUpdatesEnabled(true); });
    }
    if (value == 0) {
        progressDrawn_.invalidate();
    }
}

void frmLVX::SetMousePointer(int pointer) {
    ::SetMousePointer(pointer);
}

void frmLVX::EnableProcessMenus() {
    mnuProcess->menuAction()->setEnabled(true);
    mnuView->menuAction()->setEnabled(true);
    for (QAction* item :
         {mnuGraph, mnuFirstDerivative, mnuSecondDerivative, mnuInterpolate, mnuLaminit, mnuNedl,
          mnuPcorr, mnuPpfd, mnuQicalc, mnuLog, mnuRCalc, mnuSCorr}) {
        item->setEnabled(true);
    }
}

void frmLVX::ResetMenus() {
    mnuOpen->setEnabled(true);
    mnuProcess->menuAction()->setEnabled(false);
    mnuView->menuAction()->setEnabled(false);
    mnuGraph->setEnabled(false);
    CurrentInputPath = InputDirectory;
}

void frmLVX::Form_Load() {
    CommandLineCount = GetCommandLineArgs(CommandLineFiles, ProgramArguments());
    Timer1->setInterval(1000);
    Timer1->start();
    ResetMenus();
    LoadSettings();
    SaveSettings();
    mnuInputDir->setText(QString::fromStdString("Input Directory - " + InputDirectory));
    mnuOutputDir->setText(QString::fromStdString("Output Directory - " + OutputDirectory));
    CurrentInputPath = InputDirectory;
    VersionText =
        std::to_string(LUMIVEX_VERSION_MAJOR) + "." + std::to_string(LUMIVEX_VERSION_MINOR);
    setWindowTitle(QString::fromStdString("Lumivex    Version " + VersionText));
    SpliceGap = 5;
    try {
        ZelUtil::vbTZSet();
    } catch (const ZelUtil::Unavailable& error) {
        MsgBox(error.what(), vbOKOnly + vbExclamation, AppTitle);
    }
    FirstPaintPending = true;
    GraphTitle.clear();
    GraphSubtitle.clear();
    // Every run starts the graph window with its default look.
    const std::string savedGraph = SettingsFolder + "SaveGraph.bin";
    if (FileExists(savedGraph)) {
        std::error_code ignored;
        std::filesystem::remove(savedGraph, ignored);
    }
}

void frmLVX::Form_Paint() {
    if (!FirstPaintPending) {
        return;
    }
    FirstPaintPending = false;
    if (CommandLineCount > 0) {
        SelectInputFiles(CommandLineCount);
    }
}

void frmLVX::Form_QueryUnload() {
    if (GraphOpen && CurrentGraph != nullptr) {
        CurrentGraph->close();
    }
    if (CustomFormLoaded) {
        UnloadCustomForm();
    }
    // The band dialogs stay loaded between uses; they go with the window.
    UnloadLambdaForms();
}

void frmLVX::Form_Unload() {
    unloaded_ = true;
    MainClosing = true;
    CurrentGraph = nullptr;
}

void frmLVX::Form_Resize() {
    if (isMinimized() || centralWidget()->height() == 0) {
        return;
    }
    QWidget* client = centralWidget();
    ProgressBar1->hide();
    list2_->hide();
    // The toolbar and status bar sit outside the client area here, so the
    // lists take what is left above the progress bar; never a negative height.
    const int height = std::max(0, client->height() - ProgressBar1->height());
    for (ListBox* list : {list1_, list2_}) {
        list->setGeometry(0, 0, client->width(), height);
    }
    list2_->show();
    ProgressBar1->setGeometry(0, list2_->y() + list2_->height(), client->width(),
                              ProgressBar1->height());
    ProgressBar1->show();
}

void frmLVX::List2_DragDrop(const QStringList& paths) {
    CommandLineFiles.assign(1, std::string());
    for (const QString& path : paths) {
        CommandLineFiles.push_back(path.toStdString());
    }
    SelectInputFiles(static_cast<int>(paths.size()));
    mnuClose->setEnabled(true);
}

void frmLVX::Timer1_Timer() {
    StatusPanel1->setText(GeneralDateTimeText(QDateTime::currentDateTime()));
    StatusPanel2->setText(QString::fromStdString("Input Path:   " + CurrentInputPath));
    StatusPanel3->setText(QString::fromStdString("Output Path:   " + OutputDirectory));
    const bool same = UCase(OutputDirectory) == UCase(CurrentInputPath);
    StatusPanel2Picture->setPixmap(same ? Picture2 : Picture1);
}

void frmLVX::mnuOpen_Click() {
    SelectInputFiles();
}

void frmLVX::mnuClose_Click() {
    list1_->clear();
    list2_->clear();
    mnuOpen->setEnabled(true);
    ResetMenus();
}

void frmLVX::mnuExit_Click() {
    close();
}

void frmLVX::mnuInputDir_Click() {
    {
        frmDriveDir dialog(this);
        dialog.setDefaultDir(InputDirectory);
        ShowModal(dialog);
        InputDirectory = AddBackslash(dialog.Dir1Path());
    }
    SaveSettings();
    mnuInputDir->setText(QString::fromStdString("Input Directory - " + InputDirectory));
    if (OutputDirectory != InputDirectory &&
        MsgBox("The default OUTPUT directory is different\r\nDo you want to make it the same as "
               "the INPUT directory?",
               vbYesNo + vbQuestion, AppTitle) == vbYes) {
        OutputDirectory = InputDirectory;
        mnuOutputDir->setText(QString::fromStdString("Output Directory - " + OutputDirectory));
        SaveSettings();
    }
}

void frmLVX::mnuOutputDir_Click() {
    {
        frmDriveDir dialog(this);
        dialog.setDefaultDir(OutputDirectory);
        ShowModal(dialog);
        std::string chosen = dialog.Dir1Path();
        // The root keeps its separator: an empty output folder would mean the
        // current folder to a save dialog.
        OutputDirectory = chosen == "/" ? chosen : StripTrailingBackslash(chosen);
    }
    SaveSettings();
    mnuOutputDir->setText(QString::fromStdString("Output Directory - " + OutputDirectory));
    if (InputDirectory != OutputDirectory &&
        MsgBox("The default INPUT directory is different?\r\nDo you want to make it the same as "
               "the OUTPUT directory?",
               vbYesNo + vbQuestion, AppTitle) == vbYes) {
        InputDirectory = OutputDirectory;
        mnuInputDir->setText(QString::fromStdString("Input Directory - " + InputDirectory));
        SaveSettings();
    }
}

void frmLVX::mnuHelpUsersGuide_Click() {
    ShowUsersGuide("Lumivex.pdf", UsersGuideFolder("Lumivex.pdf", ProgramFolder()));
}

void frmLVX::mnuAbout_Click() {
    frmAbout about(this);
    ShowModal(about);
}

void frmLVX::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (FirstPaintPending) {
        // Opening files may show messages: not from inside a paint.
        QTimer::singleShot(0, this, &frmLVX::Form_Paint);
    }
}

bool frmLVX::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        Form_Resize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmLVX::closeEvent(QCloseEvent* event) {
    // Closed from inside a command or a dialog (a run lets the window
    // system's close through between files, but no key or click), the window
    // would be deleted under the code still using it: that work is ended as by
    // Cancel, and the window closes once control is back in the main loop.
    if (InsideNestedLoop()) {
        event->ignore();
        RequestEnd();
        return;
    }
    Form_QueryUnload();
    Form_Unload();
    event->accept();
}
