#pragma once

#include "files/ComparedDocument.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;

namespace vn574::document {
class Editor;
}

namespace vn574::ui {

class CompareTableModel;

// "Compare with…": the differences between the document shown and a file, with their
// summary; below it, under the heading "file only", the differences the radio would not
// have (when both documents encode to an image). It stays open beside the main window;
// double-clicking a channel difference (or Enter on it) asks the main window to make that cell
// current.
class CompareWindow : public QDialog {
    Q_OBJECT
public:
    explicit CompareWindow(const document::Editor& editor, QWidget* parent = nullptr);

    // Shows a comparison in place of the one shown before, in the current language.
    void showComparison(const files::Comparison& comparison);

    [[nodiscard]] QTableView* table() const { return m_table; }
    [[nodiscard]] QTableView* fileOnlyTable() const { return m_fileOnlyTable; }
    [[nodiscard]] QString summary() const;

signals:
    // A channel difference was chosen: grid row 1..104, column 1..16.
    void channelCellRequested(int gridRow, int gridColumn);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void chooseDifference(const QTableView* table, const QModelIndex& index);
    QTableView* makeTable(CompareTableModel* model, const QString& name);
    [[nodiscard]] QString lang(const char* key) const;

    const document::Editor& m_editor;
    CompareTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    CompareTableModel* m_fileOnlyModel = nullptr;
    QTableView* m_fileOnlyTable = nullptr;
    QLabel* m_fileOnlyHeading = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_hint = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace vn574::ui
