#include "ui/QtReportPrinter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace vn574::ui {
namespace {

constexpr double largestPoints = 10.0;
constexpr double smallestPoints = 5.0;

} // namespace

std::string QtReportPrinter::render(QPrinter& printer,
                                    const std::vector<files::ReportLine>& lines) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return "The printer could not be opened.";
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(largestPoints);
    painter.setFont(font);

    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    qsizetype longest = 1;
    for (const files::ReportLine& line : lines) {
        longest = std::max(longest, QString::fromStdString(line.text).size());
    }
    // Shrink the font until the longest line fits across the page.
    const double width = QFontMetricsF(painter.font(), &printer)
                             .horizontalAdvance(QString(longest, QLatin1Char('M')));
    if (width > page.width()) {
        font.setPointSizeF(std::max(smallestPoints, largestPoints * page.width() / width));
        painter.setFont(font);
    }
    const QFontMetricsF metrics(painter.font(), &printer);
    const double step = metrics.lineSpacing();

    double y = 0;
    for (const files::ReportLine& line : lines) {
        if (y > 0 && y + step > page.height()) {
            if (!printer.newPage()) {
                painter.end();
                return "The printer stopped accepting pages.";
            }
            y = 0;
        }
        painter.drawText(QPointF(0, y + metrics.ascent()), QString::fromStdString(line.text));
        // The report's empty line after most lines; it never starts a page of its own.
        y += line.blankLineAfter ? 2 * step : step;
    }
    if (!painter.end()) {
        return "The print job could not be completed.";
    }
    return {};
}

std::string QtReportPrinter::print(const std::vector<files::ReportLine>& lines) {
    if (m_fixedPrinter != nullptr) {
        return render(*m_fixedPrinter, lines);
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, m_parent);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return render(printer, lines);
}

} // namespace vn574::ui
