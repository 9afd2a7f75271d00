#include "ui/dialogs/DialogKeyFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

namespace vn574::ui {

using document::KeyDecision;
using document::KeyPress;

DialogKeyFilter::DialogKeyFilter(document::TextBoxKeyFilter rule, QObject* parent)
    : QObject(parent), m_rule(std::move(rule)) {}

void DialogKeyFilter::install(QLineEdit* box) {
    box->installEventFilter(this);
}

KeyPress DialogKeyFilter::classify(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        return {KeyPress::Kind::Enter, {}};
    }
    const auto modifiers = event.modifiers();
    const bool control = (modifiers & (Qt::ControlModifier | Qt::MetaModifier)) != 0;
    if (event.matches(QKeySequence::Copy) || event.matches(QKeySequence::Paste) ||
        event.matches(QKeySequence::Cut) ||
        (control && (key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X))) {
        return {KeyPress::Kind::Clipboard, {}};
    }
    const QString text = event.text();
    if (control || text.isEmpty()) {
        return {KeyPress::Kind::Control, {}};
    }
    for (const QChar c : text) {
        if (!c.isPrint()) {
            return {KeyPress::Kind::Control, {}};
        }
    }
    return {KeyPress::Kind::Text, text.toStdString()};
}

bool DialogKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || m_forwarding) {
        return QObject::eventFilter(watched, event);
    }
    const auto& keyEvent = static_cast<const QKeyEvent&>(*event);
    const auto decision = m_rule.decide(classify(keyEvent));
    switch (decision.action) {
    case KeyDecision::Action::Pass:
        return false;
    case KeyDecision::Action::Discard:
        return true;
    case KeyDecision::Action::FocusNext: {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(watched, &tab);
        return true;
    }
    case KeyDecision::Action::Type: {
        // The box receives the press as if the key had typed the mapped text, so its
        // undo, selection and length limit work as for any key.
        QKeyEvent mapped(QEvent::KeyPress, keyEvent.key(), keyEvent.modifiers(),
                         QString::fromStdString(decision.text), keyEvent.isAutoRepeat(),
                         static_cast<quint16>(keyEvent.count()));
        m_forwarding = true;
        QCoreApplication::sendEvent(watched, &mapped);
        m_forwarding = false;
        return true;
    }
    }
    return false;
}

} // namespace vn574::ui
