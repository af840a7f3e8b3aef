// The floor that the drill's start-up and idle figures are measured against: the least a Qt 6
// Widgets program does to show a window of the drill's size with one line of Chinese in the
// drill's 93-pixel box font. Given "tick", a second label counts the seconds on a one-second timer,
// as the drill's counter does during an exam.
#include <QApplication>
#include <QLabel>
#include <QTimer>

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

    QTimer timer;
    if (argc > 1 && qstrcmp(argv[1], "tick") == 0) {
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
