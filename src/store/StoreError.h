#pragma once

#include <QString>
#include <stdexcept>

class QSqlError;

namespace store {

// A failure of the database file: opening it, reading or writing.
// Carries the store's own error number and description for the user.
class StoreError : public std::runtime_error {
public:
    StoreError(int number, const QString& description);
    static StoreError from(const QSqlError& error);

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    // "Error 26: file is not a database", as shown in the message box.
    QString message() const;

private:
    int m_number;
    QString m_description;
};

} // namespace store
