#include "ui/dialogs/RepeaterOffsetDialog.h"

#include "document/FieldRules.h"
#include "ui/dialogs/DialogKeyFilter.h"
#include "ui/dialogs/DialogText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace vn574::ui {

using namespace document;

RepeaterOffsetDialog::RepeaterOffsetDialog(Editor& editor, int row, QWidget* parent)
    : QDialog(parent), m_editor(editor) {
    setObjectName(QStringLiteral("RepeaterOffsetDialog"));
    setModal(true);
    const auto text = [&editor](std::string_view section, std::string_view key) {
        return toQString(editor.langText(section, key));
    };
    setWindowTitle(text("ROWS", "14020"));

    m_plus = new QRadioButton(text("ROWS", "14022"), this);
    m_plus->setObjectName(QStringLiteral("OffsetPlus"));
    m_minus = new QRadioButton(text("ROWS", "14023"), this);
    m_minus->setObjectName(QStringLiteral("OffsetMinus"));
    m_simplex = new QRadioButton(text("ROWS", "14024"), this);
    m_simplex->setObjectName(QStringLiteral("OffsetSimplex"));
    m_offsetBox = new QLineEdit(this);
    m_offsetBox->setObjectName(QStringLiteral("OffsetMHz"));
    auto* keys = new DialogKeyFilter(TextBoxKeyFilter("0123456789."), this);
    keys->install(m_offsetBox);
    connect(m_simplex, &QRadioButton::toggled, m_offsetBox, &QWidget::setDisabled);

    // What the current row already has is the likeliest wish for the others.
    const auto rx = parseNumber(editor.cell(row, colRxFreq));
    const auto tx = parseNumber(editor.cell(row, colTxFreq));
    const double shift = rx && tx ? *tx - *rx : 0;
    if (std::abs(shift) < 0.000005) {
        m_minus->setChecked(true);
    } else {
        (shift > 0 ? m_plus : m_minus)->setChecked(true);
        m_offsetBox->setText(QString::fromStdString(formatFixed(std::abs(shift), 4)));
    }

    auto* form = new QFormLayout;
    form->addRow(text("ROWS", "14021"), m_plus);
    form->addRow(QString(), m_minus);
    form->addRow(QString(), m_simplex);
    form->addRow(text("ROWS", "14025"), m_offsetBox);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(text("OPTION", "60024"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("CommandOK"));
    auto* cancel = buttons->addButton(text("OPTION", "60025"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CommandCANCEL"));
    connect(ok, &QPushButton::clicked, this, &RepeaterOffsetDialog::commandOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

OffsetDirection RepeaterOffsetDialog::direction() const {
    if (m_simplex->isChecked()) {
        return OffsetDirection::Simplex;
    }
    return m_plus->isChecked() ? OffsetDirection::Plus : OffsetDirection::Minus;
}

void RepeaterOffsetDialog::commandOk() {
    if (m_simplex->isChecked()) {
        m_offset = 0;
        accept();
        return;
    }
    const auto offset = RowOperations::parseOffset(m_offsetBox->text().toStdString());
    if (!offset) {
        m_editor.prompts().message(m_editor.langText("ROWS", "14026"), app::Icon::Warning);
        m_offsetBox->setFocus();
        m_offsetBox->selectAll();
        return;
    }
    m_offset = *offset;
    accept();
}

} // namespace vn574::ui
