#include "fatal_error.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

namespace tallimo {

void fatalError(const QString& sentence) {
    std::fprintf(stderr, "%s\n", sentence.toLocal8Bit().constData());
    std::fflush(stderr);
    // The offscreen platform has no learner to read a message box, only a test waiting for us.
    if (!QCoreApplication::startingUp() && !QCoreApplication::closingDown() &&
        qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr &&
        QGuiApplication::platformName() != QLatin1String("offscreen")) {
        QMessageBox::critical(nullptr, QStringLiteral("Tallimo"), sentence);
    }
    std::_Exit(255);
}

}  // namespace tallimo
