// A borderless window of one colour: tw_colour_window X Y WIDTH HEIGHT #RRGGBB. Each input line
// is a new colour, shown on top; prints "painted #RRGGBB" once shown; ends with its input.
#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <iostream>
#include <thread>

class ColourWindow : public QWidget {
public:
    ColourWindow()
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                               Qt::WindowStaysOnTopHint) {}
    QColor colour;
    bool reported = false;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), colour);
        if (!std::exchange(reported, true)) {
            std::printf("painted %s\n", qPrintable(colour.name()));
            std::fflush(stdout);
        }
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 6 || !QColor::isValidColorName(args[5])) {
        std::fprintf(stderr, "usage: tw_colour_window X Y WIDTH HEIGHT #RRGGBB\n");
        return 2;
    }
    ColourWindow window;
    window.colour = QColor(args[5]);
    window.setGeometry(args[1].toInt(), args[2].toInt(), args[3].toInt(), args[4].toInt());
    window.show();
    // Input is read apart from the event loop, each line handed to it; its end ends the program.
    std::thread([&] {
        for (std::string line; std::getline(std::cin, line);)
            QMetaObject::invokeMethod(&window, [&window, text = QString::fromStdString(line)] {
                if (QColor::isValidColorName(text.trimmed())) {
                    window.colour = QColor(text.trimmed());
                    window.reported = false;
                    window.raise();
                    window.repaint();
                }
            });
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit);
    }).detach();
    return app.exec();
}
