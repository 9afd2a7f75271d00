#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace vn574::ui {

// Where the user guide may lie: beside the installed program
// (../share/doc/vn574/user-guide.md), then in the source tree the program was built from.
QStringList userGuideCandidates(const QString& applicationDir);

// The first candidate that exists; empty when none does.
QString findUserGuide(const QString& applicationDir);

// Help > User Guide: the guide with its pictures in a window of its own, or a message
// naming the places looked at when it cannot be found.
void showUserGuide(const QString& title, QWidget* parent);

} // namespace vn574::ui
