#pragma once

#include "document/ValueTables.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <string_view>

class QComboBox;
class QAbstractItemModel;
class QDialog;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QTableView;
class QWidget;

namespace vn574::ui::signalling {

inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList itemsOf(document::TextList list);

// A label for `buddy`, right-aligned so that it ends just left of its control.
QLabel* labelFor(const std::string& caption, QWidget* buddy, const QString& name);

// Sets the current item without telling the logic, which already holds it.
void showPosition(QComboBox* combo, int position);
// Shows `text` in an editable list without telling the logic.
void showText(QComboBox* combo, const std::string& text);

// A form whose labels end just left of their controls (100 twips), right-aligned.
QFormLayout* formLayout();

// The dialogs' memory grid ("MSHFlexGrid1") over `model`: one cell selected at a time,
// no row headers, rows a little taller than the text for the in-place editors.
QTableView* memoryGrid(QAbstractItemModel* model);

// The dialogs' OK and Cancel buttons at the right: OK runs `onOk` (which checks the
// entries and may keep the dialog open), Cancel rejects. Neither is a default button,
// so Enter in a grid cell edits the cell instead of closing the dialog.
QHBoxLayout* okCancelRow(QDialog* dialog, const std::string& okCaption,
                         const std::string& cancelCaption, std::function<void()> onOk);

} // namespace vn574::ui::signalling
