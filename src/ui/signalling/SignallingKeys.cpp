#include "ui/signalling/SignallingKeys.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace vn574::ui::signalling {
namespace {

bool isClipboardKey(const QKeyEvent* key) {
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) ||
        key->matches(QKeySequence::Cut)) {
        return true;
    }
    if (key->modifiers().testFlag(Qt::ControlModifier)) {
        const int k = key->key();
        return k == Qt::Key_C || k == Qt::Key_V || k == Qt::Key_X;
    }
    return false;
}

class FocusLeftFilter : public QObject {
public:
    FocusLeftFilter(QObject* parent, std::function<void()> left)
        : QObject(parent), m_left(std::move(left)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                m_left();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_left;
};

} // namespace

SignallingKeyFilter::SignallingKeyFilter(Accept accept, QObject* parent)
    : QObject(parent), m_accept(accept) {}

void SignallingKeyFilter::install(QLineEdit* edit, Accept accept) {
    edit->installEventFilter(new SignallingKeyFilter(accept, edit));
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAcceptDrops(false);
}

QChar SignallingKeyFilter::accepted(Accept accept, QChar typed) {
    const char16_t c = typed.unicode();
    const bool digit = c >= u'0' && c <= u'9';
    switch (accept) {
    case Accept::Digits:
        return digit ? typed : QChar();
    case Accept::HexCode:
        if (digit || (c >= u'A' && c <= u'F')) {
            return typed;
        }
        return c >= u'a' && c <= u'f' ? typed.toUpper() : QChar();
    case Accept::SpecialId:
        if (digit || c == u'A') {
            return typed;
        }
        return c == u'a' ? QChar(u'A') : QChar();
    case Accept::Message:
        if (digit || (c >= u'A' && c <= u'Z')) {
            return typed;
        }
        return c >= u'a' && c <= u'z' ? typed.toUpper() : QChar();
    }
    return {};
}

bool SignallingKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (isClipboardKey(key) ||
        (key->key() == Qt::Key_Insert && key->modifiers().testFlag(Qt::ShiftModifier))) {
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(watched, &tab);
        return true;
    }
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint() || key->modifiers().testFlag(Qt::ControlModifier)) {
        return QObject::eventFilter(watched, event);
    }
    const QChar typed = text.at(0);
    const QChar result = accepted(m_accept, typed);
    if (result.isNull()) {
        return true;
    }
    if (result != typed) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            edit->insert(QString(result));
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void onFocusLeft(QWidget* widget, std::function<void()> left) {
    widget->installEventFilter(new FocusLeftFilter(widget, std::move(left)));
}

} // namespace vn574::ui::signalling
