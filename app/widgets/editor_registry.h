#pragma once
// The editors the main window opens, by kind: child windows (single instance each, inside the
// main window) and modal dialogs. The program registers a factory per editor that exists; a kind
// without a factory leaves its menu item and tree node present but disabled.

#include <QWidget>
#include <functional>
#include <map>

namespace corvane::app {

class MainWindow;

enum class ChildKind {
    ChannelGrid,      // "&Channel Information", N1
    OptionalFeatures, // "&Function Setup", N2
    KeyAssignment,    // "&Key Setting", N3
    ScanInformation,  // "&Scan Information", N4
    Dtmf,             // "&DTMF", N5
    EmbeddedMessage,  // "Embedded &Message", N8
};

enum class DialogKind {
    ModelInformation, // "&Model Information"
    PrintSelection,   // "&Print", toolbar "打印"
    TestData,         // "Test Data &Information", N10 (test mode only)
};

// A child editor's window, made when the editor is opened; the main window wraps it in a child
// frame and deletes it when it is closed. It takes its texts in the language current then.
using ChildWindowFactory = std::function<QWidget*(MainWindow& mainWindow)>;
// Runs a modal dialog to its end.
using DialogCommand = std::function<void(MainWindow& mainWindow)>;

struct EditorRegistry
{
    std::map<ChildKind, ChildWindowFactory> children;
    std::map<DialogKind, DialogCommand> dialogs;

    bool has(ChildKind kind) const { return children.count(kind) != 0; }
    bool has(DialogKind kind) const { return dialogs.count(kind) != 0; }
};

} // namespace corvane::app
