// The settings file: any bytes read without harm, and a write into any file
// reads back as written, leaves every other value as it was and changes no
// byte outside the value's own line (or adds a line and nothing else).
#include "FuzzInput.h"
#include "model/settings/ProfileText.h"
#include "support/ByteDifference.h"

#include <QList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QStringList keys{"dbdrive", "dbdir", "dbName", "phone", "street"}, sections{"file", "lender", "FILE", "other"};
    if (size < 2)
        return 0;
    // First byte: which key and section; then the value, up to a NUL; the rest is the file.
    const QString key = keys[data[0] % keys.size()], section = sections[(data[0] / keys.size()) % sections.size()];
    const QByteArray input(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const qsizetype split = input.indexOf('\0');
    const QByteArray file = split < 0 ? input : input.mid(split + 1);
    QString value = QString::fromUtf8(split < 0 ? QByteArray() : input.left(split));

    const std::optional<QByteArray> after = profile::withValue(file, section, key, value);
    FUZZ_CHECK(after.has_value() == (!value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r'))));
    if (!after)
        return 0;
    // What UTF-8 cannot carry (a lone surrogate) is written as the encoder writes it.
    value = QString::fromUtf8(value.toUtf8());
    FUZZ_CHECK(profile::valueIn(*after, section, key) == value);
    for (const QString& s : sections)
        for (const QString& k : keys)
            FUZZ_CHECK((s.compare(section, Qt::CaseInsensitive) == 0 && k.compare(key, Qt::CaseInsensitive) == 0)
                       || profile::valueIn(*after, s, k) == profile::valueIn(file, s, k));

    const auto [removed, added] = byteDifference(file, *after);
    const bool wasThere = profile::valueIn(file, section, key).has_value();
    FUZZ_CHECK(wasThere ? !removed.contains('\n') && !removed.contains('\r') && !added.contains('\n') && !added.contains('\r')
                        : removed.isEmpty());
    return 0;
}
