#pragma once

#include <QDate>
#include <QString>

#include <functional>

namespace print {

// The customer's DBA made fit to stand in a file name: characters that no
// desktop accepts there (/ \ : * ? " < > | and control characters) become
// "_", and blanks or dots at either end go. Empty when nothing is left.
QString fileNameFrom(const QString& text);

// The PDF file the print dialog proposes for a note: "<DBA> <yyyy-mm-dd>.pdf"
// in folder ("<yyyy-mm-dd>.pdf" without a DBA). An existing file is never
// proposed: " (2)", " (3)" and so on are added before ".pdf" instead.
QString proposedPdfPath(const QString& folder, const QString& dba, const QDate& day,
                        const std::function<bool(const QString&)>& fileExists);

} // namespace print
