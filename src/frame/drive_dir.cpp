#include "frame/drive_dir.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "platform/shell/paths.h"
#include "platform/ui/center.h"
#include "platform/ui/ui.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* UnavailableMessage = "Path is unavailable or non-existent,  please re-select";
constexpr int PathRole = Qt::UserRole;

// folder as an absolute path without "." or ".." steps and without a trailing
// separator; nothing for the empty text.
std::optional<fs::path> AbsoluteFolder(const std::string& folder) {
    if (folder.empty()) {
        return std::nullopt;
    }
    std::error_code error;
    fs::path path = fs::absolute(fs::path(folder), error);
    if (error) {
        return std::nullopt;
    }
    path = path.lexically_normal();
    if (path.has_relative_path() && !path.has_filename()) {
        path = path.parent_path();
    }
    return path;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) { return std::tolower(c); };
    const bool less = std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [&](unsigned char x, unsigned char y) { return lower(x) < lower(y); });
    const bool greater = std::lexicographical_compare(
        b.begin(), b.end(), a.begin(), a.end(),
        [&](unsigned char x, unsigned char y) { return lower(x) < lower(y); });
    return less || (!greater && a < b);
}

// The names of the subfolders of folder, sorted; nothing when it cannot be
// listed. Dot-folders are left out as file managers do; a path typed into the
// settings can still reach them.
std::optional<std::vector<std::string>> Subfolders(const fs::path& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        return std::nullopt;
    }
    fs::directory_iterator entries(folder, error);
    if (error) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error) {
            break;
        }
        const std::string name = entries->path().filename().string();
        std::error_code ignored;
        if (!name.empty() && name.front() != '.' && entries->is_directory(ignored)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

void AddExisting(std::vector<std::string>& roots, const fs::path& folder) {
    const std::string text = folder.string();
    if (std::find(roots.begin(), roots.end(), text) == roots.end()) {
        roots.push_back(text);
    }
}

void AddMountPoints(std::vector<std::string>& roots, const fs::path& base, const std::string& user,
                    bool othersToo) {
    const auto names = Subfolders(base);
    if (!names) {
        return;
    }
    for (const std::string& name : *names) {
        if (!user.empty() && name == user) {
            if (const auto media = Subfolders(base / name)) {
                for (const std::string& medium : *media) {
                    AddExisting(roots, base / name / medium);
                }
            }
        } else if (othersToo) {
            AddExisting(roots, base / name);
        }
    }
}

// True when folder lies in root (or is root), step by step.
bool Contains(const fs::path& root, const fs::path& folder) {
    auto r = root.begin();
    auto f = folder.begin();
    for (; r != root.end(); ++r, ++f) {
        if (r->empty()) {
            continue;
        }
        if (f == folder.end() || *r != *f) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<std::string> DriveRoots() {
    std::vector<std::string> roots{std::string(1, PathSeparator)};
    const QString home = QDir::homePath();
    std::string user;
    if (const auto folder = AbsoluteFolder(home.toStdString())) {
        std::error_code ignored;
        if (fs::is_directory(*folder, ignored)) {
            AddExisting(roots, *folder);
        }
        user = folder->filename().string();
    }
    AddMountPoints(roots, "/media", user, true);
    AddMountPoints(roots, "/mnt", "", true);
    AddMountPoints(roots, "/run/media", user, false);
    return roots;
}

frmDriveDir::frmDriveDir(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("New Directory Path"));
    label1_ = new QLabel(QStringLiteral("Please Select a Directory"), this);
    drive1_ = new QComboBox(this);
    dir1_ = new QListWidget(this);
    dir1_->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const char* captions[] = {"&OK", "&Cancel"};
    for (int index = 0; index < 2; ++index) {
        auto* button = new QPushButton(QString::fromLatin1(captions[index]), this);
        connect(button, &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
        buttons->addWidget(button);
        command1_[static_cast<std::size_t>(index)] = button;
    }
    command1_[0]->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addWidget(drive1_);
    layout->addWidget(dir1_, 1);
    layout->addLayout(buttons);

    connect(drive1_, &QComboBox::currentIndexChanged, this, &frmDriveDir::Drive1_Change);
    connect(dir1_, &QListWidget::itemActivated, this, &frmDriveDir::Dir1_Open);

    resize(420, 380);
    CenterForm(*this);
    StartAt(defaultDir_);
}

void frmDriveDir::setDefaultDir(const std::string& folder) {
    defaultDir_ = folder;
    StartAt(folder);
}

QListWidgetItem* frmDriveDir::Dir1Entry(const std::string& folder) const {
    const auto wanted = AbsoluteFolder(folder);
    if (!wanted) {
        return nullptr;
    }
    const QString text = QString::fromStdString(wanted->string());
    for (int row = 0; row < dir1_->count(); ++row) {
        QListWidgetItem* item = dir1_->item(row);
        if (item->data(PathRole).toString() == text) {
            return item;
        }
    }
    return nullptr;
}

QPushButton* frmDriveDir::Command1(int index) const {
    if (index < 0 || index >= static_cast<int>(command1_.size())) {
        throw std::out_of_range("frmDriveDir::Command1: no such button");
    }
    return command1_[static_cast<std::size_t>(index)];
}

bool frmDriveDir::SetDir1Path(const std::string& folder) {
    const auto path = AbsoluteFolder(folder);
    if (!path) {
        return false;
    }
    const auto children = Subfolders(*path);
    if (!children) {
        return false;
    }

    dir1Path_ = path->string();
    dir1_->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);
    int depth = 0;
    fs::path step;
    for (const fs::path& part : *path) {
        if (part.empty()) {
            continue;
        }
        step /= part;
        const QString name = QString::fromStdString(part.string());
        auto* item = new QListWidgetItem(open, QString(depth * 2, QChar(' ')) + name, dir1_);
        item->setData(PathRole, QString::fromStdString(step.string()));
        ++depth;
    }
    const int current = dir1_->count() - 1;
    for (const std::string& child : *children) {
        auto* item = new QListWidgetItem(
            closed, QString(depth * 2, QChar(' ')) + QString::fromStdString(child), dir1_);
        item->setData(PathRole, QString::fromStdString((*path / child).string()));
    }
    dir1_->setCurrentRow(current);
    return true;
}

void frmDriveDir::StartAt(const std::string& folder) {
    if (!SetDir1Path(folder)) {
        FallBackToProgramFolder();
    }
    RefreshDrives();
}

void frmDriveDir::FallBackToProgramFolder() {
    if (!SetDir1Path(ProgramFolder())) {
        SetDir1Path(std::string(1, PathSeparator));
    }
}

void frmDriveDir::RefreshDrives() {
    syncingDrive_ = true;
    drive1_->clear();
    for (const std::string& root : DriveRoots()) {
        drive1_->addItem(QString::fromStdString(root));
    }
    syncingDrive_ = false;
    SelectDriveOf(dir1Path_);
}

void frmDriveDir::SelectDriveOf(const std::string& folder) {
    // Home and the mount points lie inside "/": the deepest root that holds
    // the folder is the one it is on.
    int best = -1;
    std::size_t bestDepth = 0;
    for (int index = 0; index < drive1_->count(); ++index) {
        const fs::path root(drive1_->itemText(index).toStdString());
        if (!Contains(root, folder)) {
            continue;
        }
        const auto depth = static_cast<std::size_t>(std::distance(root.begin(), root.end()));
        if (best < 0 || depth > bestDepth) {
            best = index;
            bestDepth = depth;
        }
    }
    syncingDrive_ = true;
    drive1_->setCurrentIndex(best);
    syncingDrive_ = false;
}

void frmDriveDir::Drive1_Change(int index) {
    if (syncingDrive_ || index < 0) {
        return;
    }
    // A medium may have been taken out or a share gone since the list was
    // made; the user learns it here, once, and lands somewhere that exists.
    if (!SetDir1Path(drive1_->itemText(index).toStdString())) {
        MsgBox(UnavailableMessage, vbOKOnly + vbExclamation, AppTitle);
        FallBackToProgramFolder();
    }
    RefreshDrives();
}

void frmDriveDir::Dir1_Open(QListWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    if (!SetDir1Path(item->data(PathRole).toString().toStdString())) {
        // The folder went away or may not be read; show where we still are.
        MsgBox(UnavailableMessage, vbOKOnly + vbExclamation, AppTitle);
        if (!SetDir1Path(dir1Path_)) {
            FallBackToProgramFolder();
        }
    }
    SelectDriveOf(dir1Path_);
}

void frmDriveDir::Command1_Click(int index) {
    if (index == 0) {
        // A folder that was only highlighted, not opened, is the one meant.
        if (QListWidgetItem* item = dir1_->currentItem()) {
            SetDir1Path(item->data(PathRole).toString().toStdString());
        }
        QDialog::done(Accepted);
        return;
    }
    // A starting folder that has gone leaves the list where it is.
    SetDir1Path(defaultDir_);
    SelectDriveOf(dir1Path_);
    QDialog::done(Rejected);
}

void frmDriveDir::reject() {
    Command1_Click(1);
}
