// A main window for tests of the operations: its lists hold plain texts, its
// progress bar and mouse pointer remember every value they were given, and its
// common dialog answers through the installed user interface (a ScriptedUi).
#pragma once

#include <string>
#include <vector>

#include "frame/batch_host.h"
#include "platform/ui/common_dialog.h"

class MemoryFileList : public FileList {
public:
    MemoryFileList() = default;
    explicit MemoryFileList(std::vector<std::string> entries);

    int ListCount() const override;
    // Both throw std::out_of_range for an index outside the list, as the list
    // box raises its invalid-index error.
    std::string List(int index) const override;
    bool Selected(int index) const override;
    void AddItem(const std::string& text) override;
    // Empties the list, its selection and its current entry.
    void Clear() override;
    int ListIndex() const override { return listIndex_; }
    // -1 (no current entry) up to ListCount() - 1; std::out_of_range otherwise.
    // Moving the current entry does not select it.
    void SetListIndex(int index) override;

    // Plays the user selecting or deselecting an entry.
    void SetSelected(int index, bool selected);
    const std::vector<std::string>& Entries() const { return entries_; }

private:
    std::size_t Checked(int index) const;

    std::vector<std::string> entries_;
    std::vector<bool> selected_;
    int listIndex_ = -1;
};

class MemoryBatchHost : public BatchHost {
public:
    // Installs itself as the main host for its lifetime.
    MemoryBatchHost();
    ~MemoryBatchHost() override;
    MemoryBatchHost(const MemoryBatchHost&) = delete;
    MemoryBatchHost& operator=(const MemoryBatchHost&) = delete;

    FileList& List1() override { return WorkList; }
    FileList& List2() override { return VisibleList; }
    void SetProgressMax(int max) override { ProgressMax = max; }
    void SetProgressValue(int value) override;
    void SetMousePointer(int pointer) override;
    CommonDialog& CommonDialog1() override { return Dialog; }

    MemoryFileList WorkList;
    MemoryFileList VisibleList;
    CommonDialog Dialog;

    int ProgressMax = 0;
    int ProgressValue = 0;
    int MousePointer = 0;
    // Every value set so far, in order.
    std::vector<int> ProgressValues;
    std::vector<int> MousePointers;

private:
    BatchHost* previous_;
};
