#include "model/print/NotePages.h"
#include "model/print/NoteWording.h"
#include "model/print/NoteWriting.h"

namespace print {

using namespace writing;

namespace {

void header(DrawingSurface& s, const NoteJob& job)
{
    s.font().size = job.TitleFontSize;
    PrintCentered(s, QStringLiteral("PREMIUM FINANCE NOTE"));
    s.font().size = job.BodyFontSize;
    at(s, 143, 6, QStringLiteral("CHECK OR LOAN"));
    next(s, 143, QStringLiteral("AUTHORIZATION #"));
    s.line(6, 13, 206, 13);
}

void disclosureBoxes(DrawingSurface& s, const LenderTexts& lender)
{
    const auto column = [&s](double x, const QStringList& lines) {
        s.setCurrentY(16);
        nextLines(s, x, lines);
    };
    column(7, {QStringLiteral("A. AMOUNT FINANCED"), QStringLiteral("The amount of credit"),
               QStringLiteral("provided to you or"), QStringLiteral("on your behalf.")});
    column(45, {QStringLiteral("B. FINANCE CHARGE"), QStringLiteral("the dollar amount"),
                QStringLiteral("the credit will cost you."), QStringLiteral("**")});
    column(79, {QStringLiteral("C. TOTAL OF PAYMENTS"), QStringLiteral("Amount paid after"),
                QStringLiteral("making all payments"), QStringLiteral("as scheduled")});
    column(119, {QStringLiteral("ANNUAL PERCENTAGE"), QStringLiteral("RATE (APR) *"),
                 QStringLiteral("The cost of your"), QStringLiteral("credit as a yearly rate"),
                 QStringLiteral("*") + QString(15, QLatin1Char(' ')) + QStringLiteral("**")});

    s.setCurrentY(16);
    for (const QString& line : {kLenderName, lender.street, lender.poBox, lender.cityStateZip,
                                lender.phoneLine(), lender.faxLine(), lender.tollFreeLine()})
        rightAligned(s, 202, line);

    for (double x : {6, 44, 78, 118})
        s.line(x, 13, x, 38);
}

void paymentSchedule(DrawingSurface& s)
{
    at(s, 7, 45,
       QStringLiteral("*APR does not include a non-refundable application/filing fee in the amount of "
                      "$20 plus 1% of the amount financed."));
    nextLines(s, 7,
              {QStringLiteral("**Includes the application/filing fee. (Annual Percentage Rate must be "
                              "entered if Personal/Consumer is checked.)"),
               QStringLiteral("YOUR PAYMENT SCHEDULE WILL BE:"), QStringLiteral("NUMBER OF"),
               QStringLiteral("INSTALLMENTS")});
    at(s, 45, 54.5, QStringLiteral("AMOUNT OF"));
    next(s, 45, QStringLiteral("INSTALLMENTS"));
    at(s, 79, 54.5, QStringLiteral("FIRST INSTALLMENT DUE"));
    s.setCurrentY(60);
    nextLines(s, 129,
              {QStringLiteral("SUCCEEDING MONTHLY INSTALLMENTS are due on"),
               QStringLiteral("the same day of eacy secceeding month until paid in full."), QStringLiteral(" "),
               QStringLiteral("LATE FEE: if a payment is ten or more days late a 5%"),
               QStringLiteral("collection/delinquency charge will be added.")});
    at(s, 159, 42, QStringLiteral("LOAN CLASSIFICATION:"));
    at(s, 164, 47, QStringLiteral("Personal/Consumer"));
    at(s, 164, 53, QStringLiteral("Commercial/Agricultural"));
    DrawBox(s, 159, 47, 3.5, 3.5);
    DrawBox(s, 159, 53, 3.5, 3.5);
    for (double x : {6, 44, 78, 118})
        s.line(x, 54.5, x, 78);
    s.line(6, 78, 206, 78);
}

void scheduleOfPolicies(DrawingSurface& s)
{
    s.setCurrentY(79);
    PrintCentered(s, QStringLiteral("SCHEDULE OF POLICY(S), TAX, FEES, ETC (LIST OLDEST POLICY FIRST)"));
    at(s, 7, 82, QStringLiteral("POLICY NO."));
    next(s, 7, QStringLiteral("Section #1 - Policy(s) which require less than 20 days to cancel."));
    at(s, 28, 82, QStringLiteral("INSURANCE COMPANY/GENERAL AGENT/OTHER"));
    at(s, 99, 82, QStringLiteral("PREMIUM/AMOUNT"));
    at(s, 126, 82, QStringLiteral("COVERAGE"));
    at(s, 148, 82, QStringLiteral("INCEPTION"));
    at(s, 168, 82, QStringLiteral("EXPIRATION"));
    at(s, 186, 82, QStringLiteral("TERM/YR"));
    at(s, 7, 107,
       QStringLiteral("Section #2 - Policy(s) which require more than 20 days to cancel such as Truckers "
                      "with filings, etc."));
    at(s, 7, 121,
       QStringLiteral("Section #3 - Policy(s) which require 60 days or more to cancel such as Work Comp, etc."));
    at(s, 7, 135,
       QStringLiteral("Section #4 - List any special items in this section such as any tax, fees, minimum "
                      "fully earned premiums, old balances, etc."));
    for (double y : {139.25, 142.75, 146.25, 149.75})
        DrawBox(s, 7, y, 2.5, 2.5);
    at(s, 14, 139, QStringLiteral("S/L TAX"));
    at(s, 14, 142.5, QStringLiteral("FULLY EARNED FEES"));
    at(s, 14, 146, QStringLiteral("S/L SURCHARGE"));
    at(s, 14, 149.5, QStringLiteral("OTHER:(Describe)"));
    at(s, 7, 157, QStringLiteral("GRAND TOTAL OF PREMIUMS, FEES, ETC"));
    at(s, 108.5, 154, QStringLiteral("DOWN PAYMENT: (25% X SECT. 1 + 30% X"));
    next(s, 108.5, QStringLiteral("SECT. 2 + 33% SECT. 3 + SECT. 4)"));
    s.line(6, 161, 206, 161);
}

void insuredAgreement(DrawingSurface& s, const CustomerRecord& customer)
{
    at(s, 7, 162, QStringLiteral("INSURED AGREEMENT WITH TLY TARNLEY CREDIT COMPANY:"));
    tight(s, 7, QString());
    tightLines(s, 7, wording::agreementParagraph1());
    tight(s, 7, QString());
    tightLines(s, 7, wording::agreementParagraph2());
    tight(s, 7, QString());
    tightLines(s, 7, wording::agreementParagraph3());

    next(s, 7, QString());
    next(s, 7, QStringLiteral("X"));
    const double signatureLine = s.currentY();
    next(s, 7, QStringLiteral("INSURED/DBA"));
    s.setCurrentY(signatureLine);
    next(s, 85, QStringLiteral("DATE"));
    const double y = s.currentY();
    s.line(10, y - 4, 100, y - 4);
    next(s, 7, QStringLiteral("ADDRESS/PH:"));
    nextLines(s, 7,
              {customer.Name, customer.DBA, customer.Address1,
               customer.City + QStringLiteral(", ") + customer.State + QStringLiteral(" ") + customer.Zip});
    const double phoneLine = s.currentY();
    next(s, 7, QStringLiteral("Phone ") + customer.Phone);
    at(s, 52, phoneLine, QStringLiteral("Fax ") + customer.Fax);
}

void agreementRightColumn(DrawingSurface& s, const AgentRecord& agent)
{
    const QStringList& paragraph4 = wording::agreementParagraph4();
    at(s, 108.5, 162, paragraph4.first());
    tightLines(s, 108.5, paragraph4.mid(1));
    tight(s, 108.5, QString());
    tightLines(s, 108.5, wording::agreementParagraph5());

    double y = s.currentY() - kTightening;
    s.line(108.5, y + 1.5, 206, y + 1.5);
    at(s, 108.5, y, QString());
    tightLines(s, 108.5, wording::agentStatementPage1());

    nextLines(s, 108.5, {QString(), QStringLiteral("X"), QStringLiteral("AGENT ADDRESS/PH:")});
    y = s.currentY();
    s.line(111.5, y - 4, 206, y - 4);
    nextLines(s, 108.5,
              {agent.Name, agent.Company, agent.Address1,
               agent.City + QStringLiteral(", ") + agent.State + QStringLiteral(" ") + agent.Zip});
    const double phoneLine = s.currentY();
    next(s, 108.5, QStringLiteral("Phone ") + agent.Phone);
    at(s, 152, phoneLine, QStringLiteral("Fax ") + agent.Fax);
}

} // namespace

void PrintPage1Form(NoteJob& job)
{
    DrawingSurface& s = job.surface;
    job.TitleFontSize = 12;
    job.BodyFontSize = 8.0;
    s.useLetterPortrait();
    s.setOrigin(2.0, 3.0);
    plainFont(s, job.BodyFontSize);
    s.setCurrentY(6);

    header(s, job);
    disclosureBoxes(s, job.lender);
    paymentSchedule(s);
    scheduleOfPolicies(s);
    insuredAgreement(s, job.values.customer);
    agreementRightColumn(s, job.values.agent);

    s.setCurrentY(260);
    s.font().bold = true;
    PrintCentered(s, job.lender.footerLine());
    s.font().bold = false;
}

} // namespace print
