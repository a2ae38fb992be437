#pragma once

#include <QString>

namespace print {

// The lender's address and numbers as the note prints them, top right and in
// both footers.
struct LenderTexts {
    QString street;
    QString poBox;
    QString cityStateZip;
    QString phone;
    QString fax;
    QString tollFree;

    QString phoneLine() const { return QStringLiteral("PHONE ") + phone; }
    QString faxLine() const { return QStringLiteral("FAX ") + fax; }
    QString tollFreeLine() const { return QStringLiteral("TOLL FREE ") + tollFree; }
    // "TLY-TARNLEY CREDIT CO, <street>, <box>, <city>, PH <phone>, FAX <fax>"
    QString footerLine() const;
};

// The lender's name as printed on the note.
inline const QString kLenderName = QStringLiteral("TLY-TARNLEY CREDIT CO");

// The texts the program prints when the settings file says nothing else.
LenderTexts defaultLenderTexts();

// The defaults, each replaced by a non-empty value of the settings file's
// [lender] section (keys street, pobox, citystatezip, phone, fax, tollfree).
LenderTexts readLenderTexts(const QString& settingsFilePath);

} // namespace print
