#include "ui/signalling/SignallingWidgets.h"

#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

namespace vn574::ui::signalling {

QStringList itemsOf(document::TextList list) {
    QStringList items;
    items.reserve(static_cast<qsizetype>(list.size()));
    for (const std::string_view item : list) {
        items << qs(item);
    }
    return items;
}

QLabel* labelFor(const std::string& caption, QWidget* buddy, const QString& name) {
    auto* label = new QLabel(qs(caption));
    label->setObjectName(name);
    label->setBuddy(buddy);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

void showPosition(QComboBox* combo, int position) {
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(position);
}

void showText(QComboBox* combo, const std::string& text) {
    const QSignalBlocker block(combo);
    const QString shown = qs(text);
    const int position = combo->findText(shown);
    if (position >= 0) {
        combo->setCurrentIndex(position);
    }
    if (combo->isEditable() && combo->currentText() != shown) {
        combo->setEditText(shown);
    }
}

QFormLayout* formLayout() {
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(7); // 100 twips
    return form;
}

QTableView* memoryGrid(QAbstractItemModel* model) {
    auto* grid = new QTableView;
    grid->setObjectName(QStringLiteral("MSHFlexGrid1"));
    grid->setModel(model);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 10);
    return grid;
}

QHBoxLayout* okCancelRow(QDialog* dialog, const std::string& okCaption,
                         const std::string& cancelCaption, std::function<void()> onOk) {
    auto* ok = new QPushButton(qs(okCaption));
    ok->setObjectName(QStringLiteral("CommandOK"));
    ok->setAutoDefault(false);
    auto* cancel = new QPushButton(qs(cancelCaption));
    cancel->setObjectName(QStringLiteral("CommandCANCEL"));
    cancel->setAutoDefault(false);
    QObject::connect(ok, &QPushButton::clicked, dialog, std::move(onOk));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    return buttons;
}

} // namespace vn574::ui::signalling
