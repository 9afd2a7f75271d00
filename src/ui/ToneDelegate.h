#pragma once

#include "document/FieldEditors.h"
#include "ui/CellDelegate.h"

#include <QWidget>

class QStackedLayout;

namespace vn574::ui {

class ListEditor;

// The two-step tone editor of columns 5 and 12: ComboCTCSSDCS first; choosing "CTCSS" or
// "DCS" puts ComboCTCSS or ComboDCS over the same cell and gives it the focus.
class ToneEditor : public QWidget {
    Q_OBJECT
public:
    explicit ToneEditor(QWidget* parent = nullptr);

    [[nodiscard]] document::ToneList shownList() const { return m_shown; }
    [[nodiscard]] ListEditor* list(document::ToneList which) const;
    [[nodiscard]] std::string shownText() const;
    // Where `which` opens, and what it shows when that is no entry. The kind list shows
    // it at once; a tone or code list each time its kind is chosen.
    void setOpening(document::ToneList which, int shown, const std::string& asIs);

private:
    struct Opening {
        int shown = 0;
        std::string asIs;
    };
    void kindChosen();

    QStackedLayout* m_stack;
    ListEditor* m_kind;
    ListEditor* m_ctcss;
    ListEditor* m_dcs;
    document::ToneList m_shown = document::ToneList::Kind;
    Opening m_ctcssOpening;
    Opening m_dcsOpening;
};

class ToneDelegate : public CellDelegate {
    Q_OBJECT
public:
    using CellDelegate::CellDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

protected:
    Commit commitFor(QWidget* editor, int row, int column) const override;
    std::optional<document::CellEntry> entryFor(QWidget* editor, int column) const override;
};

} // namespace vn574::ui
