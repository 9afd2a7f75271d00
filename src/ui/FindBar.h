#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace vn574::ui {

// The Find bar under the grid: a text box for a name or frequency, Next and Previous
// buttons and a line that says when nothing matched. It only takes the text; the
// window finds the cell (document::ChannelFinder) and moves the current cell there.
class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget* parent = nullptr);

    [[nodiscard]] QString query() const;
    [[nodiscard]] QLineEdit* queryBox() const { return m_query; }
    // Shows the bar with the focus in its text box, all of the text selected.
    void activate();
    void showNoMatch(const QString& text);
    void clearMessage();
    // The texts of section "FIND" in the language in use.
    void applyTexts(const std::function<QString(const char* key)>& text);

signals:
    void findRequested(bool forward);
    // Escape or the close button hid the bar.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void close();

    QLabel* m_label = nullptr;
    QLineEdit* m_query = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_previous = nullptr;
    QLabel* m_message = nullptr;
    QToolButton* m_close = nullptr;
};

} // namespace vn574::ui
