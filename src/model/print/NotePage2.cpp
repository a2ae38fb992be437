#include "model/print/NotePages.h"
#include "model/print/NoteWording.h"
#include "model/print/NoteWriting.h"

#include <array>

namespace print {

using namespace literals;
using namespace writing;

namespace {

void mailBlock(DrawingSurface& s, const LenderTexts& lender)
{
    at(s, 7_mm, 8_mm, QStringLiteral("MAIL OR FAX THE SIGNED ORIGINAL TO:"));
    nextLines(s, 7_mm, {QString(), QStringLiteral("TLY"), lender.poBox, lender.cityStateZip});
    s.setCurrentY(14.35_mm);
    rightAligned(s, 98_mm, lender.phoneLine());
    rightAligned(s, 98_mm, lender.faxLine());
    rightAligned(s, 98_mm, lender.tollFreeLine());
    s.printLine(QString());
}

void instructions(DrawingSurface& s)
{
    bool first = true;
    for (const QStringList& block : wording::instructionBlocks()) {
        if (!first)
            next(s, 7_mm, QString());
        first = false;
        nextLines(s, 7_mm, block);
    }
}

void paymentDirection(DrawingSurface& s)
{
    const std::array<std::pair<Mm, QString>, 8> items = {{
        {8_mm, QStringLiteral("HOW SHALL WE PAY YOU?")},
        {14.5_mm, QStringLiteral("PAY ON OR BEFORE:")},
        {21_mm, QStringLiteral("PAY ASAP")},
        {27.5_mm, QStringLiteral("PAY MGA Or BROKER(Specify):")},
        {34_mm, QStringLiteral("ASSIGNED RISK (To be assigned)")},
        {40.5_mm, QStringLiteral("DIRECT TO COMPANY")},
        {47_mm, QStringLiteral("OUR AGENCY")},
        {53.5_mm, QStringLiteral("OTHER (Specify):")},
    }};
    at(s, 107_mm, items[0].first, items[0].second);
    for (std::size_t i = 1; i < items.size(); ++i)
        DrawBox(s, {.left = 107_mm, .top = items[i].first, .width = 2.5_mm, .height = 2.5_mm});
    for (std::size_t i = 1; i < items.size(); ++i)
        at(s, 113_mm, items[i].first, items[i].second);

    at(s, 107_mm, 64_mm, QStringLiteral("EXCEPT FOR ASSIGNED RISK POLICIES,  AGENT MAY RETAIN OR"));
    nextLines(s, 107_mm,
              {QStringLiteral("REMIT PART OR  ALL  OF  THE  DOWN  PAYMENT.  WE  WILL PAY"),
               QStringLiteral("MGA, YOUR AGY, ETC PER YOUR INSTRUCTIONS:")});
    for (Mm y : {82_mm, 89_mm, 96_mm, 103_mm, 110_mm})
        s.line(107_mm, y, 210_mm, y);
}

void agentStatement(DrawingSurface& s)
{
    s.setCurrentY(115_mm);
    nextLines(s, 107_mm, wording::agentStatementOpening());
    for (const QStringList& item : wording::agentStatementItems()) {
        next(s, 107_mm, QString());
        nextLines(s, 107_mm, item);
    }
}

} // namespace

void PrintPage2(NoteJob& job)
{
    DrawingSurface& s = job.surface;
    job.TitleFontSize = 12;
    job.BodyFontSize = 8.0;
    plainFont(s, job.BodyFontSize);
    s.setOrigin(0.0_mm, 3.0_mm);
    s.newPage();

    mailBlock(s, job.lender);
    instructions(s);
    paymentDirection(s);
    agentStatement(s);

    s.font().size = 6;
    at(s, 7_mm, 254_mm, QStringLiteral("Version ") + job.values.version);
    s.font().size = job.BodyFontSize;
    s.setCurrentY(258_mm);
    PrintCentered(s, job.lender.footerLine());
}

} // namespace print
