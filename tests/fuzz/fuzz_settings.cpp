// The settings file: any bytes read without harm, and a write into any file
// reads back as written, leaves every other value as it was and changes no
// byte outside the value's own line (or adds a line and nothing else).
#include "FuzzInput.h"
#include "settings/ProfileText.h"
#include "support/ByteDifference.h"

#include <QList>

namespace {
const QStringList kKeys{"dbdrive", "dbdir", "dbName", "phone", "street"};
const QStringList kSections{"file", "lender", "FILE", "other"};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // First byte: which key and section; then the value, up to a NUL; the rest is the file.
    const QString key = kKeys[data[0] % kKeys.size()];
    const QString section = kSections[(data[0] / kKeys.size()) % kSections.size()];
    const QByteArray input(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const qsizetype split = input.indexOf('\0');
    const QByteArray file = split < 0 ? input : input.mid(split + 1);
    QString value = QString::fromUtf8(split < 0 ? QByteArray() : input.left(split));

    QList<std::optional<QString>> before;
    for (const QString& s : kSections)
        for (const QString& k : kKeys)
            before << profile::valueIn(file, s, k);

    const bool oneLine = !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r'));
    const std::optional<QByteArray> after = profile::withValue(file, section, key, value);
    FUZZ_CHECK(after.has_value() == oneLine);
    if (!after)
        return 0;
    // What UTF-8 cannot carry (a lone surrogate) is written as the encoder writes it.
    value = QString::fromUtf8(value.toUtf8());
    FUZZ_CHECK(profile::valueIn(*after, section, key) == value);

    qsizetype i = 0;
    for (const QString& s : kSections)
        for (const QString& k : kKeys) {
            const bool same = s.compare(section, Qt::CaseInsensitive) == 0 && k.compare(key, Qt::CaseInsensitive) == 0;
            FUZZ_CHECK(same || profile::valueIn(*after, s, k) == before[i]);
            ++i;
        }

    const auto [removed, added] = byteDifference(file, *after);
    if (profile::valueIn(file, section, key)) {
        FUZZ_CHECK(!removed.contains('\n') && !removed.contains('\r'));
        FUZZ_CHECK(!added.contains('\n') && !added.contains('\r'));
    } else {
        FUZZ_CHECK(removed.isEmpty());
    }
    return 0;
}
