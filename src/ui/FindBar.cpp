#include "ui/FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace vn574::ui {

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FindBar"));
    m_label = new QLabel(QStringLiteral("Find:"), this);
    m_query = new QLineEdit(this);
    m_query->setObjectName(QStringLiteral("FindText"));
    m_query->setClearButtonEnabled(true);
    m_label->setBuddy(m_query);
    m_next = new QPushButton(QStringLiteral("&Next"), this);
    m_next->setObjectName(QStringLiteral("FindNextBtn"));
    m_previous = new QPushButton(QStringLiteral("&Previous"), this);
    m_previous->setObjectName(QStringLiteral("FindPreviousBtn"));
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("FindMessage"));
    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("FindCloseBtn"));
    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_close->setAutoRaise(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->addWidget(m_label);
    layout->addWidget(m_query, 1);
    layout->addWidget(m_next);
    layout->addWidget(m_previous);
    layout->addWidget(m_message, 2);
    layout->addWidget(m_close);

    connect(m_next, &QPushButton::clicked, this, [this] { emit findRequested(true); });
    connect(m_previous, &QPushButton::clicked, this, [this] { emit findRequested(false); });
    connect(m_close, &QToolButton::clicked, this, &FindBar::close);
    connect(m_query, &QLineEdit::textEdited, this, &FindBar::clearMessage);
    m_query->installEventFilter(this);
}

QString FindBar::query() const {
    return m_query->text();
}

void FindBar::activate() {
    show();
    m_query->setFocus(Qt::ShortcutFocusReason);
    m_query->selectAll();
}

void FindBar::showNoMatch(const QString& text) {
    show();
    m_message->setText(text);
}

void FindBar::close() {
    hide();
    emit closed();
}

void FindBar::clearMessage() {
    m_message->clear();
}

void FindBar::applyTexts(const std::function<QString(const char* key)>& text) {
    m_label->setText(text("15000"));
    m_query->setPlaceholderText(text("15001"));
    m_next->setText(text("15002"));
    m_previous->setText(text("15003"));
    m_close->setToolTip(text("15004"));
    clearMessage();
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_query && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Enter finds on, Shift+Enter back, Escape gives the grid its keys again.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit findRequested((key->modifiers() & Qt::ShiftModifier) == 0);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vn574::ui
