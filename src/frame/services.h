// What the main window calls of the import and export operations and of the
// viewing windows. Those subsystems set their entries when the program
// starts; a menu item whose entry is not set stays out of the menu.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ExportServices {
    // Shows the ASCII export dialog modally; its buttons run the export over
    // the work list.
    std::function<void()> ShowAsciiExport;
    // One JCAMP-DX file per entry of the work list, or one for all of them.
    std::function<void()> ExportJcampFiles;
    std::function<void()> ExportJcampMultiFile;
    std::function<void()> ExportBranLuebbeFiles;
    std::function<void()> ImportAsciiXYFiles;
    std::function<void()> CreateGpsLogFile;
};

struct ViewServices {
    // Prepares the graph window (created when there is none) for SubsetCount
    // curves with the stored curve look.
    std::function<void(int16_t SubsetCount)> InitGraph;
    // Loads every entry of the work list into the graph; false as soon as a
    // file cannot be read.
    std::function<bool()> PlotSpectra;
    // Shows the graph window, not modal, brought up to date.
    std::function<void()> ShowGraph;
    // Makes the graph window's "Format" menu visible.
    std::function<void()> ShowFormatMenu;
    // Shows the header window modally on the files of the work list.
    std::function<void()> ShowHeaderWindow;
    // Shows a new colorimetry window modally on the given files.
    std::function<void(const std::vector<std::string>& Files)> ShowColorimetryWindow;
};

extern ExportServices Exports;
extern ViewServices Views;
