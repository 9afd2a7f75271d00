#pragma once

#include "files/FileCommands.h"

#include <QPointer>
#include <QWidget>

class QPrinter;

namespace vn574::ui {

// Prints the report on a printer the user confirms in the print dialog (the default
// printer is preselected): a fixed-pitch font sized so the longest line fits the page
// width, landscape, as many lines per page as fit.
class QtReportPrinter : public files::ReportPrinter {
public:
    explicit QtReportPrinter(QWidget* parent = nullptr) : m_parent(parent) {}

    // Prints on `printer` as it is set up, without a dialog (print to a PDF file in
    // tests, or a printer chosen elsewhere). The printer must outlive this object.
    void usePrinter(QPrinter* printer) { m_fixedPrinter = printer; }

    std::string print(const std::vector<files::ReportLine>& lines) override;

    // Renders `lines` on an open printer; "" or the failure's description.
    static std::string render(QPrinter& printer, const std::vector<files::ReportLine>& lines);

private:
    QPointer<QWidget> m_parent;
    QPrinter* m_fixedPrinter = nullptr;
};

} // namespace vn574::ui
