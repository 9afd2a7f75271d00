#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::document {

class Editor;

enum class DiffSection { Model, Channel, Option, AutoDial, Signalling };

// "model", "channel", "option", "autodial", "signalling": the names scripts read.
std::string_view sectionName(DiffSection section);

// One value that differs between the two documents, both sides in their stored forms
// (the texts a channel data file holds, an empty field as "").
struct Difference {
    DiffSection section = DiffSection::Model;
    std::string item;  // "-", a row label, an option or memory number, a member name
    std::string field; // "Model", "RxFreq", "TX POWER", "Number", "Value"
    std::string left;
    std::string right;
    int row = 0;           // grid row 1..104 of a channel difference, else 0
    int column = 0;        // grid column 1..16 that shows the field (option memory and PTT ID:
                           // the option-signal column), else 0
    bool fileOnly = false; // the radio would get the same from both documents
    bool operator==(const Difference&) const = default;
};

// What the radio would get of two documents that both encode to an image: whether the
// images are the same, and whether the bytes that hold a difference's value differ. The
// encoding is done above this layer.
struct ImageVerdict {
    bool sameImage = false;
    std::function<bool(const Difference&)> reachesRadio;
};

// How many things differ: channels count distinct rows, the other sections single values.
struct DiffCounts {
    bool model = false;
    int channels = 0;
    int options = 0;
    int autoDials = 0;
    int signalling = 0;
    [[nodiscard]] bool any() const {
        return model || channels + options + autoDials + signalling > 0;
    }
};

// The words of the summary line. "%1" in a count stands for the number; the joins put
// "%1" and "%2" together, the verbs follow the whole list "%1". The defaults are the
// English ones the command line prints; the window takes them from the language file.
struct SummaryWords {
    std::string model = "the model";
    std::array<std::string, 2> channels{"%1 channel", "%1 channels"};
    std::array<std::string, 2> options{"%1 option", "%1 options"};
    std::array<std::string, 2> autoDials{"%1 auto-dialer memory", "%1 auto-dialer memories"};
    std::array<std::string, 2> signalling{"%1 signalling value", "%1 signalling values"};
    std::string join = "%1, %2";
    std::string joinLast = "%1 and %2";
    std::string verbOne = "%1 differs"; // after a single thing: "1 channel differs"
    std::string verbMany = "%1 differ";
    std::string none = "No differences";
    std::string fileOnly = "file only"; // the heading of the differences the radio does not have
};

// Compares two documents as the radio would hold them: the model, the rows in use, the
// options, the auto-dialer memories and the whole signalling record, in that order. Both
// editors must have had UpdateAllArray, so that their channel tables hold the rows in use
// as the grid shows them; neither is changed.
class DocumentDiff {
public:
    DocumentDiff(const Editor& left, const Editor& right);
    // Judged by what the radio would get: with the same image every difference is of the
    // files only; otherwise those the verdict says the image does not hold. The summary
    // and counts then leave the file-only ones out, and two frequencies of the same
    // number that the radio would get differently count as a difference.
    DocumentDiff(const Editor& left, const Editor& right, const ImageVerdict& verdict);

    [[nodiscard]] const std::vector<Difference>& differences() const { return m_differences; }
    [[nodiscard]] bool empty() const { return m_differences.empty(); }

    [[nodiscard]] bool judgedByImages() const { return m_judged; }
    // The verdict: the same image when judged by images, else no difference at all.
    [[nodiscard]] bool same() const;
    // The differences the radio would have, and the ones only the files have, in order.
    [[nodiscard]] std::vector<Difference> radioDifferences() const;
    [[nodiscard]] std::vector<Difference> fileOnlyDifferences() const;

    // Counts the differences the radio would have.
    [[nodiscard]] DiffCounts counts() const;
    // "The model, 3 channels and 2 signalling values differ", or words.none.
    [[nodiscard]] std::string summary(const SummaryWords& words = {}) const;

private:
    void compare(const Editor& left, const Editor& right);
    void compareChannels(const Editor& left, const Editor& right);
    void compareUnusedRow(const Editor& left, const Editor& right, int row);
    void add(Difference difference);
    void compareRecord(DiffSection section, std::string_view left, std::string_view right);
    void compareSignalling(const Editor& left, const Editor& right);

    std::vector<Difference> m_differences;
    const ImageVerdict* m_verdict = nullptr; // during construction only, when judged
    bool m_judged = false;
    bool m_sameImage = false;
};

// A value made safe for one line of a table: a backslash, tab, line feed or carriage
// return becomes "\\", "\t", "\n" or "\r"; any other control character, and any byte
// that is not part of a UTF-8 character, "\xHH".
std::string escapedValue(std::string_view value);

} // namespace vn574::document
