#include "ui/signalling/Frm5Tone.h"

#include "ui/signalling/FiveToneCallDialog.h"
#include "ui/signalling/GridEditorBinding.h"
#include "ui/signalling/ListCellDelegate.h"
#include "ui/signalling/SignallingGridModel.h"
#include "ui/signalling/SignallingKeys.h"
#include "ui/signalling/SignallingWidgets.h"
#include "ui/signalling/TextCellDelegate.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace vn574::ui::signalling {
namespace {

using document::FiveToneCellEditor;
using document::SpecialCallTarget;

QStringList standardNames() {
    QStringList names;
    for (const auto& standard : document::FiveToneStandards()) {
        names << qs(standard.name);
    }
    return names;
}

QString indexed(const char* name, int k) {
    return QStringLiteral("%1_%2").arg(name).arg(k);
}

} // namespace

Frm5Tone::Frm5Tone(document::Editor& editor, QWidget* parent) : QDialog(parent), m_logic(editor) {
    setObjectName(QStringLiteral("Frm5Tone"));
    setModal(true);
    m_logic.open();
    buildControls();
    connectControls();
    showControls();
    m_binding->sync();
}

void Frm5Tone::buildControls() {
    setWindowTitle(qs(m_logic.caption("60052")));

    m_selfId = new QLineEdit;
    m_selfId->setObjectName(QStringLiteral("Text2"));
    m_selfId->setMaxLength(5);
    SignallingKeyFilter::install(m_selfId, SignallingKeyFilter::Accept::Digits);
    for (int k = 1; k <= 4; ++k) {
        m_settings[static_cast<std::size_t>(k)] = new QComboBox;
        m_settings[static_cast<std::size_t>(k)]->setObjectName(indexed("Combo1", k));
    }
    m_settings[1]->addItems(standardNames());
    m_settings[2]->addItems(
        {qs(m_logic.caption("60057")), qs(m_logic.caption("60058")), qs(m_logic.caption("60059"))});
    m_settings[3]->addItems(itemsOf(document::FiveToneLengthList()));
    // The own ID's tone length may hold a stored value outside the list; it is shown as
    // it is, so the list takes typed numbers too.
    m_settings[3]->setEditable(true);
    m_settings[3]->setInsertPolicy(QComboBox::NoInsert);
    m_settings[3]->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,4}")), m_settings[3]));
    m_settings[4]->addItems(itemsOf(document::SelfIdDelayList()));
    m_settings[4]->setMaxVisibleItems(20);

    auto* own = new QFormLayout;
    own->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    own->setHorizontalSpacing(7); // labels end 100 twips left of their control
    own->addRow(labelFor(m_logic.caption("60072"), m_selfId, indexed("Label1", 0)), m_selfId);
    const std::array<const char*, 5> labelKeys{"", "60061", "60070", "60071", "60081"};
    for (int k = 1; k <= 4; ++k) {
        own->addRow(labelFor(m_logic.caption(labelKeys[static_cast<std::size_t>(k)]),
                             m_settings[static_cast<std::size_t>(k)], indexed("Label1", k)),
                    m_settings[static_cast<std::size_t>(k)]);
    }

    m_info = new QPlainTextEdit;
    m_info->setObjectName(QStringLiteral("Text1"));
    m_info->setReadOnly(true);
    m_info->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_info->setMinimumWidth(220);
    m_info->setFocusPolicy(Qt::NoFocus);

    auto* ownBox = new QWidget;
    ownBox->setLayout(own);
    auto* top = new QHBoxLayout;
    top->addWidget(ownBox, 1);
    top->addWidget(m_info, 1);

    m_model = new SignallingGridModel(
        document::FiveToneEditor::gridColumns,
        [this](int row, int column) -> const std::string& { return m_logic.cell(row, column); },
        this);
    m_grid = memoryGrid(m_model);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    const std::array<int, 4> widths{44, 110, 240, 110};
    for (int column = 0; column < 4; ++column) {
        m_grid->setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
    }
    m_grid->setMinimumHeight(260);
    m_grid->setItemDelegateForColumn(
        2,
        new TextCellDelegate({SignallingKeyFilter::Accept::HexCode,
                              static_cast<int>(document::fiveToneCodeLength),
                              [this] { return m_logic.codeEditorText(); },
                              [this](const std::string& text) { m_logic.setCodeEditorText(text); }},
                             m_grid));
    m_grid->setItemDelegateForColumn(
        3,
        new ListCellDelegate({standardNames(), [this] { return m_logic.standardEditorPosition(); },
                              [this](int position) {
                                  m_logic.chooseGridStandard(position);
                                  m_binding->sync();
                              }},
                             m_grid));
    const QStringList lengths = itemsOf(document::FiveToneLengthList());
    m_grid->setItemDelegateForColumn(
        4, new ListCellDelegate(
               {lengths,
                [this, lengths] {
                    return static_cast<int>(lengths.indexOf(qs(m_logic.lengthEditorText())));
                },
                [this, lengths](int position) {
                    m_logic.setLengthEditorText(lengths.value(position).toStdString());
                }},
               m_grid));

    for (int k = 0; k < 3; ++k) {
        m_special[static_cast<std::size_t>(k)] = new QPushButton(qs(m_logic.caption("60062")));
        m_special[static_cast<std::size_t>(k)]->setObjectName(
            QStringLiteral("Command%1").arg(k + 1));
    }
    auto* gridButtons = new QHBoxLayout;
    gridButtons->addWidget(m_special[0]);
    gridButtons->addStretch(1);

    auto* ptt = new QHBoxLayout;
    const std::array<const char*, 2> frames{"PTTID BEGIN", "PTTID END"};
    for (int k = 0; k < 2; ++k) {
        const auto i = static_cast<std::size_t>(k);
        m_pttCode[i] = new QLineEdit;
        m_pttCode[i]->setObjectName(indexed("Text4", k));
        m_pttCode[i]->setMaxLength(static_cast<int>(document::fiveToneCodeLength));
        m_pttStandard[i] = new QComboBox;
        m_pttStandard[i]->setObjectName(indexed("Combo4", k));
        m_pttStandard[i]->addItems(standardNames());
        m_pttLength[i] = new QComboBox;
        m_pttLength[i]->setObjectName(indexed("Combo5", k));
        m_pttLength[i]->addItems(lengths);

        auto* form = new QFormLayout;
        form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
        form->setHorizontalSpacing(7);
        form->addRow(labelFor(m_logic.caption("60079"), m_pttCode[i], indexed("Label2", k)),
                     m_pttCode[i]);
        form->addRow(labelFor(m_logic.caption("60061"), m_pttStandard[i], QString()),
                     m_pttStandard[i]);
        form->addRow(labelFor(m_logic.caption("60080"), m_pttLength[i], QString()), m_pttLength[i]);
        auto* special = new QHBoxLayout;
        special->addStretch(1);
        special->addWidget(m_special[i + 1]);
        form->addRow(special);
        auto* frame = new QGroupBox(QString::fromLatin1(frames[i]));
        frame->setObjectName(indexed("FramePtt", k));
        frame->setLayout(form);
        ptt->addWidget(frame);
    }

    auto* buttons = okCancelRow(this, m_logic.caption("60024"), m_logic.caption("60025"),
                                [this] { accepted(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(gridButtons);
    layout->addLayout(ptt);
    layout->addLayout(buttons);
    resize(780, 720);

    m_binding =
        new GridEditorBinding(m_grid, m_model,
                              {[this](int row, int column) { m_logic.enterCell(row, column); },
                               [this] { m_logic.scrolled(); },
                               [this]() -> std::optional<std::pair<int, int>> {
                                   if (m_logic.openEditor() == FiveToneCellEditor::None) {
                                       return std::nullopt;
                                   }
                                   return std::pair{m_logic.currentRow(), m_logic.currentColumn()};
                               },
                               [this] { showInfo(); }});
}

void Frm5Tone::connectControls() {
    connect(m_selfId, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_logic.setSelfIdText(text.toStdString()); });
    onFocusLeft(m_selfId, [this] {
        if (m_closing) {
            return;
        }
        m_logic.leaveSelfId();
        showControls();
        m_binding->sync();
    });
    connect(m_settings[1], &QComboBox::activated, this, [this](int position) {
        m_logic.chooseSelfIdStandard(position);
        showControls();
    });
    connect(m_settings[2], &QComboBox::activated, this,
            [this](int position) { m_logic.setSelfIdMode(position); });
    connect(m_settings[3], &QComboBox::activated, this,
            [this] { m_logic.setSelfIdLength(m_settings[3]->currentText().toStdString()); });
    connect(m_settings[3]->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { m_logic.setSelfIdLength(text.toStdString()); });
    connect(m_settings[4], &QComboBox::activated, this,
            [this](int position) { m_logic.setSelfIdDelay(position); });

    for (int k = 0; k < 2; ++k) {
        const auto i = static_cast<std::size_t>(k);
        connect(m_pttCode[i], &QLineEdit::textEdited, this,
                [this, k](const QString& text) { m_logic.setPttCode(k, text.toStdString()); });
        onFocusLeft(m_pttCode[i], [this, k] {
            if (m_closing) {
                return;
            }
            m_logic.leavePttCode(k);
            showControls();
        });
        connect(m_pttStandard[i], &QComboBox::activated, this, [this, k](int position) {
            m_logic.choosePttStandard(k, position);
            showControls();
        });
        connect(m_pttLength[i], &QComboBox::activated, this,
                [this, k](int position) { m_logic.setPttLength(k, position); });
    }

    connect(m_special[0], &QPushButton::clicked, this,
            [this] { openSpecialCall(SpecialCallTarget::Memory); });
    connect(m_special[1], &QPushButton::clicked, this,
            [this] { openSpecialCall(SpecialCallTarget::PttIdBegin); });
    connect(m_special[2], &QPushButton::clicked, this,
            [this] { openSpecialCall(SpecialCallTarget::PttIdEnd); });

    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (m_logic.doubleClickCell(index.row() + 1, index.column())) {
            m_binding->sync();
        }
    });
}

