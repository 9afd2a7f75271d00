#include "ui/CompareWindow.h"

#include "document/Editor.h"
#include "ui/CompareTableModel.h"
#include "ui/Twips.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace vn574::ui {
namespace {

// Design size of the window, in twips.
constexpr int designWidthTwips = 10800;
constexpr int designHeightTwips = 7200;

} // namespace

CompareWindow::CompareWindow(const document::Editor& editor, QWidget* parent)
    : QDialog(parent), m_editor(editor) {
    setObjectName(QStringLiteral("frmCompare"));
    setModal(false);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_model = new CompareTableModel(this);
    m_table = makeTable(m_model, QStringLiteral("tblDifferences"));
    m_fileOnlyHeading = new QLabel(this);
    m_fileOnlyHeading->setObjectName(QStringLiteral("lblFileOnly"));
    m_fileOnlyHeading->setFont(bold);
    m_fileOnlyModel = new CompareTableModel(this);
    m_fileOnlyTable = makeTable(m_fileOnlyModel, QStringLiteral("tblFileOnly"));

    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("lblHint"));

    auto* buttons = new QDialogButtonBox(this);
    m_close = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    m_close->setObjectName(QStringLiteral("cmdClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_fileOnlyHeading);
    layout->addWidget(m_fileOnlyTable, 1);
    layout->addWidget(m_hint);
    layout->addWidget(buttons);

    const int dpi = logicalDpiX();
    resize(twipsToPixels(designWidthTwips, dpi), twipsToPixels(designHeightTwips, dpi));
}

QTableView* CompareWindow::makeTable(CompareTableModel* model, const QString& name) {
    auto* table = new QTableView(this);
    table->setObjectName(name);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->hide();
    // One text line a row, so that a whole channel's differences fit on a screen; a long
    // value is cut at its column's edge rather than wrapped.
    table->setWordWrap(false);
    table->verticalHeader()->setMinimumSectionSize(1);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setStretchLastSection(true);
    table->installEventFilter(this);
    connect(table, &QTableView::doubleClicked, this,
            [this, table](const QModelIndex& index) { chooseDifference(table, index); });
    return table;
}

QString CompareWindow::lang(const char* key) const {
    return QString::fromStdString(m_editor.langText("COMPARE", key));
}

void CompareWindow::showComparison(const files::Comparison& comparison) {
    const QString name = QFileInfo(QString::fromStdString(comparison.path)).fileName();
    setWindowTitle(lang("12000").replace(QStringLiteral("%1"), name));
    for (CompareTableModel* model : {m_model, m_fileOnlyModel}) {
        model->setTexts(
            {lang("12001"), lang("12002"), lang("12003"), lang("12004"), lang("12005")},
            {lang("12010"), lang("12011"), lang("12012"), lang("12013"), lang("12014")});
    }
    const document::DocumentDiff& diff = comparison.diff;
    m_model->setDifferences(diff.radioDifferences());
    m_fileOnlyModel->setDifferences(diff.fileOnlyDifferences());
    const document::SummaryWords words = files::summaryWordsOf(m_editor);
    m_summary->setText(QString::fromStdString(diff.summary(words)));
    m_fileOnlyHeading->setText(QString::fromStdString(words.fileOnly));
    const bool fileOnly = m_fileOnlyModel->rowCount() > 0;
    m_fileOnlyHeading->setVisible(fileOnly);
    m_fileOnlyTable->setVisible(fileOnly);
    m_table->setVisible(m_model->rowCount() > 0 || !fileOnly);
    m_hint->setText(lang("12009"));
    const auto channels = [](const std::vector<document::Difference>& list) {
        return std::any_of(list.begin(), list.end(), [](const document::Difference& d) {
            return d.section == document::DiffSection::Channel;
        });
    };
    m_hint->setVisible(channels(diff.differences()));
    m_close->setText(lang("12006"));
    for (QTableView* table : {m_table, m_fileOnlyTable}) {
        table->resizeColumnsToContents();
        if (table->model()->rowCount() > 0) {
            table->setCurrentIndex(table->model()->index(0, 0));
        }
    }
}

QString CompareWindow::summary() const {
    return m_summary->text();
}

void CompareWindow::chooseDifference(const QTableView* table, const QModelIndex& index) {
    if (!index.isValid()) {
        return;
    }
    const auto* model = table == m_fileOnlyTable ? m_fileOnlyModel : m_model;
    const document::Difference& difference = model->difference(index.row());
    if (difference.section == document::DiffSection::Channel) {
        emit channelCellRequested(difference.row, difference.column);
    }
}

bool CompareWindow::eventFilter(QObject* object, QEvent* event) {
    if ((object == m_table || object == m_fileOnlyTable) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const auto* table = static_cast<QTableView*>(object);
            chooseDifference(table, table->currentIndex());
            return true; // not the dialog's default button
        }
    }
    return QDialog::eventFilter(object, event);
}

} // namespace vn574::ui
