#include "ui/dialogs/Frm_Option.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/Editor.h"
#include "ui/dialogs/DialogText.h"

namespace vn574::ui {

using document::OptionDefinition;
using document::RadioOptions;

namespace {

std::size_t slot(int option) {
    return static_cast<std::size_t>(option - 1);
}

// The options shown in the left column; the rest go to the right one, the three check
// boxes below both.
constexpr int leftColumnLast = 12;

} // namespace

Frm_Option::Frm_Option(document::Editor& editor, QWidget* parent)
    : QDialog(parent), m_editor(editor) {
    setObjectName(QStringLiteral("Frm_Option"));
    setModal(true);
    buildControls();
    m_options.open(m_editor.document());
    showOptions();
}

QWidget* Frm_Option::control(int option) const {
    const auto i = slot(option);
    if (m_lists.at(i) != nullptr) {
        return m_lists.at(i);
    }
    return m_checks.at(i);
}

void Frm_Option::buildControls() {
    const auto text = [this](std::string_view key) {
        return toQString(m_editor.langText("OPTION", key));
    };
    const auto& language = m_editor.settings().language;
    setWindowTitle(text("6000P"));

    auto* frame = new QGroupBox(text("6000P"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(12);
    grid->setColumnMinimumWidth(2, 24);
    auto* checks = new QHBoxLayout;

    int leftRow = 0;
    int rightRow = 0;
    int labelNumber = 0;
    for (int option = 1; option <= RadioOptions::optionCount; ++option) {
        const OptionDefinition& def = RadioOptions::definition(option);
        const QString caption = text(def.captionKey);
        if (def.kind == OptionDefinition::Kind::CheckBox) {
            auto* box = new QCheckBox(caption, frame);
            box->setObjectName(toQString(def.name));
            connect(box, &QCheckBox::clicked, this,
                    [this, option](bool checked) { choose(option, checked ? 1 : 0); });
            checks->addWidget(box);
            m_checks.at(slot(option)) = box;
            continue;
        }
        auto* list = new QComboBox(frame);
        list->setObjectName(toQString(def.name));
        for (const auto& item : def.items) {
            list->addItem(toQString(RadioOptions::itemText(item, language)));
        }
        list->setPlaceholderText(toQString(document::hyphenRun));
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        connect(list, &QComboBox::activated, this,
                [this, option](int index) { choose(option, index); });
        m_lists.at(slot(option)) = list;

        auto* label = new QLabel(caption, frame);
        label->setObjectName(QStringLiteral("Label%1").arg(++labelNumber));
        label->setBuddy(list);
        const bool left = option <= leftColumnLast;
        const int row = left ? leftRow++ : rightRow++;
        const int column = left ? 0 : 3;
        grid->addWidget(label, row, column);
        grid->addWidget(list, row, column + 1);
    }
    grid->addLayout(checks, std::max(leftRow, rightRow), 0, 1, 5);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(text("60024"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("CommandOK"));
    auto* cancel = buttons->addButton(text("60025"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CommandCANCEL"));
    connect(ok, &QPushButton::clicked, this, &Frm_Option::commandOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void Frm_Option::choose(int option, int item) {
    m_options.select(option, item);
    showOptions();
}

void Frm_Option::showOptions() {
    for (int option = 1; option <= RadioOptions::optionCount; ++option) {
        const auto& state = m_options.state(option);
        if (auto* list = m_lists.at(slot(option))) {
            list->setCurrentIndex(state.selected);
            list->setEnabled(state.enabled);
        } else if (auto* box = m_checks.at(slot(option))) {
            box->setChecked(state.selected == 1);
            box->setEnabled(state.enabled);
        }
    }
}

void Frm_Option::commandOk() {
    m_options.accept(m_editor.document());
    accept();
}

} // namespace vn574::ui
