#pragma once

#include "document/DocumentDiff.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <vector>

namespace vn574::ui {

// The differences of a comparison as a read-only table: section, item, field, the value
// in the document shown and the value in the file.
class CompareTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The headings (five) and the words for the five sections, in the language shown.
    void setTexts(QStringList headings, QStringList sectionNames);
    void setDifferences(std::vector<document::Difference> differences);
    [[nodiscard]] const document::Difference& difference(int row) const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    std::vector<document::Difference> m_differences;
    QStringList m_headings;
    QStringList m_sectionNames;
};

} // namespace vn574::ui
