#include "model/print/LenderTexts.h"

#include "model/settings/ProfileFile.h"

namespace print {

QString LenderTexts::footerLine() const
{
    return kLenderName + QStringLiteral(", ") + street + QStringLiteral(", ") + poBox + QStringLiteral(", ")
           + cityStateZip + QStringLiteral(", PH ") + phone + QStringLiteral(", FAX ") + fax;
}

LenderTexts defaultLenderTexts()
{
    // Placeholder office of a fictional lender; 555-01xx numbers reach nobody.
    return {
        QStringLiteral("1801 EXAMPLE PKWY STE 210"),
        QStringLiteral("P.O. BOX 5550"),
        QStringLiteral("ANYTOWN, TX 75555"),
        QStringLiteral("(214) 555-0142"),
        QStringLiteral("(214) 555-0143"),
        QStringLiteral("(800) 555-0199"),
    };
}

LenderTexts readLenderTexts(const QString& settingsFilePath)
{
    LenderTexts texts = defaultLenderTexts();
    // A blank value keeps the default, so a half-filled section never prints a bare "PHONE".
    // The reader drops one pair of enclosing quotes, so an office can keep blanks in a value.
    const auto take = [&settingsFilePath](const char* key, QString& text) {
        const QString value = profile::readString(settingsFilePath, QStringLiteral("lender"),
                                                  QString::fromLatin1(key), QString());
        if (!value.isEmpty())
            text = value;
    };
    take("street", texts.street);
    take("pobox", texts.poBox);
    take("citystatezip", texts.cityStateZip);
    take("phone", texts.phone);
    take("fax", texts.fax);
    take("tollfree", texts.tollFree);
    return texts;
}

} // namespace print
