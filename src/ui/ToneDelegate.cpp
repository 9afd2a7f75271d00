#include "ui/ToneDelegate.h"

#include "ui/ListEditor.h"

#include <QStackedLayout>

namespace vn574::ui {

using document::FieldEditors;
using document::ToneList;

ToneEditor::ToneEditor(QWidget* parent)
    : QWidget(parent), m_stack(new QStackedLayout(this)), m_kind(new ListEditor(this)),
      m_ctcss(new ListEditor(this)), m_dcs(new ListEditor(this)) {
    m_kind->setObjectName(QStringLiteral("ComboCTCSSDCS"));
    m_ctcss->setObjectName(QStringLiteral("ComboCTCSS"));
    m_dcs->setObjectName(QStringLiteral("ComboDCS"));
    m_kind->setEntries(FieldEditors::toneEntries(ToneList::Kind));
    m_ctcss->setEntries(FieldEditors::toneEntries(ToneList::Ctcss));
    m_dcs->setEntries(FieldEditors::toneEntries(ToneList::Dcs));
    m_stack->setContentsMargins(0, 0, 0, 0);
    // The second list is laid over the first, which stays underneath; the focus can so
    // move to it before it is raised, without ever leaving the editor.
    m_stack->setStackingMode(QStackedLayout::StackAll);
    m_stack->addWidget(m_kind);
    m_stack->addWidget(m_ctcss);
    m_stack->addWidget(m_dcs);
    setFocusProxy(m_kind);
    connect(m_kind, &QComboBox::activated, this, &ToneEditor::kindChosen);
}

ListEditor* ToneEditor::list(ToneList which) const {
    switch (which) {
    case ToneList::Ctcss:
        return m_ctcss;
    case ToneList::Dcs:
        return m_dcs;
    case ToneList::Kind:
        break;
    }
    return m_kind;
}

std::string ToneEditor::shownText() const {
    return list(m_shown)->shownText();
}

void ToneEditor::setOpening(ToneList which, int shown, const std::string& asIs) {
    switch (which) {
    case ToneList::Kind:
        m_kind->showEntry(shown, asIs);
        break;
    case ToneList::Ctcss:
        m_ctcssOpening = Opening{shown, asIs};
        break;
    case ToneList::Dcs:
        m_dcsOpening = Opening{shown, asIs};
        break;
    }
}

void ToneEditor::kindChosen() {
    const ToneList next = FieldEditors::toneKindChosen(m_kind->shownText());
    if (next == ToneList::Kind) {
        return; // "off": neither tone list is shown
    }
    // The tone or code list starts on the cell's tone when the cell is of its kind.
    ListEditor* target = list(next);
    const Opening& opening = next == ToneList::Ctcss ? m_ctcssOpening : m_dcsOpening;
    target->showEntry(opening.shown, opening.asIs);
    m_shown = next;
    target->setFocus(Qt::OtherFocusReason);
    m_stack->setCurrentWidget(target);
    setFocusProxy(target);
}

QWidget* ToneDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                    const QModelIndex& index) const {
    auto* editor = new ToneEditor(parent);
    watch(editor, index);
    const int row = gridRow(index);
    const int column = gridColumn(index);
    for (const ToneList which : {ToneList::Kind, ToneList::Ctcss, ToneList::Dcs}) {
        watchChild(editor->list(which));
        editor->setOpening(which, m_fields.toneOpeningIndex(row, column, which),
                           m_fields.toneShownAsIs(row, column, which));
    }
    return editor;
}

CellDelegate::Commit ToneDelegate::commitFor(QWidget* editor, int row, int column) const {
    const auto* tone = static_cast<ToneEditor*>(editor);
    const ToneList shown = tone->shownList();
    const std::string text = tone->shownText();
    return [this, row, column, shown, text] { m_fields.toneCommit(row, column, shown, text); };
}

std::optional<document::CellEntry> ToneDelegate::entryFor(QWidget* editor, int column) const {
    const auto* tone = static_cast<ToneEditor*>(editor);
    if (!tone->list(tone->shownList())->picked()) {
        return std::nullopt;
    }
    return document::CellEntry{column, tone->shownText(), tone->shownList()};
}

} // namespace vn574::ui
