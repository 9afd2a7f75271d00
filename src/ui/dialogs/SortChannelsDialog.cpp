#include "ui/dialogs/SortChannelsDialog.h"

#include "ui/dialogs/DialogText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vn574::ui {

using namespace document;

SortChannelsDialog::SortChannelsDialog(const Editor& editor, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SortChannelsDialog"));
    setModal(true);
    const auto text = [&editor](std::string_view section, std::string_view key) {
        return toQString(editor.langText(section, key));
    };
    setWindowTitle(text("ROWS", "14010"));

    m_column = new QComboBox(this);
    m_column->setObjectName(QStringLiteral("SortColumn"));
    for (const int column : RowOperations::sortColumns()) {
        // Both tone columns share their heading; the list tells them apart.
        QString label = toQString(editor.cell(0, column));
        if (column == colRxTone) {
            label = text("ROWS", "14015");
        } else if (column == colTxTone) {
            label = text("ROWS", "14016");
        }
        m_column->addItem(label, column);
    }
    auto* ascending = new QRadioButton(text("ROWS", "14012"), this);
    ascending->setObjectName(QStringLiteral("SortAscending"));
    ascending->setChecked(true);
    m_descending = new QRadioButton(text("ROWS", "14013"), this);
    m_descending->setObjectName(QStringLiteral("SortDescending"));
    m_inUseFirst = new QCheckBox(text("ROWS", "14014"), this);
    m_inUseFirst->setObjectName(QStringLiteral("SortInUseFirst"));
    m_inUseFirst->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(text("ROWS", "14011"), m_column);
    form->addRow(QString(), ascending);
    form->addRow(QString(), m_descending);
    form->addRow(QString(), m_inUseFirst);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(text("OPTION", "60024"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("CommandOK"));
    ok->setDefault(true);
    auto* cancel = buttons->addButton(text("OPTION", "60025"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CommandCANCEL"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

SortOrder SortChannelsDialog::order() const {
    return SortOrder{m_column->currentData().toInt(), m_descending->isChecked(),
                     m_inUseFirst->isChecked()};
}

} // namespace vn574::ui
