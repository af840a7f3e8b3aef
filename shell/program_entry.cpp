#include "program_entry.h"

#include <QApplication>
#include <QIcon>
#include <memory>

#include "exit_routines.h"
#include "fatal_error.h"
#include "main_window.h"

namespace tallimo {
namespace {

// Qt reports a missing display as a fatal message and would then abort with a core dump; the
// learner gets one plain sentence and exit code 255 instead. Qt's own warnings while it looks for a
// display would only bury that sentence.
void startUpMessageHandler(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type == QtFatalMsg) {
        fatalError(
            QStringLiteral("Tallimo cannot start: there is no display to show its window on."));
    }
}

// The drill has nothing to set up before its window or to tear down after it; the two routines
// keep the start-up order in which a program's own set-up would run.
void programStart() {}
void programExit() {}

}  // namespace

int programEntry() {
    // The drill takes no arguments: Qt is given the program's name only.
    static int argc = 1;
    static char programName[] = "tallimo";
    static char* argv[] = {programName, nullptr};

    qInstallMessageHandler(startUpMessageHandler);
    QApplication application(argc, argv);
    qInstallMessageHandler(nullptr);

    // The same images as the desktop theme's, compiled into the program.
    QIcon icon;
    for (int size : windowLayout.iconSizes) {
        icon.addFile(QStringLiteral(":/icons/tallimo-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tallimo.Tallimo"));

    programStart();
    registerExitRoutine(programExit);

    auto window = std::make_unique<MainWindow>();
    window->raiseCreated();
    window->show();
    window->activateWindow();

    QApplication::exec();

    window.reset();
    return 0;
}

}  // namespace tallimo
