#include "views/view_services.h"

#include <QAction>
#include <QMenu>

#include "cie/screen_text.h"
#include "frame/services.h"
#include "platform/ui/ui.h"
#include "views/colorimetry_window.h"
#include "views/graph_window.h"
#include "views/header_window.h"
#include "views/spectrum_plot.h"

namespace {

void InstallGraphServices() {
    Views.InitGraph = [](int16_t SubsetCount) {
        // A new window loads first, so its plot starts in the last display
        // mode, whatever the caller set before.
        if (ActiveGraphWindow() == nullptr) {
            OpenGraphWindow();
        }
        InitGraph(SubsetCount);
    };
    Views.PlotSpectra = [] { return PlotSpectra(); };
    Views.ShowGraph = [] {
        if (frmGraph* window = ActiveGraphWindow()) {
            window->show();
            window->raise();
            window->activateWindow();
        }
    };
    Views.ShowFormatMenu = [] {
        if (frmGraph* window = ActiveGraphWindow()) {
            window->mnuFormat->menuAction()->setVisible(true);
        }
    };
}

}  // namespace

void InstallViewServices() {
    Views.ShowHeaderWindow = ShowHeaderWindow;
    InstallGraphServices();
    Views.ShowColorimetryWindow = ShowColorimetryWindow;
    // The colorimetry control's own messages (a gamma out of range) reach the
    // user through the program's message boxes like every other message.
    InstallCieUserHooks({[](const std::string& prompt, int buttons, const std::string& title) {
                             return MsgBox(prompt, buttons, title);
                         },
                         {}});
}
