// The floors bench_first_window measures the program's first window against,
// each run as a process of its own: a bare window of the main window's size,
// and the same window holding the main window's captions in its three fonts.
// This program links Qt Widgets and nothing of the program's, so it loads
// what a bare window loads; the program pays for everything else it loads.
//   bench_window_floors --floor|--text-floor MONOTONIC_MS_AT_LAUNCH
#include "PaintWatch.h"

#include "windows/ui/Twips.h"
#include "windows/ui/WindowFont.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstdio>
#include <utility>

namespace {

using namespace bench;

void printMemory()
{
    settle();
    std::printf("rss %ld\n", vmRssKb());
}

int bareWindow(double startedMs)
{
    QWidget window;
    ui::setInnerSizeTwips(&window, {7380, 5775});
    window.show();
    reportFirstPaint(&window, startedMs);
    printMemory();
    return 0;
}

// What a window with text costs beyond the bare one is the system's text stack
// (fontconfig's configuration, the font list, the faces, shaping and drawing
// glyphs), which any window showing text pays.
int windowWithText(double startedMs)
{
    QWidget window;
    ui::applyWindowFont(&window);
    ui::setInnerSizeTwips(&window, {7380, 5775});
    const QFont bold = ui::windowFont(8.25, true);
    const std::pair<QString, QFont> captions[] = {
        {"Welcome to QUILLON", ui::windowFont(13.5, true, true)},
        {"Select Agent from list or select New, Edit or Delete to change list.", bold},
        {"Select Customer from list or select New, Edit or Delete to change list. ", bold},
        {"Previous Contracts will pop up a list of contracts for the selected  customer.", ui::windowFont()},
        {"Loan Classification", bold}};
    int top = 4;
    for (const auto& [caption, font] : captions) {
        auto* label = new QLabel(caption, &window);
        label->setFont(font);
        label->move(20, top);
        top += 40;
    }
    window.show();
    reportFirstPaint(&window, startedMs);
    printMemory();
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    prepareWindowProcess();
    QApplication qtApp(argc, argv);
    const QStringList args = qtApp.arguments();
    if (args.value(1) == "--floor")
        return bareWindow(args.value(2).toDouble());
    if (args.value(1) == "--text-floor")
        return windowWithText(args.value(2).toDouble());
    std::fprintf(stderr, "usage: bench_window_floors --floor|--text-floor MONOTONIC_MS_AT_LAUNCH\n");
    return 2;
}
