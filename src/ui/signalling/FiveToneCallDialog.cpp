#include "ui/signalling/FiveToneCallDialog.h"

#include "ui/signalling/SignallingKeys.h"
#include "ui/signalling/SignallingWidgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vn574::ui::signalling {
FrmSpecial::FrmSpecial(document::FiveToneEditor& fiveTone, QWidget* parent)
    : QDialog(parent), m_logic(fiveTone) {
    setObjectName(QStringLiteral("FrmSpecial"));
    setModal(true);
    m_logic.open();
    buildControls();
    showKind();
}

void FrmSpecial::buildControls() {
    setWindowTitle(qs(m_logic.caption("60062")));
    const QStringList numbers = itemsOf(document::FiveToneMemoryList());

    m_memory = new QComboBox;
    m_memory->setObjectName(QStringLiteral("Combo1_0"));
    m_memory->addItems(numbers);
    m_memory->setCurrentIndex(m_logic.memory());
    m_kind = new QComboBox;
    m_kind->setObjectName(QStringLiteral("Combo1_1"));
    for (int kind = 0; kind < document::specialCallKindCount; ++kind) {
        m_kind->addItem(qs(m_logic.kindText(kind)));
    }
    m_kind->setCurrentIndex(m_logic.kind());
    auto* frame1 = new QGroupBox;
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* form1 = formLayout();
    m_memoryLabel = labelFor(m_logic.memoryLabel(), m_memory, QStringLiteral("Label1_0"));
    form1->addRow(m_memoryLabel, m_memory);
    // A PTT ID target has no memory to choose; the label names the code instead.
    m_memory->setVisible(m_logic.memoryListVisible());
    form1->addRow(labelFor(m_logic.caption("60064"), m_kind, QStringLiteral("Label1_1")), m_kind);
    frame1->setLayout(form1);

    for (int box = 0; box < 2; ++box) {
        auto* id = new QLineEdit(qs(m_logic.id(box)));
        id->setObjectName(QStringLiteral("Text1_%1").arg(box));
        id->setMaxLength(static_cast<int>(document::specialIdLength));
        SignallingKeyFilter::install(id, SignallingKeyFilter::Accept::SpecialId);
        connect(id, &QLineEdit::textEdited, this,
                [this, box](const QString& text) { m_logic.setId(box, text.toStdString()); });
        onFocusLeft(id, [this, box] {
            if (!m_closing) {
                m_logic.leaveId(box);
            }
        });
        m_id[static_cast<std::size_t>(box)] = id;
    }
    m_message = new QLineEdit(qs(m_logic.message()));
    m_message->setObjectName(QStringLiteral("Text2"));
    m_message->setMaxLength(static_cast<int>(document::specialMessageLength));
    SignallingKeyFilter::install(m_message, SignallingKeyFilter::Accept::Message);
    connect(m_message, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_logic.setMessage(text.toStdString()); });

    m_dataFrame = new QGroupBox(QStringLiteral("数传"));
    m_dataFrame->setObjectName(QStringLiteral("Frame2"));
    auto* form2 = formLayout();
    form2->addRow(labelFor(m_logic.caption("60076"), m_id[0], QStringLiteral("Label2_0")), m_id[0]);
    form2->addRow(labelFor(m_logic.caption("60077"), m_message, QStringLiteral("Label3")),
                  m_message);
    m_dataFrame->setLayout(form2);

    m_channel = new QComboBox;
    m_channel->setObjectName(QStringLiteral("Combo2"));
    m_channel->addItems(numbers);
    m_channel->setCurrentIndex(m_logic.channel());
    m_alarmFrame = new QGroupBox(QStringLiteral("紧急报警"));
    m_alarmFrame->setObjectName(QStringLiteral("Frame3"));
    auto* form3 = formLayout();
    form3->addRow(labelFor(m_logic.caption("60078"), m_channel, QStringLiteral("Label4")),
                  m_channel);
    m_alarmFrame->setLayout(form3);

    m_idFrame = new QGroupBox(QStringLiteral("ANI"));
    m_idFrame->setObjectName(QStringLiteral("Frame4"));
    auto* form4 = formLayout();
    form4->addRow(labelFor(m_logic.caption("60076"), m_id[1], QStringLiteral("Label2_1")), m_id[1]);
    m_idFrame->setLayout(form4);

    connect(m_memory, &QComboBox::activated, this,
            [this](int position) { m_logic.setMemory(position); });
    connect(m_kind, &QComboBox::activated, this, [this](int position) {
        m_logic.chooseKind(position);
        showKind();
    });
    connect(m_channel, &QComboBox::activated, this,
            [this](int position) { m_logic.setChannel(position); });

    auto* buttons = okCancelRow(this, m_logic.caption("60024"), m_logic.caption("60025"),
                                [this] { accepted(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame1);
    layout->addWidget(m_dataFrame);
    layout->addWidget(m_alarmFrame);
    layout->addWidget(m_idFrame);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

void FrmSpecial::showKind() {
    using Frame = document::SpecialCallEditor::Frame;
    const Frame frame = m_logic.frame();
    m_dataFrame->setVisible(frame == Frame::DataMessage);
    m_alarmFrame->setVisible(frame == Frame::EmergencyAlarm);
    m_idFrame->setVisible(frame == Frame::Id);
    m_idFrame->setTitle(qs(m_logic.idFrameCaption()));
}

void FrmSpecial::accepted() {
    if (m_logic.ok()) {
        accept();
    }
}

void FrmSpecial::done(int result) {
    m_closing = true;
    QDialog::done(result);
}

} // namespace vn574::ui::signalling
