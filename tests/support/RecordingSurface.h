#pragma once

#include "model/print/DrawingSurface.h"
#include "model/print/PrinterError.h"
#include "model/print/SurfaceFontMetrics.h"

#include <QImage>
#include <QList>

#include <memory>

// What a recording surface was asked to draw, kept apart from the surface so
// it can be read after the print command has let the surface go.
struct Drawing {
    struct Text { // x, y before the origin offset
        int page; double x, y; QString text; print::SurfaceFont font;
    };
    struct Stroke {
        int page; double x1, y1, x2, y2;
    };
    QList<Text> texts;
    QList<Stroke> strokes;
    int page = 1, endDocs = 0;
    int failOnPage = 0; // the first call on that page throws PrinterError, as a printer that stops answering
    bool failed = false;
    int callsAfterFailure = 0;

    // The first text on a page with these words, null when none.
    const Text* find(const QString& text, int onPage) const
    {
        for (const Text& t : texts)
            if (t.page == onPage && t.text == text)
                return &t;
        return nullptr;
    }
    // The text drawn at a point, "<nothing>" when none.
    QString textAt(int onPage, double x, double y) const
    {
        for (const Text& t : texts)
            if (t.page == onPage && qAbs(t.x - x) < 1e-9 && qAbs(t.y - y) < 1e-9)
                return t.text;
        return QStringLiteral("<nothing>");
    }
};

// Keeps every drawing call instead of printing, measuring text as a 1200-dpi printer would.
class RecordingSurface final : public print::DrawingSurface {
public:
    RecordingSurface()
    {
        m_device.setDotsPerMeterX(qRound(1200 / 0.0254));
        m_device.setDotsPerMeterY(qRound(1200 / 0.0254));
    }

    void useLetterPortrait() override {}
    print::Mm textWidth(const QString& text) const override { return print::Mm(print::SurfaceFontMetrics(font(), &m_device).textWidth(text)); }
    print::Mm lineHeight() const override { return print::Mm(print::SurfaceFontMetrics(font(), &m_device).lineHeight()); }
    void line(print::Mm x1, print::Mm y1, print::Mm x2, print::Mm y2) override
    {
        operation();
        drawing->strokes.append({drawing->page, x1.value, y1.value, x2.value, y2.value});
    }
    void newPage() override
    {
        operation();
        ++drawing->page;
    }
    void endDoc() override
    {
        operation();
        ++drawing->endDocs;
    }

    std::shared_ptr<Drawing> drawing = std::make_shared<Drawing>();

protected:
    void drawText(print::Mm x, print::Mm y, const QString& text) override
    {
        operation();
        drawing->texts.append({drawing->page, x.value, y.value, text, font()});
    }

private:
    void operation()
    {
        if (drawing->failed)
            ++drawing->callsAfterFailure;
        else if (drawing->page == drawing->failOnPage) {
            drawing->failed = true;
            throw print::PrinterError("recorded printer failure");
        }
    }
    mutable QImage m_device{8, 8, QImage::Format_RGB32};
};
