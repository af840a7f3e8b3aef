// The floor that the drill's start-up and idle figures are measured against: the least a Qt 6
// Widgets program does to show a window of the drill's size with one line of Chinese in the
// drill's 93-pixel box font. Qt lays the line out only when it paints, after the window is mapped;
// given "measure", the floor measures the line's glyphs before it shows the window, as the drill
// does to size its boxes. Given "tick", a second label counts the seconds on a one-second timer, as
// the drill's counter does during an exam.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <algorithm>

int main(int argc, char** argv) {
    QApplication application(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Tallimo floor"));
    window.setFixedSize(536, 597);

    auto* line = new QLabel(QStringLiteral("加油"), &window);
    QFont font = line->font();
    font.setPixelSize(93);
    line->setFont(font);
    line->setGeometry(10, 10, 240, 120);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == u"measure") {
        const int inkHeight = QFontMetrics(font).tightBoundingRect(line->text()).height();
        line->resize(line->width(), std::max(line->height(), inkHeight + 4));
    }

    QTimer timer;
    if (mode == u"tick") {
        auto* counter = new QLabel(QStringLiteral("0"), &window);
        counter->setGeometry(10, 200, 120, 40);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, counter, [counter, seconds = 0]() mutable {
            counter->setText(QString::number(++seconds));
        });
        timer.start(1000);
    }

    window.show();
    return QApplication::exec();
}
