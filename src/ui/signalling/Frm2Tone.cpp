#include "ui/signalling/Frm2Tone.h"

#include "ui/signalling/GridEditorBinding.h"
#include "ui/signalling/SignallingGridModel.h"
#include "ui/signalling/SignallingKeys.h"
#include "ui/signalling/SignallingWidgets.h"
#include "ui/signalling/TextCellDelegate.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace vn574::ui::signalling {
Frm2Tone::Frm2Tone(document::Editor& editor, QWidget* parent) : QDialog(parent), m_logic(editor) {
    setObjectName(QStringLiteral("Frm2Tone"));
    setModal(true);
    m_logic.open();
    buildControls();
    showControls();
    m_binding->sync();
}

void Frm2Tone::buildControls() {
    setWindowTitle(qs(m_logic.caption("60051")));

    // --- memories ---
    m_model = new SignallingGridModel(
        document::TwoToneEditor::gridColumns,
        [this](int row, int column) -> const std::string& { return m_logic.cell(row, column); },
        this);
    m_grid = memoryGrid(m_model);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    m_grid->setColumnWidth(0, 44);
    m_grid->setMinimumSize(300, 300);
    m_grid->setItemDelegate(new TextCellDelegate(
        {SignallingKeyFilter::Accept::Digits, 4, [this] { return m_logic.editorText(); },
         [this](const std::string& text) { m_logic.setEditorText(text); }},
        m_grid));
    m_binding =
        new GridEditorBinding(m_grid, m_model,
                              {[this](int row, int column) { m_logic.enterCell(row, column); },
                               [this] { m_logic.scrolled(); },
                               [this]() -> std::optional<std::pair<int, int>> {
                                   if (!m_logic.editorVisible()) {
                                       return std::nullopt;
                                   }
                                   return std::pair{m_logic.editRow(), m_logic.editColumn()};
                               },
                               {}});

    const QStringList times = itemsOf(document::TwoToneTimeList());
    auto* timing = formLayout();
    for (int k = 0; k < 4; ++k) {
        auto* list = new QComboBox;
        list->setObjectName(QStringLiteral("Combo1_%1").arg(k));
        list->addItems(k == 3 ? itemsOf(document::TwoToneIntervalList()) : times);
        list->setMaxVisibleItems(20);
        connect(list, &QComboBox::activated, this,
                [this, k](int position) { m_logic.setTiming(k, position); });
        m_timing[static_cast<std::size_t>(k)] = list;
        timing->addRow(labelFor(m_logic.caption(std::to_string(60045 + k)), list,
                                QStringLiteral("Label1_%1").arg(k)),
                       list);
    }
    auto* memoriesPage = new QWidget;
    auto* memories = new QHBoxLayout(memoriesPage);
    memories->addWidget(m_grid, 1);
    auto* side = new QVBoxLayout;
    side->addLayout(timing);
    side->addStretch(1);
    memories->addLayout(side);

    // --- decoder ---
    m_decoder[0] = new QComboBox;
    m_decoder[0]->setObjectName(QStringLiteral("Combo2_0"));
    for (const auto& type : document::TwoTonePairTypes()) {
        m_decoder[0]->addItem(qs(type.name));
    }
    m_decoder[1] = new QComboBox;
    m_decoder[1]->setObjectName(QStringLiteral("Combo2_1"));
    m_decoder[1]->addItems(
        {qs(m_logic.caption("60057")), qs(m_logic.caption("60058")), qs(m_logic.caption("60059"))});
    connect(m_decoder[0], &QComboBox::activated, this, [this](int position) {
        m_logic.choosePairType(position);
        showControls();
    });
    connect(m_decoder[1], &QComboBox::activated, this,
            [this](int position) { m_logic.setResponse(position); });
    auto* decoder = formLayout();
    decoder->addRow(labelFor(m_logic.caption("60049"), m_decoder[0], QStringLiteral("Label2_0")),
                    m_decoder[0]);
    decoder->addRow(labelFor(m_logic.caption("60050"), m_decoder[1], QStringLiteral("Label2_1")),
                    m_decoder[1]);
    const std::array<const char*, 4> letters{"A", "B", "C", "D"};
    for (int k = 0; k < 4; ++k) {
        auto* box = new QLineEdit(
            QString::fromLatin1(document::twoToneBoxDefault.data(),
                                static_cast<qsizetype>(document::twoToneBoxDefault.size())));
        box->setObjectName(QStringLiteral("Text2_%1").arg(k));
        box->setMaxLength(4);
        SignallingKeyFilter::install(box, SignallingKeyFilter::Accept::Digits);
        connect(box, &QLineEdit::textEdited, this,
                [this, k](const QString& text) { m_logic.setBoxText(k, text.toStdString()); });
        onFocusLeft(box, [this, k] {
            if (m_closing) {
                return;
            }
            m_logic.leaveBox(k);
            showControls();
        });
        m_boxes[static_cast<std::size_t>(k)] = box;
        decoder->addRow(labelFor(letters[static_cast<std::size_t>(k)] + m_logic.caption("60056"),
                                 box, QStringLiteral("Label3_%1").arg(k)),
                        box);
    }
    auto* decoderPage = new QWidget;
    auto* decoderLayout = new QVBoxLayout(decoderPage);
    decoderLayout->addLayout(decoder);
    decoderLayout->addStretch(1);

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->addTab(memoriesPage, qs(m_logic.caption("60043")));
    m_tabs->addTab(decoderPage, qs(m_logic.caption("60044")));

    auto* buttons = okCancelRow(this, m_logic.caption("60024"), m_logic.caption("60025"),
                                [this] { accepted(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
    resize(640, 520);
}

void Frm2Tone::showControls() {
    for (int k = 0; k < 4; ++k) {
        showPosition(m_timing[static_cast<std::size_t>(k)], m_logic.timing(k));
        QLineEdit* box = m_boxes[static_cast<std::size_t>(k)];
        if (box->text() != qs(m_logic.box(k))) {
            box->setText(qs(m_logic.box(k)));
        }
        box->setEnabled(m_logic.boxEnabled(k));
    }
    showPosition(m_decoder[0], m_logic.pairType());
    showPosition(m_decoder[1], m_logic.response());
}

void Frm2Tone::accepted() {
    m_logic.ok();
    showControls();
    accept();
}

void Frm2Tone::done(int result) {
    m_closing = true;
    QDialog::done(result);
}

} // namespace vn574::ui::signalling
