#include "model/print/NotePages.h"
#include "model/print/NoteWording.h"
#include "model/print/NoteWriting.h"

namespace print {

using namespace literals;
using namespace writing;

namespace {

void header(DrawingSurface& s, const NoteJob& job)
{
    s.font().size = job.TitleFontSize;
    PrintCentered(s, QStringLiteral("PREMIUM FINANCE NOTE"));
    s.font().size = job.BodyFontSize;
    at(s, 143_mm, 6_mm, QStringLiteral("CHECK OR LOAN"));
    next(s, 143_mm, QStringLiteral("AUTHORIZATION #"));
    s.line(6_mm, 13_mm, 206_mm, 13_mm);
}

void disclosureBoxes(DrawingSurface& s, const LenderTexts& lender)
{
    const auto column = [&s](Mm x, const QStringList& lines) {
        s.setCurrentY(16_mm);
        nextLines(s, x, lines);
    };
    column(7_mm, {QStringLiteral("A. AMOUNT FINANCED"), QStringLiteral("The amount of credit"),
                  QStringLiteral("provided to you or"), QStringLiteral("on your behalf.")});
    column(45_mm, {QStringLiteral("B. FINANCE CHARGE"), QStringLiteral("the dollar amount"),
                   QStringLiteral("the credit will cost you."), QStringLiteral("**")});
    column(79_mm, {QStringLiteral("C. TOTAL OF PAYMENTS"), QStringLiteral("Amount paid after"),
                   QStringLiteral("making all payments"), QStringLiteral("as scheduled")});
    column(119_mm, {QStringLiteral("ANNUAL PERCENTAGE"), QStringLiteral("RATE (APR) *"),
                    QStringLiteral("The cost of your"), QStringLiteral("credit as a yearly rate"),
                    QStringLiteral("*") + QString(15, QLatin1Char(' ')) + QStringLiteral("**")});

    s.setCurrentY(16_mm);
    for (const QString& line : {kLenderName, lender.street, lender.poBox, lender.cityStateZip,
                                lender.phoneLine(), lender.faxLine(), lender.tollFreeLine()})
        rightAligned(s, 202_mm, line);

    for (Mm x : {6_mm, 44_mm, 78_mm, 118_mm})
        s.line(x, 13_mm, x, 38_mm);
}

void paymentSchedule(DrawingSurface& s)
{
    at(s, 7_mm, 45_mm,
       QStringLiteral("*APR does not include a non-refundable application/filing fee in the amount of "
                      "$20 plus 1% of the amount financed."));
    nextLines(s, 7_mm,
              {QStringLiteral("**Includes the application/filing fee. (Annual Percentage Rate must be "
                              "entered if Personal/Consumer is checked.)"),
               QStringLiteral("YOUR PAYMENT SCHEDULE WILL BE:"), QStringLiteral("NUMBER OF"),
               QStringLiteral("INSTALLMENTS")});
    at(s, 45_mm, 54.5_mm, QStringLiteral("AMOUNT OF"));
    next(s, 45_mm, QStringLiteral("INSTALLMENTS"));
    at(s, 79_mm, 54.5_mm, QStringLiteral("FIRST INSTALLMENT DUE"));
    s.setCurrentY(60_mm);
    nextLines(s, 129_mm,
              {QStringLiteral("SUCCEEDING MONTHLY INSTALLMENTS are due on"),
               QStringLiteral("the same day of eacy secceeding month until paid in full."), QStringLiteral(" "),
               QStringLiteral("LATE FEE: if a payment is ten or more days late a 5%"),
               QStringLiteral("collection/delinquency charge will be added.")});
    at(s, 159_mm, 42_mm, QStringLiteral("LOAN CLASSIFICATION:"));
    at(s, 164_mm, 47_mm, QStringLiteral("Personal/Consumer"));
    at(s, 164_mm, 53_mm, QStringLiteral("Commercial/Agricultural"));
    DrawBox(s, {.left = 159_mm, .top = 47_mm, .width = 3.5_mm, .height = 3.5_mm});
    DrawBox(s, {.left = 159_mm, .top = 53_mm, .width = 3.5_mm, .height = 3.5_mm});
    for (Mm x : {6_mm, 44_mm, 78_mm, 118_mm})
        s.line(x, 54.5_mm, x, 78_mm);
    s.line(6_mm, 78_mm, 206_mm, 78_mm);
}

void scheduleOfPolicies(DrawingSurface& s)
{
    s.setCurrentY(79_mm);
    PrintCentered(s, QStringLiteral("SCHEDULE OF POLICY(S), TAX, FEES, ETC (LIST OLDEST POLICY FIRST)"));
    at(s, 7_mm, 82_mm, QStringLiteral("POLICY NO."));
    next(s, 7_mm, QStringLiteral("Section #1 - Policy(s) which require less than 20 days to cancel."));
    at(s, 28_mm, 82_mm, QStringLiteral("INSURANCE COMPANY/GENERAL AGENT/OTHER"));
    at(s, 99_mm, 82_mm, QStringLiteral("PREMIUM/AMOUNT"));
    at(s, 126_mm, 82_mm, QStringLiteral("COVERAGE"));
    at(s, 148_mm, 82_mm, QStringLiteral("INCEPTION"));
    at(s, 168_mm, 82_mm, QStringLiteral("EXPIRATION"));
    at(s, 186_mm, 82_mm, QStringLiteral("TERM/YR"));
    at(s, 7_mm, 107_mm,
       QStringLiteral("Section #2 - Policy(s) which require more than 20 days to cancel such as Truckers "
                      "with filings, etc."));
    at(s, 7_mm, 121_mm,
       QStringLiteral("Section #3 - Policy(s) which require 60 days or more to cancel such as Work Comp, etc."));
    at(s, 7_mm, 135_mm,
       QStringLiteral("Section #4 - List any special items in this section such as any tax, fees, minimum "
                      "fully earned premiums, old balances, etc."));
    for (Mm y : {139.25_mm, 142.75_mm, 146.25_mm, 149.75_mm})
        DrawBox(s, {.left = 7_mm, .top = y, .width = 2.5_mm, .height = 2.5_mm});
    at(s, 14_mm, 139_mm, QStringLiteral("S/L TAX"));
    at(s, 14_mm, 142.5_mm, QStringLiteral("FULLY EARNED FEES"));
    at(s, 14_mm, 146_mm, QStringLiteral("S/L SURCHARGE"));
    at(s, 14_mm, 149.5_mm, QStringLiteral("OTHER:(Describe)"));
    at(s, 7_mm, 157_mm, QStringLiteral("GRAND TOTAL OF PREMIUMS, FEES, ETC"));
    at(s, 108.5_mm, 154_mm, QStringLiteral("DOWN PAYMENT: (25% X SECT. 1 + 30% X"));
    next(s, 108.5_mm, QStringLiteral("SECT. 2 + 33% SECT. 3 + SECT. 4)"));
    s.line(6_mm, 161_mm, 206_mm, 161_mm);
}

void insuredAgreement(DrawingSurface& s, const CustomerRecord& customer)
{
    at(s, 7_mm, 162_mm, QStringLiteral("INSURED AGREEMENT WITH TLY TARNLEY CREDIT COMPANY:"));
    tight(s, 7_mm, QString());
    tightLines(s, 7_mm, wording::agreementParagraph1());
    tight(s, 7_mm, QString());
    tightLines(s, 7_mm, wording::agreementParagraph2());
    tight(s, 7_mm, QString());
    tightLines(s, 7_mm, wording::agreementParagraph3());

    next(s, 7_mm, QString());
    next(s, 7_mm, QStringLiteral("X"));
    const Mm signatureLine = s.currentY();
    next(s, 7_mm, QStringLiteral("INSURED/DBA"));
    s.setCurrentY(signatureLine);
    next(s, 85_mm, QStringLiteral("DATE"));
    const Mm y = s.currentY();
    s.line(10_mm, y - 4_mm, 100_mm, y - 4_mm);
    next(s, 7_mm, QStringLiteral("ADDRESS/PH:"));
    nextLines(s, 7_mm,
              {customer.Name, customer.DBA, customer.Address1,
               customer.City + QStringLiteral(", ") + customer.State + QStringLiteral(" ") + customer.Zip});
    const Mm phoneLine = s.currentY();
    next(s, 7_mm, QStringLiteral("Phone ") + customer.Phone);
    at(s, 52_mm, phoneLine, QStringLiteral("Fax ") + customer.Fax);
}

void agreementRightColumn(DrawingSurface& s, const AgentRecord& agent)
{
    const QStringList& paragraph4 = wording::agreementParagraph4();
    at(s, 108.5_mm, 162_mm, paragraph4.first());
    tightLines(s, 108.5_mm, paragraph4.mid(1));
    tight(s, 108.5_mm, QString());
    tightLines(s, 108.5_mm, wording::agreementParagraph5());

    Mm y = s.currentY() - kTightening;
    s.line(108.5_mm, y + 1.5_mm, 206_mm, y + 1.5_mm);
    at(s, 108.5_mm, y, QString());
    tightLines(s, 108.5_mm, wording::agentStatementPage1());

    nextLines(s, 108.5_mm, {QString(), QStringLiteral("X"), QStringLiteral("AGENT ADDRESS/PH:")});
    y = s.currentY();
    s.line(111.5_mm, y - 4_mm, 206_mm, y - 4_mm);
    nextLines(s, 108.5_mm,
              {agent.Name, agent.Company, agent.Address1,
               agent.City + QStringLiteral(", ") + agent.State + QStringLiteral(" ") + agent.Zip});
    const Mm phoneLine = s.currentY();
    next(s, 108.5_mm, QStringLiteral("Phone ") + agent.Phone);
    at(s, 152_mm, phoneLine, QStringLiteral("Fax ") + agent.Fax);
}

} // namespace

void PrintPage1Form(NoteJob& job)
{
    DrawingSurface& s = job.surface;
    job.TitleFontSize = 12;
    job.BodyFontSize = 8.0;
    s.useLetterPortrait();
    s.setOrigin(2.0_mm, 3.0_mm);
    plainFont(s, job.BodyFontSize);
    s.setCurrentY(6_mm);

    header(s, job);
    disclosureBoxes(s, job.lender);
    paymentSchedule(s);
    scheduleOfPolicies(s);
    insuredAgreement(s, job.values.customer);
    agreementRightColumn(s, job.values.agent);

    s.setCurrentY(260_mm);
    s.font().bold = true;
    PrintCentered(s, job.lender.footerLine());
    s.font().bold = false;
}

} // namespace print
