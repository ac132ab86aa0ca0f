// A borderless window of one colour, for the demonstration and the end-to-end test to watch.
// Usage: tw_colour_window X Y WIDTH HEIGHT #RRGGBB
// Each line on standard input is a new colour ("#RRGGBB"); "raise" puts the window on top
// again. It prints "painted #RRGGBB" once a colour is on the screen, and ends with its input.
#include <QApplication>
#include <QPainter>
#include <QSocketNotifier>
#include <QTextStream>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

namespace {

class ColourWindow : public QWidget {
public:
    explicit ColourWindow(QColor colour)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                               Qt::WindowStaysOnTopHint),
          m_colour(colour) {
        setWindowTitle(QStringLiteral("Tintwatch colour window"));
    }

    void SetColour(QColor colour) {
        m_colour = colour;
        m_bReported = false;
        repaint();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), m_colour);
        if (!m_bReported) {
            m_bReported = true;
            std::printf("painted %s\n", qPrintable(m_colour.name()));
            std::fflush(stdout);
        }
    }

private:
    QColor m_colour;
    bool m_bReported = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 6 || !QColor::isValidColorName(args[5])) {
        std::fprintf(stderr, "usage: tw_colour_window X Y WIDTH HEIGHT #RRGGBB\n");
        return 2;
    }
    ColourWindow window{QColor(args[5])};
    window.setGeometry(args[1].toInt(), args[2].toInt(), args[3].toInt(), args[4].toInt());
    window.show();

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const auto got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            app.quit();
            return;
        }
        pending.append(buffer, got);
        while (pending.contains('\n')) {
            const qsizetype end = pending.indexOf('\n');
            const QString line = QString::fromLatin1(pending.left(end)).trimmed();
            pending.remove(0, end + 1);
            if (line == QLatin1String("raise"))
                window.raise();
            else if (QColor::isValidColorName(line))
                window.SetColour(QColor(line));
        }
    });
    return app.exec();
}