void Frm5Tone::showControls() {
    if (m_selfId->text() != qs(m_logic.selfIdText())) {
        m_selfId->setText(qs(m_logic.selfIdText()));
    }
    showPosition(m_settings[1], m_logic.selfIdStandard());
    showPosition(m_settings[2], m_logic.selfIdMode());
    showText(m_settings[3], m_logic.selfIdLength());
    showPosition(m_settings[4], m_logic.selfIdDelay());
    for (int k = 0; k < 2; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (m_pttCode[i]->text() != qs(m_logic.pttCode(k))) {
            m_pttCode[i]->setText(qs(m_logic.pttCode(k)));
        }
        showPosition(m_pttStandard[i], m_logic.pttStandard(k));
        showPosition(m_pttLength[i], m_logic.pttLength(k));
    }
    showInfo();
}

void Frm5Tone::showInfo() {
    // The lines end in CR LF as they always have; the box breaks lines at LF alone.
    const QString text =
        qs(m_logic.infoText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (m_info->toPlainText() != text) {
        m_info->setPlainText(text);
    }
}

void Frm5Tone::openSpecialCall(SpecialCallTarget target) {
    m_logic.prepareSpecialCall(target);
    m_binding->sync();
    FrmSpecial special(m_logic, this);
    special.exec();
    showControls();
    m_binding->sync();
}

void Frm5Tone::accepted() {
    m_logic.ok();
    accept();
}

void Frm5Tone::done(int result) {
    m_closing = true;
    QDialog::done(result);
}

} // namespace vn574::ui::signalling
