#include "windows/contract/PolicyScheduleForm.h"

#include "model/print/ScheduleColumns.h"
#include "windows/ui/AccessibleName.h"
#include "windows/ui/Controls.h"
#include "windows/ui/Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

namespace {

// A field takes no more than its column of the printed note shows.
QLineEdit* addField(QWidget* parent, const QString& name, ui::TwipsRect box, const print::PrintedColumn& printed)
{
    return ui::addField(parent, name, box, printed.characters);
}

void addColumnHeadings(QWidget* window)
{
    struct Heading {
        const char* name;
        const char* text;
        int left, top, width;
    };
    // The headings end where Section 1's frame begins; long ones wrap onto two lines.
    static const Heading headings[] = {
        {"lblHeadPolicy", "Policy No.", 240, 600, 1155},
        {"lblHeadCompany", "Insurance Company/ General Agent/Other", 1440, 480, 2415},
        {"lblHeadPremium", "Premium/ Amount ", 4080, 480, 1095},
        {"lblHeadCoverage", "Coverage", 5400, 600, 1215},
        {"lblHeadInception", "Inception Date", 6720, 240, 975},
        {"lblHeadExpiration", "Expiration Date", 7800, 240, 975},
        {"lblHeadTerm", "Policy Term in Months", 8880, 480, 1035},
    };
    for (const Heading& h : headings) {
        const int height = h.top == 240 ? 480 : 900 - h.top;
        ui::addLabel(window, QString::fromLatin1(h.name), QString::fromLatin1(h.text),
                     {h.left, h.top, h.width, height});
    }
    ui::addLabel(window, QStringLiteral("lblInceptionHint"), QStringLiteral("(01/01/2008)"), {6720, 720, 975, 255});
    ui::addLabel(window, QStringLiteral("lblExpirationHint"), QStringLiteral("(01/01/2009)"), {7800, 720, 975, 255});
}

std::vector<ScheduleRow> addSectionRows(QGroupBox* frame, int section, int rows)
{
    static const int lefts[] = {120, 1260, 3900, 5220, 6600, 7680, 8760};
    static const int widths[] = {1155, 2655, 1335, 1395, 1095, 1095, 1035};
    static const char* const arrays[] = {"txtPolicy",    "txtCompany",    "txtPremium", "txtCoverage",
                                         "txtInception", "txtExpiration", "txtTerm"};
    static const print::PrintedColumn printed[] = {print::kPolicyColumn,    print::kCompanyColumn,
                                                   print::kPremiumColumn,   print::kCoverageColumn,
                                                   print::kInceptionColumn, print::kExpirationColumn,
                                                   print::kTermColumn};
    // The column headings above Section 1, as a screen reader announces each field.
    static const char* const captions[] = {"Policy No.", "Insurance Company/ General Agent/Other",
                                           "Premium/ Amount", "Coverage", "Inception Date",
                                           "Expiration Date", "Policy Term in Months"};
    std::vector<ScheduleRow> result;
    for (int index = 0; index < rows; ++index) {
        const int top = 240 + 300 * index;
        QLineEdit* fields[7];
        for (int column = 0; column < 7; ++column) {
            const QString name =
                QStringLiteral("%1%2_%3").arg(QLatin1String(arrays[column])).arg(section).arg(index);
            fields[column] = addField(frame, name, {lefts[column], top, widths[column], 315}, printed[column]);
            ui::nameFromCaption(fields[column], QStringLiteral("%1, Section %2, row %3")
                                                    .arg(QLatin1String(captions[column]))
                                                    .arg(section)
                                                    .arg(index + 1));
        }
        result.push_back({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]});
    }
    return result;
}

QGroupBox* addFrame(QWidget* window, const QString& name, const QString& caption, ui::TwipsRect box)
{
    auto* frame = new QGroupBox(caption, window);
    frame->setObjectName(name);
    ui::placeTwips(frame, box);
    return frame;
}

