#pragma once

#include "print/DrawingSurface.h"
#include "print/SurfaceFontMetrics.h"

#include <QImage>
#include <QList>

#include <memory>

// What a recording surface was asked to draw, kept apart from the surface so
// it can be read after the print command has let the surface go.
struct Drawing {
    struct Text { // x, y before the origin offset
        int page; double x, y; QString text;
    };
    QList<Text> texts;
    int page = 1, newPages = 0, endDocs = 0;
    int failOnPage = 0; // the first call on that page throws PrinterError, as a printer that stops answering
    bool failed = false;
    int callsAfterFailure = 0;

    // The first text on a page with these words, null when none; the text drawn at a point, "<nothing>" when none.
    const Text* find(const QString& text, int onPage) const;
    QString textAt(int onPage, double x, double y) const;
};

// Keeps every drawing call instead of printing, measuring text as a 1200-dpi printer would.
class RecordingSurface final : public print::DrawingSurface {
public:
    RecordingSurface();

    void useLetterPortrait() override {}
    double textWidth(const QString& text) const override;
    double lineHeight() const override;
    void line(double x1, double y1, double x2, double y2) override;
    void newPage() override;
    void endDoc() override;

    std::shared_ptr<Drawing> drawing = std::make_shared<Drawing>();

protected:
    void drawText(double x, double y, const QString& text) override;

private:
    void operation();
    mutable QImage m_device;
};
