// The Help menu: the About box and the users guide.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <string>

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    std::array<QLabel*, 4> lblDescription{};
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
};

// Opens the users guide FileName lying in Folder in the desktop's reader, or
// brings forward a reader window that already shows it.
void ShowUsersGuide(const std::string& FileName, const std::string& Folder);

// The folder that holds the users guide FileName: the program's own folder
// when the guide lies there (a build tree), else the installed documents
// folder ../share/lumivex beside it. When neither holds it, the program's
// folder, so that the user is told the guide is missing.
std::string UsersGuideFolder(const std::string& FileName, const std::string& ProgramFolder);

// The program's icon, drawn rather than shipped: a small spectrum curve.
QPixmap ProgramIcon(int size);
