// The directory chooser the main window offers for its input and output
// folders: a list of roots (the file system's root, the home folder and the
// mounted media) and the folders of the current path.
#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The roots the chooser offers: "/", the home folder, and the mount points
// under /media, /mnt and /run/media (one level down, or two below a folder
// named after the user), those that exist.
std::vector<std::string> DriveRoots();

class frmDriveDir : public QDialog {
    Q_OBJECT

public:
    explicit frmDriveDir(QWidget* parent = nullptr);

    // The folder the dialog starts in and Cancel returns to. Setting it moves
    // the dialog there, or to the program's folder when it cannot be listed.
    const std::string& DefaultDir() const { return defaultDir_; }
    void setDefaultDir(const std::string& folder);

    // The dialog's result: the folder the list is showing, no trailing
    // separator (the root is "/").
    const std::string& Dir1Path() const { return dir1Path_; }

    QLabel* Label1() const { return label1_; }
    // Choosing an entry moves the list to that root.
    QComboBox* Drive1() const { return drive1_; }
    // The current path's ancestors, the current folder itself, then its
    // subfolders. A click highlights an entry, a double click opens it.
    QListWidget* Dir1() const { return dir1_; }
    // The entry of Dir1 that stands for folder, or nullptr.
    QListWidgetItem* Dir1Entry(const std::string& folder) const;
    // 0 "&OK", 1 "&Cancel".
    QPushButton* Command1(int index) const;

    // Esc and the title bar's close button cancel.
    void reject() override;

private:
    // Moves the list to folder; false (and nothing changed) when it is not a
    // folder that can be listed.
    bool SetDir1Path(const std::string& folder);
    void StartAt(const std::string& folder);
    void FallBackToProgramFolder();
    void RefreshDrives();
    void SelectDriveOf(const std::string& folder);
    void Drive1_Change(int index);
    void Dir1_Open(QListWidgetItem* item);
    void Command1_Click(int index);

    QLabel* label1_ = nullptr;
    QComboBox* drive1_ = nullptr;
    QListWidget* dir1_ = nullptr;
    std::array<QPushButton*, 2> command1_{};
    std::string defaultDir_;
    std::string dir1Path_;
    bool syncingDrive_ = false;
};
