#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "document/DocumentDiff.h"
#include "files/ComparedDocument.h"

#include <QCommandLineParser>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>

namespace vn574::cli {
namespace {

using document::Difference;
using document::DocumentDiff;
using document::escapedValue;

constexpr int exitDifferent = 1; // as diff(1): 0 the same, 1 different, 2 trouble

// One line per difference, for scripts: no header, nothing when the documents agree.
// What only the files hold follows a line of its own with the heading, which has no tab.
void printTsv(const DocumentDiff& diff, std::ostream& out) {
    const auto print = [&out](const std::vector<Difference>& differences) {
        for (const Difference& d : differences) {
            out << document::sectionName(d.section) << '\t' << escapedValue(d.item) << '\t'
                << escapedValue(d.field) << '\t' << escapedValue(d.left) << '\t'
                << escapedValue(d.right) << '\n';
        }
    };
    print(diff.radioDifferences());
    const std::vector<Difference> fileOnly = diff.fileOnlyDifferences();
    if (!fileOnly.empty()) {
        out << document::SummaryWords().fileOnly << '\n';
        print(fileOnly);
    }
}

std::string shown(const std::string& value) {
    return value.empty() ? std::string("(empty)") : escapedValue(value);
}

std::string padded(std::string text, std::size_t width) {
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

// For people: the differences under their section names, in aligned columns, and the
// summary line; then, under their heading, the differences only the files hold.
void printText(const DocumentDiff& diff, const std::string& left, const std::string& right,
               std::ostream& out) {
    if (diff.empty()) {
        out << diff.summary() << '\n';
        return;
    }
    std::size_t itemWidth = 0;
    std::size_t fieldWidth = 0;
    std::size_t leftWidth = 0;
    for (const Difference& d : diff.differences()) {
        itemWidth = std::max(itemWidth, escapedValue(d.item).size());
        fieldWidth = std::max(fieldWidth, escapedValue(d.field).size());
        leftWidth = std::max(leftWidth, shown(d.left).size());
    }
    const auto print = [&](const std::vector<Difference>& differences) {
        const Difference* previous = nullptr;
        for (const Difference& d : differences) {
            if (previous == nullptr || previous->section != d.section) {
                out << '\n' << document::sectionName(d.section) << '\n';
            }
            out << "  " << padded(escapedValue(d.item), itemWidth) << "  "
                << padded(escapedValue(d.field), fieldWidth) << "  "
                << padded(shown(d.left), leftWidth) << "  " << shown(d.right) << '\n';
            previous = &d;
        }
    };
    out << "A: " << left << "\nB: " << right << '\n';
    print(diff.radioDifferences());
    out << '\n' << diff.summary() << '\n';
    const std::vector<Difference> fileOnly = diff.fileOnlyDifferences();
    if (!fileOnly.empty()) {
        out << '\n' << document::SummaryWords().fileOnly << '\n';
        print(fileOnly);
    }
}

} // namespace

// vn574-cli diff A B [--format text|tsv]: what differs between two programmings, each a
// channel data file or a radio image.
int runDiff(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Compares two programmings, each a channel data file (.vd with its .ton file) or an "
        "8192-byte radio image (any other name): the model, the channels in use, the radio "
        "options, the auto-dialer memories and the signalling data. When both encode to a radio "
        "image, the verdict is about what the radio would get: exit status 0 when both give the "
        "same image, and what differs in the files only is listed after the summary under the "
        "heading \"file only\". Otherwise exit status 0 when nothing differs. 1 when something "
        "differs, 2 on a wrong command line or an unreadable file."));
    session.addCommonOptions(parser);
    const QCommandLineOption format(
        QStringLiteral("format"),
        QStringLiteral("text (default, for people) or tsv (one line per difference: section, "
                       "item, field, value in A, value in B, separated by tabs; the differences "
                       "only the files hold after a line \"file only\")."),
        QStringLiteral("FORMAT"), QStringLiteral("text"));
    parser.addOption(format);
    parser.addPositionalArgument(QStringLiteral("A"), QStringLiteral("The first file."));
    parser.addPositionalArgument(QStringLiteral("B"), QStringLiteral("The second file."));
    if (const auto status = session.parse(parser, arguments)) {
        return *status;
    }
    const QString formatName = parser.value(format);
    if (parser.positionalArguments().size() != 2 ||
        (formatName != QLatin1String("text") && formatName != QLatin1String("tsv"))) {
        CliSession::printError("usage: vn574-cli diff A B [--format text|tsv]");
        return exitUsage;
    }
    if (!session.start(parser)) {
        return exitUsage;
    }
    const std::string left = CliSession::localPath(parser.positionalArguments().at(0));
    const std::string right = CliSession::localPath(parser.positionalArguments().at(1));
    const auto load =
        [&session](const std::string& path) -> std::unique_ptr<files::ComparedDocument> {
        auto document = std::make_unique<files::ComparedDocument>(session.settings());
        const std::string error = document->load(path);
        if (!error.empty()) {
            CliSession::printError("cannot compare \"" + path + "\": " + error);
            return nullptr;
        }
        return document;
    };
    const auto a = load(left);
    const auto b = a ? load(right) : nullptr;
    if (!b) {
        return exitUsage;
    }
    const DocumentDiff diff = files::compareDocuments(a->editor(), b->editor());
    if (formatName == QLatin1String("tsv")) {
        printTsv(diff, std::cout);
    } else {
        printText(diff, left, right, std::cout);
    }
    return diff.same() ? exitOk : exitDifferent;
}

} // namespace vn574::cli
