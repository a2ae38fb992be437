#pragma once

#include "windows/ui/Twips.h"

#include <QStringList>
#include <QTableWidgetItem>
#include <QVariant>

class QTableWidget;
class QWidget;

namespace history {

// A read-only grid of whole-row choices, with its headings; columns wide as given.
QTableWidget* addListGrid(QWidget* parent, const QString& name, const QStringList& headings,
                          const QList<int>& widthsTwips, ui::TwipsRect box);

// A cell that sorts by a key of its own (a number, a stored date), so that a
// date or an amount shown as text sorts as what it means.
class KeyedCell final : public QTableWidgetItem {
public:
    KeyedCell(const QString& text, const QVariant& key) : QTableWidgetItem(text), m_key(key) {}
    bool operator<(const QTableWidgetItem& other) const override;

private:
    QVariant m_key;
};

} // namespace history
