#pragma once

#include "document/ValueTables.h"

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>

class QComboBox;
class QLabel;
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

} // namespace vn574::ui::signalling
