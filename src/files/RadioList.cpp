#include "files/RadioList.h"

#include "app/TextUtil.h"
#include "codec/HexText.h"
#include "files/ComparedDocument.h"
#include "files/CsvText.h"
#include "files/FileIo.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace vn574::files {

namespace {

// A radio list of a few hundred rows is some kilobytes; far more was picked by mistake.
constexpr std::size_t maxRadioListSize = 1'000'000;
constexpr std::size_t paddedSelfId = 5;

enum class Field { Port, Label, SelfId, Dtmf, Password, NewPassword };

struct ColumnKind {
    Field field;
    std::size_t dtmf = 0; // C0..C6 for Field::Dtmf
};

const std::vector<std::string>& columnNames() {
    static const std::vector<std::string> names{"port",    "label",   "self_id",  "dtmf_C0",
                                                "dtmf_C1", "dtmf_C2", "dtmf_C3",  "dtmf_C4",
                                                "dtmf_C5", "dtmf_C6", "password", "new_password"};
    return names;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::optional<ColumnKind> kindOf(std::string_view lowerName) {
    if (lowerName == "port") {
        return ColumnKind{Field::Port};
    }
    if (lowerName == "label") {
        return ColumnKind{Field::Label};
    }
    if (lowerName == "self_id") {
        return ColumnKind{Field::SelfId};
    }
    if (lowerName == "password") {
        return ColumnKind{Field::Password};
    }
    if (lowerName == "new_password") {
        return ColumnKind{Field::NewPassword};
    }
    if (lowerName.size() == 7 && lowerName.starts_with("dtmf_c") && lowerName[6] >= '0' &&
        lowerName[6] <= '6') {
        return ColumnKind{Field::Dtmf, static_cast<std::size_t>(lowerName[6] - '0')};
    }
    return std::nullopt;
}

// Thrown inside the reading of the list with the message that refuses it.
struct Refused {
    std::string message;
};

class Reader {
public:
    explicit Reader(std::string name) : m_name(std::move(name)) {}

    [[noreturn]] void refuse(int line, std::string_view column, std::string_view reason) const {
        throw Refused{m_name + " line " + std::to_string(line) + ", column " + std::string(column) +
                      ": " + std::string(reason)};
    }

    void readHeader(const CsvRecord& header) {
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            const std::string name = app::trimmed(header.fields[i]);
            if (name.empty()) {
                refuse(header.line, std::to_string(i + 1), "the column has no name");
            }
            const auto kind = kindOf(lowered(name));
            if (!kind) {
                std::string known;
                for (const auto& column : columnNames()) {
                    known += (known.empty() ? "" : ", ") + column;
                }
                refuse(header.line, name, "unknown column; the columns are " + known);
            }
            for (const auto& [index, earlier] : m_columns) {
                if (earlier.field == kind->field && earlier.dtmf == kind->dtmf) {
                    refuse(header.line, name, "the column comes twice");
                }
            }
            m_columns.emplace(i, *kind);
            m_names.emplace(i, name);
        }
        const bool hasPort = std::any_of(m_columns.begin(), m_columns.end(), [](const auto& c) {
            return c.second.field == Field::Port;
        });
        if (!hasPort) {
            refuse(header.line, "port", "the header has no port column, which every list needs");
        }
    }

    RadioRow readRow(const CsvRecord& record) {
        RadioRow row;
        row.line = record.line;
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            const auto column = m_columns.find(i);
            const std::string& raw = record.fields[i];
            if (column == m_columns.end()) {
                if (!app::trimmed(raw).empty()) {
                    refuse(record.line, std::to_string(i + 1),
                           "the row has a value beyond the columns of the header");
                }
                continue;
            }
            take(row, column->second, m_names.at(i), raw);
        }
        if (row.port.empty()) {
            refuse(record.line, portName(), "the port is empty");
        }
        return row;
    }

