#include "model/print/NotePages.h"
#include "model/print/NoteWording.h"
#include "model/print/NoteWriting.h"

#include <array>

namespace print {

using namespace writing;

namespace {

void mailBlock(DrawingSurface& s, const LenderTexts& lender)
{
    at(s, 7, 8, QStringLiteral("MAIL OR FAX THE SIGNED ORIGINAL TO:"));
    nextLines(s, 7, {QString(), QStringLiteral("TLY"), lender.poBox, lender.cityStateZip});
    s.setCurrentY(14.35);
    rightAligned(s, 98, lender.phoneLine());
    rightAligned(s, 98, lender.faxLine());
    rightAligned(s, 98, lender.tollFreeLine());
    s.printLine(QString());
}

void instructions(DrawingSurface& s)
{
    bool first = true;
    for (const QStringList& block : wording::instructionBlocks()) {
        if (!first)
            next(s, 7, QString());
        first = false;
        nextLines(s, 7, block);
    }
}

void paymentDirection(DrawingSurface& s)
{
    const std::array<std::pair<double, QString>, 8> items = {{
        {8, QStringLiteral("HOW SHALL WE PAY YOU?")},
        {14.5, QStringLiteral("PAY ON OR BEFORE:")},
        {21, QStringLiteral("PAY ASAP")},
        {27.5, QStringLiteral("PAY MGA Or BROKER(Specify):")},
        {34, QStringLiteral("ASSIGNED RISK (To be assigned)")},
        {40.5, QStringLiteral("DIRECT TO COMPANY")},
        {47, QStringLiteral("OUR AGENCY")},
        {53.5, QStringLiteral("OTHER (Specify):")},
    }};
    at(s, 107, items[0].first, items[0].second);
    for (std::size_t i = 1; i < items.size(); ++i)
        DrawBox(s, 107, items[i].first, 2.5, 2.5);
    for (std::size_t i = 1; i < items.size(); ++i)
        at(s, 113, items[i].first, items[i].second);

    at(s, 107, 64, QStringLiteral("EXCEPT FOR ASSIGNED RISK POLICIES,  AGENT MAY RETAIN OR"));
    nextLines(s, 107,
              {QStringLiteral("REMIT PART OR  ALL  OF  THE  DOWN  PAYMENT.  WE  WILL PAY"),
               QStringLiteral("MGA, YOUR AGY, ETC PER YOUR INSTRUCTIONS:")});
    for (double y : {82, 89, 96, 103, 110})
        s.line(107, y, 210, y);
}

void agentStatement(DrawingSurface& s)
{
    s.setCurrentY(115);
    nextLines(s, 107, wording::agentStatementOpening());
    for (const QStringList& item : wording::agentStatementItems()) {
        next(s, 107, QString());
        nextLines(s, 107, item);
    }
}

} // namespace

void PrintPage2(NoteJob& job)
{
    DrawingSurface& s = job.surface;
    job.TitleFontSize = 12;
    job.BodyFontSize = 8.0;
    plainFont(s, job.BodyFontSize);
    s.setOrigin(0.0, 3.0);
    s.newPage();

    mailBlock(s, job.lender);
    instructions(s);
    paymentDirection(s);
    agentStatement(s);

    s.font().size = 6;
    at(s, 7, 254, QStringLiteral("Version ") + job.values.version);
    s.font().size = job.BodyFontSize;
    s.setCurrentY(258);
    PrintCentered(s, job.lender.footerLine());
}

} // namespace print
