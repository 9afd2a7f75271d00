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
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tblDifferences"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->installEventFilter(this);
    connect(m_table, &QTableView::doubleClicked, this, &CompareWindow::chooseDifference);

    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("lblHint"));

    auto* buttons = new QDialogButtonBox(this);
    m_close = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    m_close->setObjectName(QStringLiteral("cmdClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_hint);
    layout->addWidget(buttons);

    const int dpi = logicalDpiX();
    resize(twipsToPixels(designWidthTwips, dpi), twipsToPixels(designHeightTwips, dpi));
}

QString CompareWindow::lang(const char* key) const {
    return QString::fromStdString(m_editor.langText("COMPARE", key));
}

void CompareWindow::showComparison(const files::Comparison& comparison) {
    const QString name = QFileInfo(QString::fromStdString(comparison.path)).fileName();
    setWindowTitle(lang("12000").replace(QStringLiteral("%1"), name));
    m_model->setTexts({lang("12001"), lang("12002"), lang("12003"), lang("12004"), lang("12005")},
                      {lang("12010"), lang("12011"), lang("12012"), lang("12013"), lang("12014")});
    m_model->setDifferences(comparison.diff.differences());
    m_summary->setText(
        QString::fromStdString(comparison.diff.summary(files::summaryWordsOf(m_editor))));
    m_hint->setText(lang("12009"));
    m_hint->setVisible(comparison.diff.counts().channels > 0);
    m_close->setText(lang("12006"));
    m_table->resizeColumnsToContents();
    if (m_model->rowCount() > 0) {
        m_table->setCurrentIndex(m_model->index(0, 0));
    }
}

QString CompareWindow::summary() const {
    return m_summary->text();
}

void CompareWindow::chooseDifference(const QModelIndex& index) {
    if (!index.isValid()) {
        return;
    }
    const document::Difference& difference = m_model->difference(index.row());
    if (difference.section == document::DiffSection::Channel) {
        emit channelCellRequested(difference.row, difference.column);
    }
}

bool CompareWindow::eventFilter(QObject* object, QEvent* event) {
    if (object == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseDifference(m_table->currentIndex());
            return true; // not the dialog's default button
        }
    }
    return QDialog::eventFilter(object, event);
}

} // namespace vn574::ui
