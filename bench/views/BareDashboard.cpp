// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the open dashboard with Qt Widgets: a window of the dashboard's size whose nine
// figures (a card's percentage and two rows for memory and for disk, three CPU shares) all
// change once a second, from a timer on the main thread. Nothing is read: the figures are
// made up. "labels" sets the texts of fixed-size QLabels; "painted" draws them with
// QPainter into one widget and repaints only the rows that changed.
//   bench_bare_dashboard [labels|painted]
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QStaticText>
#include <QTimer>
#include <array>

namespace {

constexpr int kFigures = 9;
constexpr QSize kWindow(350, 693);
constexpr int kRowHeight = 24;

QString figure(int tick, int index)
{
    const int hundredths = (tick * 7919 + index * 1237) % 10000;
    return QString::number(hundredths / 100.0, 'f', 2) + QLatin1Char('%');
}

class PaintedFigures : public QWidget
{
public:
    explicit PaintedFigures(QWidget *parent)
        : QWidget(parent)
    {
        setFixedSize(kWindow);
        for (QStaticText &text : m_texts) {
            text.setTextFormat(Qt::PlainText);
        }
    }

    void setFigure(int index, const QString &text)
    {
        QStaticText &shown = m_texts.at(std::size_t(index));
        if (shown.text() == text) {
            return;
        }
        shown.setText(text);
        shown.prepare(QTransform(), font());
        update(row(index));
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        for (int i = 0; i < kFigures; ++i) {
            if (event->rect().intersects(row(i))) {
                painter.drawStaticText(row(i).topLeft(), m_texts.at(std::size_t(i)));
            }
        }
    }

private:
    static QRect row(int index) { return { 40, 300 + index * kRowHeight, 120, kRowHeight }; }

    std::array<QStaticText, kFigures> m_texts;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool painted = app.arguments().value(1) == QLatin1String("painted");
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare dashboard"));
    window.setFixedSize(kWindow);
    std::array<QLabel *, kFigures> labels {};
    PaintedFigures *figures = nullptr;
    if (painted) {
        figures = new PaintedFigures(&window);
    } else {
        auto *grid = new QGridLayout(&window);
        for (int i = 0; i < kFigures; ++i) {
            auto *label = new QLabel(&window);
            label->setTextFormat(Qt::PlainText);
            label->setFixedSize(120, kRowHeight);
            grid->addWidget(label, i, 0);
            labels.at(std::size_t(i)) = label;
        }
    }
    int tick = 0;
    QTimer timer;
    timer.setTimerType(Qt::CoarseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (int i = 0; i < kFigures; ++i) {
            if (painted) {
                figures->setFigure(i, figure(tick, i));
            } else {
                labels.at(std::size_t(i))->setText(figure(tick, i));
            }
        }
        ++tick;
    });
    timer.start(1000);
    window.show();
    return app.exec();
}
