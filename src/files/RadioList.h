#pragma once

#include "app/ProcessSettings.h"
#include "codec/MemoryImage.h"
#include "document/RadioIdentity.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::files {

// One radio of a fleet: the port it is on, what it is called, and what it gets besides the
// plan. Empty cells keep the plan's value.
struct RadioRow {
    int line = 0;                           // line in the file; the header is line 1
    std::string port;                       // required, not empty
    std::string label;                      // may be empty
    document::RadioIdentity identity;       // set where the row has a value
    std::string password;                   // the radio's current password ("" none given)
    std::optional<std::string> newPassword; // set when the cell is not empty
};

struct RadioList {
    std::vector<RadioRow> rows;
    std::string error; // "" or why the list is refused; then `rows` is empty
};

// The fleet's radio list, a CSV file read as csv-import reads channel lists (quoting, a
// UTF-8 byte-order mark skipped). A header is required; column names in any order and any
// case; only `port` is required; the known columns are port, label, self_id, dtmf_C0 …
// dtmf_C6, password, new_password. Any fault refuses the whole list before a radio is
// touched, naming the file as given, the line and the column:
// "RADIOS.csv line 3, column self_id: ...".
RadioList readRadioList(const std::string& path);
RadioList parseRadioList(std::string_view text, const std::string& name);

// The list as CSV with a header, readable by parseRadioList.
std::string radioListText(const std::vector<RadioRow>& rows);

// The identity held by a radio image (a backup), as a read of that radio would leave it
// in a document.
document::RadioIdentity identityOfImage(const app::ProcessSettings& settings,
                                        const codec::MemoryImage& image);

} // namespace vn574::files
