// The main window: the chosen input files, the hidden work list of a batch
// run, the progress bar, the status bar and the menu bar every operation
// starts from. It is the batch host the operations work on.
#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <memory>

#include "frame/batch_host.h"
#include "platform/ui/common_dialog.h"

// The window's progress bar. It shows no text, and says none: QProgressBar
// otherwise formats its text for every value it takes, only to decide
// whether the bar must be repainted, and a batch gives it one per file.
class ProgressBar : public QProgressBar {
public:
    using QProgressBar::QProgressBar;
    QString text() const override;
};

// A list box the operations see as a FileList.
class ListBox : public QListWidget, public FileList {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);
    int ListCount() const override;
    std::string List(int index) const override;
    void AddItem(const std::string& text) override;
    void AddItems(const std::vector<std::string>& texts) override;
    void Clear() override;
    bool Selected(int index) const override;
    int ListIndex() const override;
    void SetListIndex(int index) override;

signals:
    // Local files dropped from the desktop, in the order the desktop gave them.
    void FilesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

class frmLVX : public QMainWindow, public BatchHost {
    Q_OBJECT
public:
    frmLVX();
    ~frmLVX() override;

    // BatchHost
    FileList& List1() override { return *list1_; }
    FileList& List2() override { return *list2_; }
    void SetProgressMax(int max) override;
    void SetProgressValue(int value) override;
    void SetMousePointer(int pointer) override;
    CommonDialog& CommonDialog1() override { return commonDialog1_; }

    void EnableProcessMenus();
    void ResetMenus();

    // Form events, public so that tests can run them in order.
    void Form_Load();
    void Form_Paint();
    void Form_QueryUnload();
    void Form_Unload();
    void Form_Resize();
    void List2_DragDrop(const QStringList& paths);
    void Timer1_Timer();

    // The controls, named as the operations and tests know them.
    ListBox* List1Box() const { return list1_; }
    ListBox* List2Box() const { return list2_; }
    QProgressBar* ProgressBar1 = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QLabel* StatusPanel2Picture = nullptr;
    QLabel* StatusPanel2 = nullptr;
    QLabel* StatusPanel3 = nullptr;
    QTimer* Timer1 = nullptr;
    QPixmap Picture1;  // red triangle: input and output folders differ
    QPixmap Picture2;  // green triangle: they are the same

    QMenu* mnuFile = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuClose = nullptr;
    QAction* spcFile = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuProcess = nullptr;
    QAction* mnuReflectance = nullptr;
    QAction* mnuAbsoluteReflectance = nullptr;
    QAction* mnuRCalc = nullptr;
    QAction* mnuLog = nullptr;
    QAction* mnuFirstDerivative = nullptr;
    QAction* mnuSecondDerivative = nullptr;
    QAction* mnuPcorr = nullptr;
    QAction* mnuSCorr = nullptr;
    QAction* mnuLaminit = nullptr;
    QAction* mnuPpfd = nullptr;
    QAction* mnuQicalc = nullptr;
    QAction* mnuReftoraw = nullptr;
    QAction* mnuRawtoref = nullptr;
    QAction* mnuDcsub = nullptr;
    QAction* mnuInterpolate = nullptr;
    QAction* mnuSstat = nullptr;
    QAction* mnuNedl = nullptr;
    QAction* mnuFRAscii = nullptr;
    QAction* mnuImportXY = nullptr;
    QAction* mnuFRJcamp = nullptr;
    QAction* mnuBra = nullptr;
    QAction* mnuColorimetry = nullptr;
    QAction* mnuGPSLog = nullptr;
    QAction* mnuCustom = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuGraph = nullptr;
    QAction* mnuGraphRef = nullptr;
    QAction* mnuHeader = nullptr;
    QMenu* mnuSetup = nullptr;
    QAction* mnuInputDir = nullptr;
    QAction* mnuOutputDir = nullptr;
    QMenu* frmHelp = nullptr;
    QAction* mnuHelpUsersGuide = nullptr;
    QAction* mnuHeplSpacer1 = nullptr;
    QAction* mnuAbout = nullptr;

    // Names found on the command line at load.
    int16_t CommandLineCount = 0;
    // True from the end of load until the first paint.
    bool FirstPaintPending = false;

    // Launchers: fill the work list from the visible list, run the operation,
    // tidy up.
    void Reflectance();
    void Log();
    void Deriv1();
    void Deriv2();
    void Interp();
    void Qicalc();
    void Rcalc();
    void SCorr();
    void PCorr();
    void ASCII();
    void Stats();
    void LamInt();
    void Jcamp();
    void BandL();
    void Nedl();
    void Custom(int16_t Operation, float Constant, const std::string& FileName, int16_t UseList);

    // The launchers' common steps: the selected entries of List2 (all of them
    // when none is selected) into List1, in list order; false when List2 is
    // empty. Hiding hides List2 while it is copied whole.
    bool FillWorkList(bool hiding);
    // Pointer back to default, List1 cleared, menus reset when List2 is empty.
    void TidyUp();

    void mnuAbsoluteReflectance_Click();
    void mnuCustom_Click();
    void mnuImportXY_Click();
    void mnuGPSLog_Click();
    void mnuHeader_Click();
    void mnuColorimetry_Click();
    void mnuGraph_Click();
    // Items whose operation is not in the program stay out of the menu.
    void HideUnavailableItems();
    void mnuOpen_Click();
    void mnuClose_Click();
    void mnuExit_Click();
    void mnuInputDir_Click();
    void mnuOutputDir_Click();
    void mnuHelpUsersGuide_Click();
    void mnuAbout_Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    QAction* Item(QMenu* menu, const char* name, const char* caption);

    ListBox* list1_ = nullptr;
    ListBox* list2_ = nullptr;
    CommonDialog commonDialog1_;
    BatchHost* previousHost_ = nullptr;
    bool unloaded_ = false;
    // When the progress bar was last drawn; invalid before a run's first value.
    QElapsedTimer progressDrawn_;
    // The least time between two drawings of the bar, from what the last one
    // took.
    qint64 progressFrameNanoseconds_ = 16'000'000;
};

// Date and time as the status bar shows them: the desktop's own form.
QString GeneralDateTimeText(const QDateTime& when);

// The main window, once start-up has created it.
extern frmLVX* MainWindow;