SpecialItem addSpecialItem(QGroupBox* frame, const QString& boxName, const QString& caption, const QString& fieldName,
                           ui::TwipsRect boxTwips, ui::TwipsRect fieldTwips)
{
    auto* box = new QCheckBox(caption, frame);
    box->setObjectName(boxName);
    ui::placeTwips(box, boxTwips);
    QLineEdit* amount = addField(frame, fieldName, fieldTwips, print::kSpecialAmountColumn);
    ui::nameFromCaption(amount, caption);
    return {box, amount};
}

QPushButton* addScheduleButton(QWidget* window, const QString& name, const QString& caption, int left)
{
    return ui::addButton(window, name, caption, {left, 6840, 1215, 495});
}

} // namespace

PolicyScheduleForm PolicyScheduleForm::build(QWidget* window)
{
    PolicyScheduleForm form;

    QLabel* heading = ui::addLabel(window, QStringLiteral("Label1"), QStringLiteral("Enter Policy Information"),
                                   {1560, 60, 6795, 315});
    heading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    addColumnHeadings(window);

    QGroupBox* frame1 = addFrame(window, QStringLiteral("Frame1"),
                                 QStringLiteral("Section 1 - Policy(s) which require less than 20 days to cancel. "),
                                 {60, 900, 9915, 1575});
    QGroupBox* frame2 =
        addFrame(window, QStringLiteral("Frame2"),
                 QStringLiteral("Section 2 - Policy(s) which require more than 20 days to cancel such as "
                                "Truckers with filings, etc. "),
                 {60, 2600, 9915, 1335});
    QGroupBox* frame3 =
        addFrame(window, QStringLiteral("Frame3"),
                 QStringLiteral("Section 3 - Policy(s) such as Work Comp etc. which require 60 days or more "
                                "to cancel."),
                 {60, 4060, 9915, 1335});
    QGroupBox* frame4 =
        addFrame(window, QStringLiteral("Frame4"),
                 QStringLiteral("Section 4 - List any special items in this section such as any tax, fees, "
                                "minumum fully earned premiums, old balances, etc. "),
                 {60, 5520, 9915, 1155});

    form.sections[0] = addSectionRows(frame1, 1, 4);
    form.sections[1] = addSectionRows(frame2, 2, 3);
    form.sections[2] = addSectionRows(frame3, 3, 3);

    form.specialItems[0] = addSpecialItem(frame4, QStringLiteral("chkTax"), QStringLiteral("S/L TAX"),
                                          QStringLiteral("txtTax"), {360, 300, 1035, 255}, {1500, 300, 795, 315});
    form.specialItems[1] = addSpecialItem(frame4, QStringLiteral("chkFees"), QStringLiteral("FULLY EARNED FEES"),
                                          QStringLiteral("txtFees"), {2940, 300, 2055, 255}, {5100, 300, 795, 315});
    form.specialItems[2] =
        addSpecialItem(frame4, QStringLiteral("chkSurcharge"), QStringLiteral("S/L SURCHARGE"),
                       QStringLiteral("txtSurcharge"), {6540, 300, 1935, 255}, {8400, 300, 795, 315});
    form.specialItems[3] = addSpecialItem(frame4, QStringLiteral("chkOther"), QStringLiteral("OTHER: Amount"),
                                          QStringLiteral("txtOther"), {360, 660, 1755, 255}, {1920, 660, 795, 315});
    QLabel* description =
        ui::addLabel(frame4, QStringLiteral("lblDescription"), QStringLiteral("Description"), {2940, 660, 1155, 195});
    form.description =
        addField(frame4, QStringLiteral("txtDescription"), {3840, 660, 5355, 315}, print::kDescriptionColumn);
    description->setBuddy(form.description);
    ui::nameFromCaption(form.description, description->text());

    form.back = addScheduleButton(window, QStringLiteral("cmdBack"), QStringLiteral("<< Back"), 3720);
    form.next = addScheduleButton(window, QStringLiteral("cmdNext"), QStringLiteral("Next >>"), 5280);
    return form;
}
