// What the operations may touch of the main window: its two file lists, its
// progress bar, its mouse pointer and its common dialog. The main window
// implements it and installs itself; tests install a plain one. Operations
// never see the window itself.
#pragma once

#include <string>
#include <vector>

class CommonDialog;

// A list box as the operations use it: entries by 0-based index.
class FileList {
public:
    virtual ~FileList() = default;
    virtual int ListCount() const = 0;
    virtual std::string List(int index) const = 0;
    virtual void AddItem(const std::string& text) = 0;
    // Appends every text, in order; a list on the screen takes them in one go.
    virtual void AddItems(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) {
            AddItem(text);
        }
    }
    virtual void Clear() = 0;
    virtual bool Selected(int index) const = 0;
    virtual int ListIndex() const = 0;
    virtual void SetListIndex(int index) = 0;
};

class BatchHost {
public:
    virtual ~BatchHost() = default;
    // The hidden work list of a batch run.
    virtual FileList& List1() = 0;
    // The visible list of chosen input files.
    virtual FileList& List2() = 0;
    virtual void SetProgressMax(int max) = 0;
    virtual void SetProgressValue(int value) = 0;
    // 11 hourglass, 0 default.
    virtual void SetMousePointer(int pointer) = 0;
    virtual CommonDialog& CommonDialog1() = 0;
};

// Installs the host the operations work on; returns the previous one. The
// caller keeps ownership.
BatchHost* InstallBatchHost(BatchHost* host);
// The installed host. Throws std::logic_error when there is none.
BatchHost& MainHost();
