#include "ui/dialogs/Frm_AutoDialer.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/Editor.h"
#include "ui/dialogs/DialogKeyFilter.h"
#include "ui/dialogs/DialogText.h"

namespace vn574::ui {

using document::AutoDialer;

Frm_AutoDialer::Frm_AutoDialer(document::Editor& editor, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_dialer(editor) {
    setObjectName(QStringLiteral("Frm_AutoDialer"));
    setModal(true);
    const auto text = [this](std::string_view section, std::string_view key) {
        return toQString(m_editor.langText(section, key));
    };
    setWindowTitle(text("OTHERS", "70001"));

    auto* frame = new QGroupBox(text("OTHERS", "70001"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* form = new QFormLayout(frame);
    auto* prompt = new QLabel(text("OTHERS", "70004"), frame);
    prompt->setObjectName(QStringLiteral("Label12"));
    auto* hint = new QLabel(QStringLiteral("0~9,A,B,C,D,*,#,- "), frame);
    hint->setObjectName(QStringLiteral("LabelHint"));
    form->addRow(prompt, hint);

    auto* keys = new DialogKeyFilter(AutoDialer::keyFilter(), this);
    for (int k = 0; k < AutoDialer::memoryCount; ++k) {
        auto* box = new QLineEdit(frame);
        box->setObjectName(QStringLiteral("Text%1").arg(k + 1));
        // No length limit on the widget: a text that is too long gets the warning and is
        // cut by the checks, which a silent widget limit would bypass.
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(
            QString(AutoDialer::maxLength + 2, QLatin1Char('0'))));
        keys->install(box);
        connect(box, &QLineEdit::textChanged, this, [this, k] { boxChanged(k); });
        m_boxes.at(static_cast<std::size_t>(k)) = box;
        form->addRow(QStringLiteral("M%1").arg(k + 1), box);
    }

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(text("OPTION", "60024"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("CommandOK"));
    auto* cancel = buttons->addButton(text("OPTION", "60025"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CommandCANCEL"));
    connect(ok, &QPushButton::clicked, this, &Frm_AutoDialer::commandOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Filling the boxes is a change like any other: the checks (and their warnings)
    // run on what the record holds.
    m_checking = true;
    m_dialer.open();
    for (int k = 0; k < AutoDialer::memoryCount; ++k) {
        box(k)->setText(toQString(m_dialer.text(k)));
    }
    m_checking = false;
}

void Frm_AutoDialer::boxChanged(int k) {
    if (m_checking) {
        return;
    }
    // The checks repeat their own repairs to the end, so the box is set only once.
    m_checking = true;
    auto* edit = box(k);
    const QString shown = edit->text();
    const QString kept = toQString(m_dialer.setText(k, shown.toStdString()));
    if (kept != shown) {
        edit->setText(kept);
    }
    edit->setCursorPosition(static_cast<int>(kept.size()));
    m_checking = false;
}

void Frm_AutoDialer::commandOk() {
    m_dialer.accept();
    accept();
}

} // namespace vn574::ui
