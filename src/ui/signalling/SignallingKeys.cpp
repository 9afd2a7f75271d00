#include "ui/signalling/SignallingKeys.h"

#include "ui/dialogs/DialogKeyFilter.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace vn574::ui::signalling {
namespace {

document::TextBoxKeyFilter ruleFor(SignallingKeyFilter::Accept accept) {
    using Rule = document::TextBoxKeyFilter;
    constexpr std::string_view digits = "0123456789";
    switch (accept) {
    case SignallingKeyFilter::Accept::Digits:
        return Rule(std::string(digits));
    case SignallingKeyFilter::Accept::HexCode:
        return Rule(std::string(digits) + "ABCDEF", Rule::Case::Upper);
    case SignallingKeyFilter::Accept::SpecialId:
        return Rule(std::string(digits) + "A", Rule::Case::Upper);
    case SignallingKeyFilter::Accept::Message:
        return Rule(std::string(digits) + "ABCDEFGHIJKLMNOPQRSTUVWXYZ", Rule::Case::Upper);
    }
    return Rule(std::string(digits));
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

void SignallingKeyFilter::install(QLineEdit* edit, Accept accept) {
    // The dialogs' shared key filter, plus no context menu and no drops: typed text is
    // the only way in, so the character rules cannot be bypassed.
    auto* filter = new DialogKeyFilter(ruleFor(accept), edit);
    filter->install(edit);
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAcceptDrops(false);
}

void onFocusLeft(QWidget* widget, std::function<void()> left) {
    widget->installEventFilter(new FocusLeftFilter(widget, std::move(left)));
}

} // namespace vn574::ui::signalling
