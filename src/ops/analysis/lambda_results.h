// The result window of lambda integration, and the printout and ".lda" file
// made from its list.
#pragma once

#include <QDialog>
#include <array>
#include <string>

class QListWidget;
class QPrinter;
class QPushButton;

// The role under which every entry of a result list holds the data-type code
// of the file it came from.
inline constexpr int DataKindRole = 0x0100;  // Qt::UserRole

class frmLamResult : public QDialog {
    Q_OBJECT

public:
    explicit frmLamResult(QWidget* parent = nullptr);

    // One entry per band and file (see LambdaResultEntry).
    QListWidget* List1 = nullptr;
    // 0 "Print", 1 "Save to Text File": each hides the window once done.
    std::array<QPushButton*, 2> Command2{};
    QPushButton* Command1 = nullptr;  // "Close"
    // Where "Print" prints: the default printer when null.
    QPrinter* Printer = nullptr;

private:
    void Command2_Click(int index);
};

// The kept instance, loaded at its first use and afterwards only hidden.
frmLamResult& LamResultForm();
// Deletes the kept instance.
void UnloadLamResultForm();

// The label of a data-type code in the ".lda" file; "Unknown Data" for codes
// it does not know.
std::string GetDataKindName(int Code);

// Prints the entries of List on Printer (the default printer when null), 46 to
// a page. True when the printout was sent; false after "No Data to Print" or a
// printer error.
bool PrintLambdaResults(QListWidget& List, QPrinter* Printer = nullptr);

// Writes the entries of List to a ".lda" file the user names. True when it was
// written; false when the user cancelled, there was nothing to save or the
// file could not be written (the user has been told).
bool SaveLambdaResults(QListWidget& List);