    void checkUniqueSelfId(const RadioRow& row) {
        if (!row.identity.selfId) {
            return;
        }
        // The list gives IDs as typed; two that pad alike would make two radios one.
        std::string padded = *row.identity.selfId;
        padded.resize(paddedSelfId, '0');
        const auto [earlier, added] =
            m_selfIds.emplace(padded, std::make_pair(row.line, *row.identity.selfId));
        if (added) {
            return;
        }
        std::string reason = "the own ID \"" + *row.identity.selfId +
                             "\" is already given on line " + std::to_string(earlier->second.first);
        if (earlier->second.second != *row.identity.selfId) {
            reason += " (both are " + padded + " once padded with 0 to 5 digits)";
        }
        refuse(row.line, selfIdName(), reason);
    }

private:
    void take(RadioRow& row, const ColumnKind& kind, const std::string& name,
              const std::string& raw) const {
        // A password is kept as written: a blank may be part of it.
        const std::string value = app::trimmed(raw);
        switch (kind.field) {
        case Field::Port:
            row.port = value;
            break;
        case Field::Label:
            row.label = value;
            break;
        case Field::SelfId:
            if (!value.empty()) {
                if (!document::isSelfIdText(value)) {
                    refuse(row.line, name,
                           "\"" + value + "\" is not " + std::string(document::selfIdRule));
                }
                row.identity.selfId = value;
            }
            break;
        case Field::Dtmf:
            if (!value.empty()) {
                if (!document::isDtmfCodeText(value)) {
                    refuse(row.line, name,
                           "\"" + value + "\" is not " + std::string(document::dtmfCodeRule));
                }
                row.identity.dtmf.at(kind.dtmf) = value;
            }
            break;
        case Field::Password:
            checkPassword(row.line, name, raw);
            row.password = raw;
            break;
        case Field::NewPassword:
            if (!raw.empty()) {
                checkPassword(row.line, name, raw);
                row.newPassword = raw;
            }
            break;
        }
    }

    void checkPassword(int line, const std::string& name, const std::string& password) const {
        if (!codec::passwordBytes(password)) {
            refuse(line, name,
                   "the radio cannot keep this password: it takes at most 16 characters of the "
                   "Western character set (ISO 8859-1, U+0001..U+00FF)");
        }
    }

    [[nodiscard]] std::string nameOf(Field field) const {
        for (const auto& [index, kind] : m_columns) {
            if (kind.field == field) {
                return m_names.at(index);
            }
        }
        return {};
    }
    [[nodiscard]] std::string portName() const { return nameOf(Field::Port); }
    [[nodiscard]] std::string selfIdName() const { return nameOf(Field::SelfId); }

    std::string m_name;
    std::map<std::size_t, ColumnKind> m_columns;                  // by position in the header
    std::map<std::size_t, std::string> m_names;                   // as the header spells them
    std::map<std::string, std::pair<int, std::string>> m_selfIds; // padded: line, as given
};

} // namespace

RadioList parseRadioList(std::string_view text, const std::string& name) {
    RadioList list;
    const CsvParse parsed = parseCsv(text);
    if (!parsed.error.empty()) {
        list.error = name + ": " + parsed.error;
        return list;
    }
    if (parsed.records.empty()) {
        list.error = name + ": the file is empty; a radio list starts with a header line";
        return list;
    }
    try {
        Reader reader(name);
        reader.readHeader(parsed.records.front());
        for (std::size_t i = 1; i < parsed.records.size(); ++i) {
            RadioRow row = reader.readRow(parsed.records[i]);
            reader.checkUniqueSelfId(row);
            list.rows.push_back(std::move(row));
        }
    } catch (const Refused& refused) {
        list.rows.clear();
        list.error = refused.message;
        return list;
    }
    if (list.rows.empty()) {
        list.error = name + ": the list names no radio under its header";
    }
    return list;
}

RadioList readRadioList(const std::string& path) {
    std::string text;
    std::string error = readFileHead(path, maxRadioListSize + 1, text);
    if (error.empty() && text.size() > maxRadioListSize) {
        error = path + ": the file is larger than a radio list can be";
    }
    if (!error.empty()) {
        RadioList list;
        list.error = error;
        return list;
    }
    return parseRadioList(text, path);
}

std::string radioListText(const std::vector<RadioRow>& rows) {
    std::string text = csvLine(columnNames());
    for (const RadioRow& row : rows) {
        std::vector<std::string> fields{row.port, row.label,
                                        row.identity.selfId.value_or(std::string())};
        for (const auto& code : row.identity.dtmf) {
            fields.push_back(code.value_or(std::string()));
        }
        fields.push_back(row.password);
        fields.push_back(row.newPassword.value_or(std::string()));
        text += csvLine(fields);
    }
    return text;
}

document::RadioIdentity identityOfImage(const app::ProcessSettings& settings,
                                        const codec::MemoryImage& image) {
    ComparedDocument scratch(settings);
    scratch.loadImage(image);
    return document::identityOfDocument(scratch.editor());
}

} // namespace vn574::files
