#include "ui/dialogs/FrmDTMF.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/Editor.h"
#include "document/ValueTables.h"
#include "ui/dialogs/DialogKeyFilter.h"
#include "ui/dialogs/DialogText.h"

namespace vn574::ui {

using document::DtmfMemories;

namespace {

constexpr int rowsPerColumn = 4;

} // namespace

FrmDTMF::FrmDTMF(document::Editor& editor, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_memories(editor.document().toneData) {
    setObjectName(QStringLiteral("FrmDTMF"));
    setModal(true);
    const auto text = [this](std::string_view key) {
        return toQString(m_editor.langText("OPTION", key));
    };
    setWindowTitle(QStringLiteral("DTMF"));

    auto* frame = new QGroupBox(text("60089"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(12);
    grid->setColumnMinimumWidth(2, 24);
    auto* keys = new DialogKeyFilter(DtmfMemories::keyFilter(), this);
    const auto labels = document::DtmfMemoryList();
    for (int k = 0; k < DtmfMemories::memoryCount; ++k) {
        auto* box = new QLineEdit(frame);
        box->setObjectName(QStringLiteral("Text1_%1").arg(k));
        box->setMaxLength(m_memories.maxLength(k));
        box->setText(toQString(m_memories.text(k)));
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
        if (k < DtmfMemories::editableCount) {
            keys->install(box);
            connect(box, &QLineEdit::textChanged, this, [this, k] { boxChanged(k); });
        } else {
            box->setReadOnly(true);
        }
        m_boxes.at(static_cast<std::size_t>(k)) = box;

        auto* label = new QLabel(toQString(labels[static_cast<std::size_t>(k)]), frame);
        label->setBuddy(box);
        const int column = k < rowsPerColumn ? 0 : 3;
        grid->addWidget(label, k % rowsPerColumn, column);
        grid->addWidget(box, k % rowsPerColumn, column + 1);
    }

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(text("60024"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("CommandOK"));
    auto* cancel = buttons->addButton(text("60025"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CommandCANCEL"));
    connect(ok, &QPushButton::clicked, this, &FrmDTMF::commandOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FrmDTMF::boxChanged(int k) {
    // Typed keys are filtered already; a drop or a middle-click paste is not, and is
    // cut back here to a code the memory can hold.
    auto* box = m_boxes.at(static_cast<std::size_t>(k));
    const QString shown = box->text();
    const QString kept = toQString(m_memories.setText(k, shown.toStdString()));
    if (kept != shown) {
        box->setText(kept);
    }
}

void FrmDTMF::commandOk() {
    m_memories.accept(m_editor.document());
    accept();
}

} // namespace vn574::ui
