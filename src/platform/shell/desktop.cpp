#include "platform/shell/desktop.h"

#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace {

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t RootWindow(xcb_connection_t* c) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    return xcb_setup_roots_iterator(setup).data->root;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)>;

PropertyReply Property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
                       uint32_t longs = 4096) {
    const auto cookie = xcb_get_property(c, 0, w, property, type, 0, longs);
    return PropertyReply(xcb_get_property_reply(c, cookie, nullptr), &std::free);
}

std::string Title(xcb_connection_t* c, xcb_window_t w) {
    for (const auto& [name, type] :
         {std::pair{"_NET_WM_NAME", "UTF8_STRING"}, std::pair{"WM_NAME", "STRING"}}) {
        const auto reply = Property(c, w, Atom(c, name), Atom(c, type));
        if (reply && xcb_get_property_value_length(reply.get()) > 0) {
            const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
            return std::string(
                text, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
        }
    }
    return {};
}

// The window manager's list of client windows; without a window manager, the
// root's children.
std::vector<xcb_window_t> TopLevelWindows(xcb_connection_t* c) {
    std::vector<xcb_window_t> windows;
    const xcb_window_t root = RootWindow(c);
    const auto list = Property(c, root, Atom(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW);
    if (list && list->format == 32 && xcb_get_property_value_length(list.get()) > 0) {
        const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
        windows.assign(ids, ids + xcb_get_property_value_length(list.get()) / 4);
        return windows;
    }
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr), &std::free);
    if (tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        windows.assign(children, children + xcb_query_tree_children_length(tree.get()));
    }
    return windows;
}

// Desktop entries live under applications/ in the user's and the system's
// data folders.
std::string DesktopEntryPath(const std::string& id) {
    const QString found =
        QStandardPaths::locate(QStandardPaths::ApplicationsLocation, QString::fromStdString(id));
    return found.toStdString();
}

}  // namespace

WindowHandle FindWindowByTitle(const std::string& Title_) {
    xcb_connection_t* c = Connection();
    if (c == nullptr) {
        return 0;
    }
    for (xcb_window_t w : TopLevelWindows(c)) {
        if (Title(c, w).find(Title_) != std::string::npos) {
            return w;
        }
    }
    return 0;
}

int WindowShowState(WindowHandle window) {
    xcb_connection_t* c = Connection();
    if (c == nullptr || window == 0) {
        return -1;
    }
    const xcb_atom_t wmState = Atom(c, "WM_STATE");
    const auto reply = Property(c, window, wmState, wmState, 2);
    if (!reply || xcb_get_property_value_length(reply.get()) < 4) {
        return -1;
    }
    const uint32_t state = *static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return state == 1 ? 1 : state == 3 ? 2 : 0;  // NormalState, IconicState
}

void ActivateWindow(WindowHandle window) {
    xcb_connection_t* c = Connection();
    if (c == nullptr || window == 0) {
        return;
    }
    // Asking the window manager to activate a window restores it when it is
    // minimised and raises it otherwise.
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = Atom(c, "_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 2;  // from a pager or tool: honoured without focus rules
    xcb_send_event(c, 0, RootWindow(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(c, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_flush(c);
}

void MapWindow(WindowHandle window) {
    xcb_connection_t* c = Connection();
    if (c == nullptr || window == 0) {
        return;
    }
    xcb_map_window(c, window);
    xcb_flush(c);
}

std::string FindRegisteredProgram(const std::string& FileName, const std::string& Folder) {
    // The document's kind by its name: the guide is a PDF.
    const std::string path = (std::filesystem::path(Folder) / FileName).string();
    QProcess typeQuery;
    typeQuery.start("xdg-mime", {"query", "filetype", QString::fromStdString(path)});
    QString type = "application/pdf";
    if (typeQuery.waitForFinished(5000) && typeQuery.exitCode() == 0) {
        const QString answer = QString::fromUtf8(typeQuery.readAllStandardOutput()).trimmed();
        if (!answer.isEmpty()) {
            type = answer;
        }
    }
    QProcess defaultQuery;
    defaultQuery.start("xdg-mime", {"query", "default", type});
    if (!defaultQuery.waitForFinished(5000) || defaultQuery.exitCode() != 0) {
        return {};
    }
    const std::string id =
        QString::fromUtf8(defaultQuery.readAllStandardOutput()).trimmed().toStdString();
    return id.empty() ? std::string() : DesktopEntryPath(id);
}

bool OpenWithProgram(const std::string& Program, const std::string& FileName,
                     const std::string& Folder) {
    std::ifstream entry(Program);
    std::string line, exec;
    bool inEntry = false;
    while (std::getline(entry, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            inEntry = line == "[Desktop Entry]";
        } else if (inEntry && line.rfind("Exec=", 0) == 0) {
            exec = line.substr(5);
            break;
        }
    }
    if (exec.empty()) {
        return false;
    }
    // The command line of the entry, its file field filled with the guide's
    // bare name: the reader opens it relative to the program's folder.
    QStringList words = QProcess::splitCommand(QString::fromStdString(exec));
    QStringList arguments;
    bool placed = false;
    const QString name = QString::fromStdString(FileName);
    for (QString word : words) {
        if (word == "%f" || word == "%F" || word == "%u" || word == "%U") {
            arguments << name;
            placed = true;
            continue;
        }
        if (word.size() == 2 && word.startsWith('%')) {
            continue;  // a field this program has nothing for (%i, %c, %k)
        }
        // A field inside a word ("--file=%f") takes the name in its place.
        for (const char* field : {"%f", "%F", "%u", "%U"}) {
            if (word.contains(field)) {
                word.replace(field, name);
                placed = true;
            }
        }
        word.replace("%%", "%");
        arguments << word;
    }
    if (arguments.isEmpty()) {
        return false;
    }
    if (!placed) {
        arguments << QString::fromStdString(FileName);
    }
    const QString program = arguments.takeFirst();
    return QProcess::startDetached(program, arguments, QString::fromStdString(Folder));
}
