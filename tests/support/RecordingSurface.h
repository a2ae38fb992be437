#pragma once

#include "print/DrawingSurface.h"

#include <QImage>
#include <QList>
#include <QString>

// Keeps every drawing call instead of printing, measuring text as a 1200-dpi
// printer would. Positions are kept in page coordinates, as the page
// procedures give them, together with the origin offset in force.
//
// Set failOnPage to make the first drawing on that page throw PrinterError,
// as a printer that stops answering would.
class RecordingSurface final : public print::DrawingSurface {
public:
    struct Text {
        int page;
        double x, y;
        QString text;
        print::SurfaceFont font;
        double originX, originY;
        int order; // place among all drawing calls
    };
    struct Stroke {
        int page;
        double x1, y1, x2, y2;
        int order;
    };

    RecordingSurface();

    void useLetterPortrait() override { ++letterPortraitCalls; }
    double textWidth(const QString& text) const override;
    double lineHeight() const override;
    void line(double x1, double y1, double x2, double y2) override;
    void newPage() override;
    void endDoc() override;

    // Line height and width of a plain Arial text at a size, as this surface measures.
    double lineHeightAt(double size) const;
    double widthAt(const QString& text, double size, bool bold = false) const;

    // Texts on a page, in drawing order; the first with the given text, or null.
    QList<Text> textsOn(int page) const;
    const Text* find(const QString& text, int page = 0) const;
    QList<Stroke> strokesOn(int page) const;
    // The text drawn at a point, or null; how many strokes join two points.
    const Text* textAt(int page, double x, double y) const;
    int strokeCount(int page, double x1, double y1, double x2, double y2) const;

    QList<Text> texts;
    QList<Stroke> strokes;
    int page = 1;
    int newPageCalls = 0;
    int endDocCalls = 0;
    int letterPortraitCalls = 0;

    int failOnPage = 0;
    bool failed = false;
    int callsAfterFailure = 0;
    int calls = 0; // drawing calls so far

protected:
    void drawText(double x, double y, const QString& text) override;

private:
    // Throws when this page is set to fail; counts what comes after a failure.
    void operation();

    mutable QImage m_device;
};
