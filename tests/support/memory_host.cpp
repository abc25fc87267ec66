#include "support/memory_host.h"

#include <stdexcept>
#include <utility>

MemoryFileList::MemoryFileList(std::vector<std::string> entries)
    : entries_(std::move(entries)), selected_(entries_.size(), false) {}

int MemoryFileList::ListCount() const {
    return static_cast<int>(entries_.size());
}

std::size_t MemoryFileList::Checked(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) {
        throw std::out_of_range("list index " + std::to_string(index) + " outside a list of " +
                                std::to_string(entries_.size()));
    }
    return static_cast<std::size_t>(index);
}

std::string MemoryFileList::List(int index) const {
    return entries_[Checked(index)];
}

bool MemoryFileList::Selected(int index) const {
    return selected_[Checked(index)];
}

void MemoryFileList::AddItem(const std::string& text) {
    entries_.push_back(text);
    selected_.push_back(false);
}

void MemoryFileList::Clear() {
    entries_.clear();
    selected_.clear();
    listIndex_ = -1;
}

void MemoryFileList::SetListIndex(int index) {
    listIndex_ = index == -1 ? -1 : static_cast<int>(Checked(index));
}

void MemoryFileList::SetSelected(int index, bool selected) {
    selected_[Checked(index)] = selected;
}

MemoryBatchHost::MemoryBatchHost() : previous_(InstallBatchHost(this)) {}

MemoryBatchHost::~MemoryBatchHost() {
    InstallBatchHost(previous_);
}

void MemoryBatchHost::SetProgressValue(int value) {
    ProgressValue = value;
    ProgressValues.push_back(value);
}

void MemoryBatchHost::SetMousePointer(int pointer) {
    MousePointer = pointer;
    MousePointers.push_back(pointer);
}
